#include "host/published_datarefs.h"

namespace quil {

void RegisterPublishedDataRefs() {}
void UnregisterPublishedDataRefs() {}

}  // namespace quil
