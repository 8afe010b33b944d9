// The windshield wipers: selectors, sweeps and their stowage, animated on
// the 3D model. Wiper 0 is the left, 1 the right.
#pragma once

namespace quil {

constexpr int kWipers = 2;
// Selector positions.
constexpr int kWiperPark = 0;
constexpr int kWiperInt = 1;
constexpr int kWiperLow = 2;
constexpr int kWiperHigh = 3;

void StepWipers(float now);
void WiperSelectorUp(int wiper);
void WiperSelectorDown(int wiper);
int WiperSelector(int wiper);
float WiperStowage(int wiper);  // 0 parked .. 1 out of the park position
float WiperPosition(int wiper); // sweep position

}  // namespace quil
