// What the fuel model reads from the refuelling model, which is stepped
// after it in the frame.
#pragma once

namespace quil {

// A refuel valve that leads into tank 0 to 4 is open.
bool RefuellingInto(int tank);
// The fuel station delivers pressure.
bool FuelStationDelivering();

}  // namespace quil
