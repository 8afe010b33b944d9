#include "systems/electrical_inputs.h"

namespace quil {

PendingModelValues pendingModelValues;

bool GlideSlopeIsolation() { return pendingModelValues.glideSlopeIsolation; }

}  // namespace quil
