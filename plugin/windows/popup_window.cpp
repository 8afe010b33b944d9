#include "windows/popup_window.h"

#include "instruments/cockpit_light.h"
#include "render/draw_state.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "windows/placement.h"
#include "windows/popups.h"

namespace quil {
namespace {

constexpr float kZoneOutlineColour[4] = {0.7f, 0.7f, 1.0f, 0.2f};
constexpr float kZoneOutlineWidth = 1.0f;

void normaliseSprites(PopupWindow& window) {
    int n = 0;
    for (; n < window.sheet->spriteCount && n < kMaxWindowSprites; ++n) {
        window.sprites[n] =
            SheetSpriteRecord(*window.sheet, n, window.sheetWidth, window.sheetHeight);
    }
    window.sprites[n] = SpriteRecord{};
    window.sprites[n].x0 = -1;
}

// The window whose sheet, placement and mode a window uses.
const PopupWindow& owner(const PopupWindow& window) {
    return window.follows != nullptr ? *window.follows : window;
}

// Sprite n of the sheet the window draws from, or none.
const SpriteRecord* sheetSprite(const PopupWindow& window, int sprite) {
    const PopupWindow& sheet = owner(window);
    if (sprite < 0 || sprite >= sheet.sheet->spriteCount || sprite >= kMaxWindowSprites) {
        return nullptr;
    }
    return &sheet.sprites[sprite];
}

bool ready(const PopupWindow& window) {
    return window.handle != nullptr && owner(window).texture != 0 && pluginActive != 0;
}

bool contains(const ClickZone& zone, int x, int y) {
    return zone.x0 <= x && x <= zone.x1 && zone.y0 <= y && y <= zone.y1;
}

const ClickZone* findZone(const ClickZone* zones, int x, int y) {
    for (const ClickZone* zone = zones; zone->id != 0; ++zone) {
        if (contains(*zone, x, y)) return zone;
    }
    return nullptr;
}

// Every zone but the last, the whole-window body, which would only frame
// the window.
void outlineZones(const PopupWindow& window, int left, int bottom) {
    SetGraphicsState(0, 0, 0, 0, 1, 0, 0);
    SetLineWidth(kZoneOutlineWidth);
    SetPenColour(kZoneOutlineColour);
    for (const ClickZone* zone = window.zones; zone->id != 0 && zone[1].id != 0; ++zone) {
        const float x0 = static_cast<float>(left + zone->x0);
        const float x1 = static_cast<float>(left + zone->x1);
        const float y0 = static_cast<float>(bottom + zone->y0);
        const float y1 = static_cast<float>(bottom + zone->y1);
        BeginShape(Shape::LineLoop);
        ShapeVertex(x0, y0);
        ShapeVertex(x0, y1);
        ShapeVertex(x1, y1);
        ShapeVertex(x1, y0);
        EndShape();
        if (window.markZones && snapshot.blink == 1) {
            DrawSprite(kSpriteClickSpotMarker, nullptr, static_cast<float>(left + zone->x0 + 2),
                       static_cast<float>(bottom + zone->y0 + 2));
            SetGraphicsState(0, 0, 0, 0, 1, 0, 0);
        }
    }
}

void drawCallback(XPLMWindowID id, void*) {
    DrawCallbackScope scope;
    if (PopupWindow* window = FindPopupWindow(id)) DrawPopupWindow(*window);
}

void keyCallback(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}

int mouseCallback(XPLMWindowID id, int x, int y, XPLMMouseStatus status, void*) {
    PopupWindow* window = FindPopupWindow(id);
    return window != nullptr ? HandleMouse(*window, x, y, status) : 1;
}

ScreenGeometry boxOf(const PopupWindow& window) {
    const int left = WindowLeft(window);
    const int bottom = WindowBottom(window);
    return {left, bottom + WindowHeight(window), left + WindowWidth(window), bottom};
}

}  // namespace

// Window sheets count both edges of a rectangle; the panel atlas does not.
SpriteRecord SheetSpriteRecord(const WindowSheet& sheet, int sprite, int sheetWidth,
                               int sheetHeight) {
    const float w = static_cast<float>(sheetWidth);
    const float h = static_cast<float>(sheetHeight);
    const SpriteRect& rect = sheet.sprites[sprite];
    SpriteRecord record{};
    record.x0 = rect.x0;
    record.y0 = rect.y0;
    record.x1 = rect.x1;
    record.y1 = rect.y1;
    record.texLeft = static_cast<float>(rect.x0) / w;
    record.texRight = static_cast<float>(rect.x1) / w;
    record.texBottom = static_cast<float>(rect.y0) / h;
    record.texTop = static_cast<float>(rect.y1) / h;
    record.width = static_cast<float>(rect.x1 - rect.x0 + 1);
    record.height = static_cast<float>(rect.y1 - rect.y0 + 1);
    return record;
}

void LoadWindowTexture(PopupWindow& window) {
    if (window.follows != nullptr) return;
    DeleteTexture(window.texture);
    if (LoadTextureFile(window.sheet->file, window.texture, window.sheetWidth,
                        window.sheetHeight) == 1) {
        normaliseSprites(window);
    }
}

void UnloadWindowTexture(PopupWindow& window) {
    CloseWindow(window);
    DeleteTexture(window.texture);
}

void OpenWindow(PopupWindow& window, int mode) {
    window.mode = static_cast<uint8_t>(mode);
    if (window.handle == nullptr) {
        window.placed = boxOf(window);
        window.handle = XPLMCreateWindow(window.placed.left, window.placed.top,
                                         window.placed.right, window.placed.bottom, 1,
                                         drawCallback, keyCallback, mouseCallback, nullptr);
        window.activeZone = nullptr;
        window.activeZoneId = 0;
        window.dragging = false;
        if (window.handle != nullptr && window.texture == 0) LoadWindowTexture(window);
    }
    for (PopupWindow* companion : window.companions) {
        if (companion != nullptr && (companion->present == nullptr || companion->present())) {
            OpenWindow(*companion, mode);
        }
    }
}

// A companion closes by itself; the window it follows closes it too.
void CloseWindow(PopupWindow& window) {
    if (window.follows == nullptr && OverheadArrangementOpen()) {
        SetOverheadArrangementOpen(false);
        CloseOverheadArrangement();
    }
    for (PopupWindow* companion : window.companions) {
        if (companion != nullptr) CloseWindow(*companion);
    }
    if (window.handle != nullptr) XPLMDestroyWindow(window.handle);
    window.handle = nullptr;
    window.activeZone = nullptr;
    window.dragging = false;
}

void ShowHostWindow(XPLMWindowID handle, bool visible) {
    if (handle == nullptr) return;
    if ((XPLMGetWindowIsVisible(handle) != 0) != visible) {
        XPLMSetWindowIsVisible(handle, visible ? 1 : 0);
    }
}

void ShowWindow(PopupWindow& window, bool visible) { ShowHostWindow(window.handle, visible); }

bool WindowOpen(const PopupWindow& window) { return window.handle != nullptr; }

// A companion keeps its own strip on the screen too, leaving its offset
// from the window it follows where that one stands at the screen's edge.
int WindowLeft(const PopupWindow& window) {
    const PopupWindow& placed = owner(window);
    const int left = PlacementLeft(placed.placementIndex, placed.mode);
    return window.follows == nullptr ? left : KeptOnScreenLeft(left + window.offsetX, window.width);
}

int WindowBottom(const PopupWindow& window) {
    const PopupWindow& placed = owner(window);
    const int bottom = PlacementBottom(placed.placementIndex, placed.mode);
    return window.follows == nullptr ? bottom
                                     : KeptOnScreenBottom(bottom + window.offsetY, window.height);
}

int WindowWidth(const PopupWindow& window) {
    return window.follows != nullptr ? window.width
                                     : PlacementWidth(window.placementIndex, window.mode);
}

int WindowHeight(const PopupWindow& window) {
    return window.follows != nullptr ? window.height
                                     : PlacementHeight(window.placementIndex, window.mode);
}

void PlaceWindow(PopupWindow& window) {
    const ScreenGeometry box = boxOf(window);
    if (box == window.placed) return;
    XPLMSetWindowGeometry(window.handle, box.left, box.top, box.right, box.bottom);
    window.placed = box;
}

void DrawWindowSprite(const PopupWindow& window, int sprite, const float* colour, float x,
                      float y) {
    if (const SpriteRecord* record = sheetSprite(window, sprite)) {
        DrawSheetSprite(owner(window).texture, *record, colour, x, y);
    }
}

void DrawControlSprite(const PopupWindow& window, int sprite, const float* colour, int left,
                       int bottom, const ControlLayout& control) {
    DrawWindowSprite(window, sprite, colour, static_cast<float>(left) + control.at.x,
                     static_cast<float>(bottom) + control.at.y);
}

void DrawWindowSpriteTurned(const PopupWindow& window, int sprite, const float* colour,
                            float centreX, float centreY, float degrees) {
    if (const SpriteRecord* record = sheetSprite(window, sprite)) {
        DrawSheetSpriteTurned(owner(window).texture, *record, colour, centreX, centreY, degrees);
    }
}

// The geometry is set whenever it has changed, so the windows of the
// overhead arrangement follow its anchor when one of them is dragged.
void DrawPopupWindow(PopupWindow& window) {
    if (!ready(window)) return;
    PlaceWindow(window);
    const int left = WindowLeft(window);
    const int bottom = WindowBottom(window);
    if (!window.ownBackground) {
        DrawWindowSprite(window, window.background, CockpitLightColour(), static_cast<float>(left),
                         static_cast<float>(bottom));
    }
    if (window.content != nullptr) window.content(window, left, bottom);
    if (snapshot.showClickSpots != 0) outlineZones(window, left, bottom);
}

// A press picks the zone; the release goes to it even when let go outside
// every zone, or outside the window.
int HandleMouse(PopupWindow& window, int x, int y, int status) {
    if (!ready(window)) return 1;
    int left = 0, top = 0, right = 0, bottom = 0;
    XPLMGetWindowGeometry(window.handle, &left, &top, &right, &bottom);
    HandleZoneClick(window, window.zones, SaturatedDifference(x, left),
                    SaturatedDifference(y, bottom), status);
    return 1;
}

void HandleZoneClick(PopupWindow& window, const ClickZone* zones, int x, int y, int status) {
    window.lastX = x;
    window.lastY = y;
    if (status == xplm_MouseDown || status == xplm_MouseUp) {
        if (const ClickZone* zone = findZone(zones, window.lastX, window.lastY)) {
            window.activeZone = zone;
            window.activeZoneId = zone->id;
        }
    }
    const ClickZone* zone = window.activeZone;
    if (zone != nullptr && zone->handler != nullptr) {
        zone->handler(window.lastX, window.lastY, status, zone->argument);
    }
    if (status == xplm_MouseUp) {
        window.activeZone = nullptr;
        window.activeZoneId = 0;
        if (window.released != nullptr) window.released();
    }
}

void PressControl(PopupWindow& window, const WindowBox& part, int status) {
    HandleZoneClick(window, window.zones, (part.x0 + part.x1) / 2, (part.y0 + part.y1) / 2,
                    status);
}

// The grab point stays under the mouse: each drag moves the window by the
// mouse's offset from where it was pressed, in window pixels.
void DragWindow(PopupWindow& window, int x, int y, int status) {
    switch (status) {
        case xplm_MouseDown:
            window.dragStartTime = snapshot.now;
            window.dragging = true;
            XPLMBringWindowToFront(window.handle);
            window.pressX = x;
            window.pressY = y;
            return;
        case xplm_MouseDrag:
            if (!window.dragging || window.handle == nullptr) return;
            MovePlacement(owner(window).placementIndex, owner(window).mode,
                          SaturatedDifference(x, window.pressX),
                          SaturatedDifference(y, window.pressY));
            PlaceWindow(window);
            return;
        default:
            window.dragging = false;
            return;
    }
}

}  // namespace quil
