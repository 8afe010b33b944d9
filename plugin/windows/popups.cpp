#include "windows/popups.h"

#include "sim/snapshot.h"
#include "windows/aux_fuel_window.h"
#include "windows/clock_window.h"
#include "windows/fuel_request_dialog.h"
#include "windows/fuel_station_window.h"
#include "windows/overhead.h"
#include "windows/placement.h"
#include "windows/popup_window.h"
#include "windows/selector_menu.h"

namespace quil {
namespace {

// In the order their sheets load.
PopupWindow* const kPopups[] = {
    &meterWindow,           &cabinUtilitiesWindow, &apuWindow,
    &antiIceWindow,         &fuelWindow,           &fuelAuxBleedWindow,
    &fuelAuxTransferWindow, &fuelStationWindow,    &fuelStationAuxWindow,
    &auxFuelWindow,         &clockWindow,
};

// The fuel station stays up in every cockpit view; only the outside views
// hide it (SetFuelStationExternalView).
bool followsPanelView(const PopupWindow& window) {
    return &window != &fuelStationWindow && window.follows != &fuelStationWindow;
}

}  // namespace

void OpenWindowAlone(PopupWindow& window) { OpenWindow(window, kPlacementAlone); }

void ToggleWindowAlone(PopupWindow& window) {
    if (WindowOpen(window)) {
        CloseWindow(window);
    } else {
        OpenWindowAlone(window);
    }
}

void CreateAllPopups() {
    InitPlacements(snapshot.windowWidth, snapshot.windowHeight);
    for (PopupWindow* window : kPopups) LoadWindowTexture(*window);
    LoadFuelRequestBanner();
}

void DestroyAllPopups() {
    CloseSelectorMenu();
    for (PopupWindow* window : kPopups) UnloadWindowTexture(*window);
    UnloadFuelRequestBanner();
}

void SetPopupsPanelView(bool panelView) { ShowAllWindows(panelView); }

void ShowAllWindows(bool visible) {
    for (PopupWindow* window : kPopups) {
        if (followsPanelView(*window)) ShowWindow(*window, visible);
    }
    ShowSelectorMenu(visible);
}

void OpenOverheadArrangement() {
    SetOverheadArrangementOpen(true);
    OpenWindow(cabinUtilitiesWindow, kPlacementOverhead);
    OpenWindow(antiIceWindow, kPlacementOverhead);
    OpenWindow(meterWindow, kPlacementOverhead);
    OpenWindow(apuWindow, kPlacementOverhead);
    OpenWindow(fuelWindow, kPlacementOverhead);
}

// The flag is already clear here, so closing each window does not come
// back to close the arrangement again.
void CloseOverheadArrangement() {
    SetOverheadArrangementOpen(false);
    CloseSelectorMenu();
    for (PopupWindow* window : kPopups) {
        if (window->overheadMember || window->mode == kPlacementOverhead) CloseWindow(*window);
    }
}

void ToggleOverheadArrangement() {
    if (OverheadArrangementOpen()) {
        CloseOverheadArrangement();
    } else {
        OpenOverheadArrangement();
    }
}

PopupWindow* FindPopupWindow(XPLMWindowID handle) {
    if (handle == nullptr) return nullptr;
    for (PopupWindow* window : kPopups) {
        if (window->handle == handle) return window;
    }
    return nullptr;
}

}  // namespace quil
