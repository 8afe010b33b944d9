// The systems update of every frame, in its fixed order: each step reads
// what the steps before it wrote in the same frame.
#pragma once

namespace quil {

void UpdateSystems(float now);

}  // namespace quil
