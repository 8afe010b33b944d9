// Each engine's oil and hydraulic quantities, which fall slowly as it runs,
// and its hydraulic pressure, which follows N2; the engine display shows
// them. Kept here and updated by the slow snapshot read.
#pragma once

namespace quil {

void UpdateEngineQuantities(int engines);
float EngineOilQuantity(int engine);
float EngineHydraulicQuantity(int engine);
float EngineHydraulicPressure(int engine);

}  // namespace quil
