#include "autoflight/lateral.h"

namespace quil {

void WriteNavSource() {}
void NavSourcePrev() {}
void NavSourceNext() {}
void TrackFlightPlan() {}
bool FlightPlanValid() { return false; }
float LegCourse() { return 0.0f; }
void ShiftHeadingTarget(float) {}
void SetHeadingTarget(float) {}
float HeadingTarget() { return 0.0f; }
float CurrentHeadingUnwrapped() { return 0.0f; }
void RecomputeHeadingWrap() {}
void StartTurn(float, float, float) {}
void WrapToNear(float&, float) {}
void SetCrossTrackLoop(bool) {}
void ClearCrossTrackOutput() {}
void VorLocCaptureStep(float) {}
void RollTargetStep(float) {}

}  // namespace quil
