#include "systems/fuel_inputs.h"

namespace quil {

PendingFuelInputs pendingFuelInputs;

bool RefuellingInto(int tank) {
    return tank >= 0 && tank < 5 && pendingFuelInputs.refuellingInto[tank];
}

bool FuelStationDelivering() { return pendingFuelInputs.stationDelivering; }

}  // namespace quil
