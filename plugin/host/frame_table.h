// The frame: one ordered table of steps, the snapshot's reads among them,
// each run every frame or in its slot of a 2-, 4- or 8-frame rotation. Each
// step reads what the steps before it wrote in the same frame.
#pragma once

namespace quil {

// Runs the frame; the steps after the time's read take the running time
// it read.
void RunFrame();

// Starts the slow reads' rotations again at their first slot; every
// successful bind does. The light rotation runs on.
void RestartFrameRotation();

}  // namespace quil
