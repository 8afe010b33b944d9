// The snapshot read: the simulator's values into the snapshot once a frame,
// with the light glows and the slow values on their rotations.
#pragma once

namespace quil {

void ReadSnapshot();
void ReadSnapshotSlow();

// Restarts the slow rotation; every successful bind does.
void RestartSlowRotation();

}  // namespace quil
