// The pattern every popup window follows: an artwork sheet with its sprite
// table, a window placed from the position table, a layout of its controls,
// a table of click zones cut from the layout (the close button first, the
// whole window last, which drags it), and outlines of the zones while the
// simulator shows its click spots.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "XPLMDisplay.h"
#include "render/atlas_table.h"
#include "render/sprites.h"
#include "windows/click_actions.h"
#include "windows/sheet_tables.h"
#include "windows/window_layout.h"

namespace quil {

// x, y in pixels from the window's lower-left corner, the host's mouse
// status and the zone's argument.
using ZoneHandler = void (*)(int x, int y, int status, int argument);

struct ClickZone {
    int32_t x0, x1;  // inclusive
    int32_t y0, y1;
    int32_t id;  // 0 ends the table
    int32_t argument;
    ZoneHandler handler;
};

// A zone over a box of a window's layout.
constexpr ClickZone Zone(const WindowBox& box, int32_t id, int32_t argument, ZoneHandler handler) {
    return {box.x0, box.x1, box.y0, box.y1, id, argument, handler};
}

// A zone of a switch that is ON with its lever down: part 0 of the
// control's rows sets it on, part 1 off.
template <void (*SetSwitch)(int which, bool on)>
constexpr ClickZone OnOffSwitchZone(const ControlLayout& control, int part, int32_t id,
                                    int32_t which) {
    return Zone(RowPart(control, part), id, which,
                part == 0 ? onOffSwitch<SetSwitch, true> : onOffSwitch<SetSwitch, false>);
}

constexpr int kMaxWindowSprites = 32;

struct PopupWindow;
// Draws what the window shows over its background; left and bottom are
// its screen position.
using WindowContent = void (*)(PopupWindow& window, int left, int bottom);
// Called on every release in the window, whatever the zone: spring-loaded
// switches return, held test keys let go.
using WindowRelease = void (*)();

// A window's geometry in screen pixels, as the host takes it.
struct ScreenGeometry {
    int left, top, right, bottom;
    bool operator==(const ScreenGeometry& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

struct PopupWindow {
    // Fixed: what the window is.
    const WindowSheet* sheet;
    int placementIndex;
    const ClickZone* zones;
    WindowContent content;  // none: the background alone
    WindowRelease released;  // may be none
    // Closed together with the overhead arrangement, whatever its mode.
    bool overheadMember;
    // The content draws the background itself.
    bool ownBackground;
    // The outlined zones also carry the panel's blinking corner mark.
    bool markZones;
    // A companion opens with the window it follows (when `present` lets
    // it), sits at a fixed offset from that window's lower-left corner,
    // moves with it and draws from its sheet with its own background
    // sprite; closing the window closes its companions.
    PopupWindow* follows;
    int offsetX, offsetY;
    int width, height;  // a companion's own; others take their placement's
    int background;     // the sprite drawn first
    bool (*present)();  // none: always
    std::array<PopupWindow*, 2> companions;

    // At run time.
    XPLMWindowID handle;
    ScreenGeometry placed;  // the geometry the host last had from us
    int texture;
    int sheetWidth, sheetHeight;
    std::array<SpriteRecord, kMaxWindowSprites + 1> sprites;  // ends with x0 < 0
    uint8_t mode;
    const ClickZone* activeZone;
    int32_t activeZoneId;
    int32_t lastX, lastY;
    bool dragging;
    float dragStartTime;
    int32_t pressX, pressY;
};

// A window that has not been opened, with its sheet not loaded.
constexpr PopupWindow MakePopupWindow(const WindowSheet& sheet, int placementIndex,
                                      const ClickZone* zones, WindowContent content,
                                      WindowRelease released, bool overheadMember) {
    PopupWindow window{};
    window.sheet = &sheet;
    window.placementIndex = placementIndex;
    window.zones = zones;
    window.content = content;
    window.released = released;
    window.overheadMember = overheadMember;
    return window;
}

// A window that goes with `follows`, whose own record must name it among
// its companions (WithCompanions).
constexpr PopupWindow MakeCompanionWindow(PopupWindow& follows, int background, int offsetX,
                                          int offsetY, int width, int height,
                                          const ClickZone* zones, WindowContent content,
                                          bool (*present)()) {
    PopupWindow window{};
    window.follows = &follows;
    window.background = background;
    window.offsetX = offsetX;
    window.offsetY = offsetY;
    window.width = width;
    window.height = height;
    window.zones = zones;
    window.content = content;
    window.present = present;
    return window;
}

constexpr PopupWindow WithCompanions(PopupWindow window, PopupWindow* first,
                                     PopupWindow* second = nullptr) {
    window.companions = {first, second};
    return window;
}

// Sprite n of a sheet loaded at the given size, with its texture
// coordinates.
SpriteRecord SheetSpriteRecord(const WindowSheet& sheet, int sprite, int sheetWidth,
                               int sheetHeight);

// Deletes any old texture, loads the sheet and works out its sprites'
// texture coordinates; a sheet that is missing or refused leaves the
// texture 0, so the window draws nothing and ignores clicks.
void LoadWindowTexture(PopupWindow& window);
// Closes the window if it is open and deletes its texture.
void UnloadWindowTexture(PopupWindow& window);
void OpenWindow(PopupWindow& window, int mode);
// Closing a window of the overhead arrangement closes the arrangement.
void CloseWindow(PopupWindow& window);
void ShowWindow(PopupWindow& window, bool visible);
// Sets a host window's visibility when it exists and differs.
void ShowHostWindow(XPLMWindowID handle, bool visible);
bool WindowOpen(const PopupWindow& window);

// The window's screen rectangle: its placement's, or for a companion its
// own size at its offset from the window it follows, moved in where that
// would leave less than a strip of it on the screen.
int WindowLeft(const PopupWindow& window);
int WindowBottom(const PopupWindow& window);
int WindowWidth(const PopupWindow& window);
int WindowHeight(const PopupWindow& window);

// The window's callbacks, reached through its handle.
void DrawPopupWindow(PopupWindow& window);
int HandleMouse(PopupWindow& window, int x, int y, int status);
// A mouse event at window-local pixels through a zone table (the window's
// own, or the one of its picture inside the panel): the press picks the
// zone, which receives the drags and the release.
void HandleZoneClick(PopupWindow& window, const ClickZone* zones, int x, int y, int status);

// A command works a control as the mouse does, at the middle of the part
// of the control that a click would take: the press, the drags while it is
// held and the release, open window or not.
void PressControl(PopupWindow& window, const WindowBox& part, int status);

// Sets the window where its placement says.
void PlaceWindow(PopupWindow& window);
// Draws sprite n of the window's sheet (a companion's: the one of the
// window it follows) at (x, y).
void DrawWindowSprite(const PopupWindow& window, int sprite, const float* colour, float x,
                      float y);
// Draws sprite n where a control sits, the window's lower-left corner at
// (left, bottom).
void DrawControlSprite(const PopupWindow& window, int sprite, const float* colour, int left,
                       int bottom, const ControlLayout& control);

// The same turned clockwise about its centre, at (centreX, centreY).
void DrawWindowSpriteTurned(const PopupWindow& window, int sprite, const float* colour,
                            float centreX, float centreY, float degrees);

// The handlers every window's table starts and ends with: the close button
// (on release) and the body, which drags the window.
template <PopupWindow& window>
void CloseZoneHandler(int, int, int status, int) {
    if (status == xplm_MouseUp) CloseWindow(window);
}

void DragWindow(PopupWindow& window, int x, int y, int status);

// A window that is also drawn inside the panel has two zone tables: its
// controls alone for the picture in the panel, and for the popup the same
// between its close button and its body. Both end with an empty zone.
template <size_t count>
constexpr std::array<ClickZone, count + 1> PanelZones(const ClickZone (&controls)[count]) {
    std::array<ClickZone, count + 1> zones{};
    for (size_t i = 0; i < count; ++i) zones[i] = controls[i];
    return zones;
}

template <size_t count>
constexpr std::array<ClickZone, count + 3> PopupZones(const ClickZone& close,
                                                      const ClickZone (&controls)[count],
                                                      const ClickZone& body) {
    std::array<ClickZone, count + 3> zones{};
    zones[0] = close;
    for (size_t i = 0; i < count; ++i) zones[i + 1] = controls[i];
    zones[count + 1] = body;
    return zones;
}
template <PopupWindow& window>
void BodyZoneHandler(int x, int y, int status, int) {
    DragWindow(window, x, y, status);
}

}  // namespace quil
