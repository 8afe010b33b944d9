#include "windows/selector_menu.h"

#include <algorithm>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/primitives.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/clock.h"
#include "windows/aux_fuel_window.h"
#include "windows/clock_window.h"
#include "windows/fuel_request_dialog.h"
#include "windows/overhead.h"
#include "windows/placement.h"
#include "windows/popup_window.h"
#include "windows/popups.h"

namespace quil {
namespace {

constexpr int kMenuWidth = 190;
constexpr int kMenuHeight = 144;
// Opened centred on the mouse, and kept this far inside the screen.
constexpr int kMouseOffsetX = 95;
constexpr int kMouseOffsetY = 72;
constexpr int kSideMargin = 8;
constexpr int kTopBottomMargin = 32;
constexpr int kRowHeight = 12;  // rows counted from the top
constexpr int kTextInsetX = 8;
constexpr int kTextRaise = 2;  // above the row's lower edge

constexpr float kMenuText[3] = {0.9f, 0.9f, 0.9f};

template <PopupWindow& window>
void openAlone() {
    OpenWindowAlone(window);
}

struct MenuRow {
    int row;
    const char* text;
    void (*action)();
};

constexpr MenuRow kMenuRows[] = {
    {0, "Anti-Ice Panel", openAlone<antiIceWindow>},
    {1, "APU & Generator panel", openAlone<apuWindow>},
    {2, "AC DC meter & switches", openAlone<meterWindow>},
    {3, "Cabin Utils", openAlone<cabinUtilitiesWindow>},
    {4, "Fuel panel", openAlone<fuelWindow>},
    {6, "Complete Overhead", OpenOverheadArrangement},
    {8, "Clock", OpenClockWindow},
    {9, "Aux fuel panel", OpenAuxFuelWindow},
    {11, "Make fuel request", OpenFuelRequestDialog},
};

XPLMWindowID menuWindow = nullptr;

// The row under window point (x, y), counted from the top, or none.
const MenuRow* rowAt(int y) {
    int left = 0, top = 0, right = 0, bottom = 0;
    XPLMGetWindowGeometry(menuWindow, &left, &top, &right, &bottom);
    if (y > top || y < bottom) return nullptr;
    const int row = (top - y) / kRowHeight;
    for (const MenuRow& entry : kMenuRows) {
        if (entry.row == row) return &entry;
    }
    return nullptr;
}

void drawMenu(XPLMWindowID id, void*) {
    if (!pluginActive) return;
    DrawCallbackScope scope;
    int left = 0, top = 0, right = 0, bottom = 0;
    XPLMGetWindowGeometry(id, &left, &top, &right, &bottom);
    FillRect(ColourOf(PanelColour::Grey25, ColourVariant::Unlit), 0, 0,
             {left, bottom, right - left, top - bottom});
    SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
    DrawPendingRun();  // the host's text finds the client arrays as it expects
    for (const MenuRow& entry : kMenuRows) {
        XPLMDrawString(const_cast<float*>(kMenuText), left + kTextInsetX,
                       top - (entry.row + 1) * kRowHeight + kTextRaise,
                       const_cast<char*>(entry.text), nullptr, xplmFont_Basic);
    }
    ForgetGraphicsState();  // the host's text set a state and texture of its own
}

void ignoreKey(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}

// The release picks the row; any release closes the menu.
int menuMouse(XPLMWindowID, int, int y, XPLMMouseStatus status, void*) {
    if (status != xplm_MouseUp) return 1;
    const MenuRow* row = pluginActive ? rowAt(y) : nullptr;
    CloseSelectorMenu();
    if (row != nullptr) row->action();
    return 1;
}

}  // namespace

void OpenSelectorMenu() {
    int mouseX = 0, mouseY = 0;
    XPLMGetMouseLocation(&mouseX, &mouseY);
    const int screenWidth = TruncToInt(snapshot.windowWidth);
    const int screenHeight = TruncToInt(snapshot.windowHeight);
    int left = std::min(SaturatedDifference(mouseX, kMouseOffsetX),
                        screenWidth - kMenuWidth - kSideMargin);
    left = std::max(left, kSideMargin);
    int bottom = std::min(SaturatedDifference(mouseY, kMouseOffsetY),
                          screenHeight - kMenuHeight - kTopBottomMargin);
    bottom = std::max(bottom, kTopBottomMargin);
    if (menuWindow != nullptr) {
        XPLMSetWindowGeometry(menuWindow, left, bottom + kMenuHeight, left + kMenuWidth, bottom);
        XPLMBringWindowToFront(menuWindow);
        return;
    }
    menuWindow = XPLMCreateWindow(left, bottom + kMenuHeight, left + kMenuWidth, bottom, 1,
                                  drawMenu, ignoreKey, menuMouse, nullptr);
}

void CloseSelectorMenu() {
    if (menuWindow != nullptr) XPLMDestroyWindow(menuWindow);
    menuWindow = nullptr;
}

void ShowSelectorMenu(bool visible) { ShowHostWindow(menuWindow, visible); }

}  // namespace quil
