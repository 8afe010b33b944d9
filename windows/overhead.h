// The overhead popup windows: meters, APU, cabin utilities, anti-ice, fuel.
#pragma once

namespace quil {

void ResetMeterWindow(bool cold);

}  // namespace quil
