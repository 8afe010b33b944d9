#include "host/version_check.h"

namespace quil {

bool AircraftVersionAccepted() { return true; }
void ShowVersionConflict() {}
void DestroyVersionConflict() {}

}  // namespace quil
