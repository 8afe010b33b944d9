// The popup windows: their textures loaded and unloaded together, their
// windows shown only while the simulator shows the 2D panel, and the
// overhead arrangement that opens and closes the overhead windows as one.
#pragma once

#include "XPLMDisplay.h"

namespace quil {

struct PopupWindow;

// A window by itself, out of the overhead arrangement: opened, or opened
// and closed again by one button.
void OpenWindowAlone(PopupWindow& window);
void ToggleWindowAlone(PopupWindow& window);

// Sets the position table up (first time only) and loads every window's
// sheet, in the windows' order; called at start and at every reset.
void CreateAllPopups();
// Closes every window and the selector menu, and deletes their textures.
void DestroyAllPopups();
void SetPopupsPanelView(bool panelView);
// The popup windows and the selector menu shown or hidden.
void ShowAllWindows(bool visible);

// The selector menu, opened at the mouse.
void OpenSelectorMenu();
void CloseSelectorMenu();

// The cabin utilities, anti-ice, meter, APU and fuel windows opened
// together, hanging from one anchor.
void OpenOverheadArrangement();
// Closes the menu and every window of the arrangement.
void CloseOverheadArrangement();
// Opens the whole overhead arrangement, or closes it when it is open.
void ToggleOverheadArrangement();

// The popup window with this handle, or none.
PopupWindow* FindPopupWindow(XPLMWindowID handle);

}  // namespace quil
