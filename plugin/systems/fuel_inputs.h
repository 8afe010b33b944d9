// What the fuel model reads of refuelling, a module built on the fuel
// model's own operations.
#pragma once

namespace quil {

// A refuel valve that leads into tank 0 to 4 is open.
bool RefuellingInto(int tank);
// The fuel station delivers pressure.
bool FuelStationDelivering();

}  // namespace quil
