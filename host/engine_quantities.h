// Two slowly falling quantities per engine and a scaled N2, which the engine
// display shows; kept here and updated by the slow snapshot read.
#pragma once

namespace quil {

void UpdateEngineQuantities(int engines);
float EngineQuantity1(int engine);
float EngineQuantity2(int engine);
float EngineN2Value(int engine);

}  // namespace quil
