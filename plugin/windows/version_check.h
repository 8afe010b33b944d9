// The aircraft version check and the two alert dialogs: the version
// conflict and the fuelling alert.
#pragma once

#include "XPWidgetDefs.h"

namespace quil {

// Every aircraft the plug-in serves has this in its description.
constexpr char kServedDescription[] = "Boeing 737";

// A widget's rectangle in window pixels.
struct WidgetRect {
    int left, top, right, bottom;
};
// A dialog of the given half sizes centred on the simulator's window.
WidgetRect CentredDialogFrame(int halfWidth, int halfHeight);
// A push button inside the dialog's main window.
XPWidgetID AddPushButton(XPWidgetID window, const WidgetRect& rect, const char* label);

// The number after "qversion_" in a Boeing 737's description; 0 when the
// description is not a Boeing 737's or has no tag.
int AircraftVersion();
// The versions this plug-in was made for: 271 to 281.
bool AircraftVersionAccepted();

// Shown on load when the version is not accepted; built on first show.
void ShowVersionConflict();
void DestroyVersionConflict();

// Shown when fuel is requested in the air or without the parking brake;
// built on first show. Its "Ignore..." button hides it and then calls
// openFuelRequest, which shows the fuel request dialog whatever the
// aircraft's state; null leaves "Ignore..." closing the alert only.
void ShowFuellingAlert(void (*openFuelRequest)());
void DestroyFuellingAlert();

}  // namespace quil
