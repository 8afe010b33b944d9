#include "systems/fuel_inputs.h"

#include "host/snapshot.h"

namespace quil {

PendingFuelInputs pendingFuelInputs;

bool RefuellingInto(int tank) {
    return tank >= 0 && tank < 5 && pendingFuelInputs.refuellingInto[tank];
}

bool FuelStationDelivering() { return pendingFuelInputs.stationDelivering; }

float WingDuctTemperature(int side) {
    const float above =
        side >= 0 && side < 2 ? pendingFuelInputs.wingDuctAboveOutsideAir[side] : 0.0f;
    return static_cast<float>(snapshot.oat) + above;
}

}  // namespace quil
