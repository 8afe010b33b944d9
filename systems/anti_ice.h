// Window heat, probe heat and wing and engine anti-ice.
#pragma once

namespace quil {

void StepAntiIce();
// Makes the model draw new random factors on its next step.
void ClearAntiIceInitialised();
// 0 closed, 1 a transition pending, 2 open.
unsigned char EngineAntiIceState(int engine);

}  // namespace quil
