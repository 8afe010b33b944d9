// The four draw callbacks: the engine display under the simulator's gauges,
// the overlays, switches and hover icon over them, the cabin view's
// switches, and the cockpit light before the panel.
#pragma once

namespace quil {

void RegisterDrawCallbacks();
void UnregisterDrawCallbacks();

}  // namespace quil
