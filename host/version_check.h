// The aircraft version check and the alert dialogs.
#pragma once

namespace quil {

bool AircraftVersionAccepted();
void ShowVersionConflict();
void DestroyVersionConflict();

}  // namespace quil
