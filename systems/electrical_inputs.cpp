#include "systems/electrical_inputs.h"

namespace quil {
namespace {

bool inRange(int index, int count) { return index >= 0 && index < count; }

}  // namespace

PendingModelValues pendingModelValues;

float WindowHeatCurrent(int channel) {
    return inRange(channel, 4) ? pendingModelValues.windowHeatCurrent[channel] : 0.0f;
}

bool ProbeHeaterOn(int side, int heater) {
    return inRange(side, 2) && inRange(heater, 4) && pendingModelValues.probeHeaterOn[side][heater];
}

bool GlideSlopeIsolation() { return pendingModelValues.glideSlopeIsolation; }

bool CabinUtilitySwitchOn(int number) {
    return inRange(number, 2) && pendingModelValues.cabinUtilitySwitchOn[number];
}

}  // namespace quil
