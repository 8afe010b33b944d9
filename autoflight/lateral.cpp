#include "autoflight/lateral.h"

namespace quil {

void WriteNavSource() {}
void TrackFlightPlan() {}
void ShiftHeadingTarget(float) {}
void SetHeadingTarget(float) {}

}  // namespace quil
