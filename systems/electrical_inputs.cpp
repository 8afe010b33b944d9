#include "systems/electrical_inputs.h"

namespace quil {
namespace {

bool inRange(int index, int count) { return index >= 0 && index < count; }

}  // namespace

PendingModelValues pendingModelValues;

bool GlideSlopeIsolation() { return pendingModelValues.glideSlopeIsolation; }

bool CabinUtilitySwitchOn(int number) {
    return inRange(number, 2) && pendingModelValues.cabinUtilitySwitchOn[number];
}

}  // namespace quil
