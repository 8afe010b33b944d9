// The frame: one ordered table of steps, the snapshot's reads among them,
// each run every frame or in its slot of a 2-, 4- or 8-frame rotation. Each
// step reads what the steps before it wrote in the same frame.
#pragma once

namespace quil {

void RunFrame(float now);

// Starts the rotations again at their first slot; every successful bind
// does.
void RestartFrameRotation();

}  // namespace quil
