// The plug-in's own read-only datarefs under "quil/", from which the 3D
// model animates engines, surfaces, wing flex, wipers and lights.
#pragma once

namespace quil {

void RegisterPublishedDataRefs();
void UnregisterPublishedDataRefs();

}  // namespace quil
