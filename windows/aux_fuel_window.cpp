#include "windows/aux_fuel_window.h"

namespace quil {

void DrawAuxFuelWindow(int, float, float) {}
void AuxFuelWindowClick(int, int, int, int) {}

}  // namespace quil
