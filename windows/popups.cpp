#include "windows/popups.h"

#include "host/snapshot.h"
#include "windows/overhead.h"
#include "windows/placement.h"
#include "windows/popup_window.h"
#include "windows/selector_menu.h"

namespace quil {
namespace {

struct PopupEntry {
    PopupWindow* window;
    bool followsPanelView;  // hidden while the simulator shows no 2D panel
};

// In the order their sheets load.
const PopupEntry kPopups[] = {
    {&meterWindow, true}, {&cabinUtilitiesWindow, true}, {&apuWindow, true},
    {&antiIceWindow, true}, {&fuelWindow, true},
};

}  // namespace

void CreateAllPopups() {
    InitPlacements(snapshot.windowHeight);
    for (const PopupEntry& entry : kPopups) LoadWindowTexture(*entry.window);
}

void DestroyAllPopups() {
    CloseSelectorMenu();
    for (const PopupEntry& entry : kPopups) UnloadWindowTexture(*entry.window);
}

void SetPopupsPanelView(bool panelView) { ShowAllWindows(panelView); }

void ShowAllWindows(bool visible) {
    for (const PopupEntry& entry : kPopups) {
        if (entry.followsPanelView) ShowWindow(*entry.window, visible);
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
    for (const PopupEntry& entry : kPopups) {
        PopupWindow& window = *entry.window;
        if (window.overheadMember || window.mode == kPlacementOverhead) CloseWindow(window);
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
    for (const PopupEntry& entry : kPopups) {
        if (entry.window->handle == handle) return entry.window;
    }
    return nullptr;
}

}  // namespace quil
