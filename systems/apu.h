// The APU and the engine start: the APU's phases and governor, the engine
// start switches, starters and igniters.
#pragma once

namespace quil {

// The APU's values for this frame, ahead of the electrical step.
void ApuUpdate();
void ResetApu();
void EngineStartStep();
// Releases the starter of engine 0 or 1 where it is engaged.
void ReleaseStarter(int engine);

}  // namespace quil
