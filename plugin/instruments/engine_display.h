// The glass engine display drawn under the simulator's gauges.
#pragma once

namespace quil {

// Rebuilds the dial geometry (start, aircraft load, mass unit change).
void BuildEngineDialGeometry();
void DrawEngineDisplay(int mode);

}  // namespace quil
