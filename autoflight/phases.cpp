#include "autoflight/phases.h"

namespace quil {

void UpdateFlightPhase(float) {}
void RestartFlightPhase() {}

}  // namespace quil
