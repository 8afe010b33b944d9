// Binding at every load: every dataref looked up, the configuration read,
// and the decision whether the loaded aircraft is the one this plug-in
// serves.
#pragma once

namespace quil {

// 1 when the aircraft is served, -1 when not. Sets pluginActive.
int BindSimulatorState();

}  // namespace quil
