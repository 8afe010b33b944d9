#include "panel/click_spots.h"

#include <GL/gl.h>

#include <cstdint>
#include <limits>

#include "XPLMDataAccess.h"
#include "XPLMGraphics.h"
#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "autoflight/protocol.h"
#include "host/config.h"
#include "host/sim_binding.h"
#include "host/sim_values.h"
#include "host/snapshot.h"
#include "panel/clock.h"
#include "panel/geometry.h"
#include "render/primitives.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engines.h"
#include "systems/fuel.h"
#include "windows/aux_fuel_window.h"
#include "windows/popups.h"

namespace quil {
namespace {

// An action gets the mouse point in panel units, the host's mouse status
// and the record's argument.
using ClickAction = void (*)(int x, int y, int status, int argument);

struct ClickSpot {
    int left, right, bottom, top;  // panel units, inclusive
    int id;                        // names the control; halves of one knob share it
    int icon;                      // atlas sprite shown at the mouse while it hovers
    int argument;                  // a step count, an engine, a side or a pump
    ClickAction action;
};

constexpr int kMaxSpotsPerTable = 96;
constexpr int kAuxPanelSpotId = 44;
// The spring-loaded external power, generator and APU generator switches.
constexpr int kFirstSpringLoadedId = 34;
constexpr int kLastSpringLoadedId = 39;

// Holding a wheel steps it again at most this often.
constexpr float kWheelRepeatSeconds = 0.15f;
constexpr float kNever = -std::numeric_limits<float>::infinity();

constexpr int kGroundServiceByOtherPlugin = 1;

// The embedded windows take clicks in their own pixels.
constexpr int kEmbeddedClickMode = 0;
constexpr int kAuxPanelOffsetX = 131;
constexpr int kAuxPanelOffsetY = -193;
constexpr int kClockOffsetX = 106;
constexpr int kClockOffsetY = -341;

constexpr GLfloat kOutlineColour[4] = {1.0f, 1.0f, 0.5f, 0.1f};
constexpr GLfloat kOutlineWidth = 1.0f;
constexpr int kOutlineMarkerSprite = 59;
constexpr float kOutlineMarkerInset = 2.0f;  // panel units right of the corner

constexpr int kCabinSwitchOnSprite = 52;
constexpr int kCabinSwitchOffSprite = 53;

enum Wheel { kVsWheel, kAltitudeWheel, kSpeedWheel, kWheelCount };

struct ClickState {
    int lastId = 0;                      // the spot last pressed; 0 none
    const ClickSpot* pressed = nullptr;  // receives the release
    float wheelStepTime[kWheelCount] = {kNever, kNever, kNever};
    bool panelSpotDisabled[kMaxSpotsPerTable] = {};
    bool cabinSpotDisabled[kMaxSpotsPerTable] = {};
};

ClickState clicks;

// ---- Actions ----------------------------------------------------------------

bool isPress(int status) { return status == xplm_MouseDown; }

// A wheel steps on the press and goes on stepping while held. Time going
// backwards (a replay, a reset of the simulator's clock) never blocks it.
bool wheelMayStep(Wheel wheel, int status) {
    if (status != xplm_MouseDown && status != xplm_MouseDrag) return false;
    float& lastStep = clicks.wheelStepTime[wheel];
    const float elapsed = snapshot.now - lastStep;
    if (elapsed >= 0.0f && elapsed < kWheelRepeatSeconds) return false;
    lastStep = snapshot.now;
    return true;
}

template <Wheel wheel, void (*Step)(int)>
void wheelAction(int, int, int status, int steps) {
    if (wheelMayStep(wheel, status)) Step(steps);
}

template <void (*Command)(McpAction)>
void mcpButton(int, int, int status, int) {
    if (isPress(status)) Command(kMcpToggle);
}

// The panel's ALT HLD re-rounds the MCP altitude when it engages away from it.
void altHoldButton(int, int, int status, int) {
    if (isPress(status)) mcpAltHold(kMcpToggle, 1);
}

template <void (*Operation)()>
void onPress(int, int, int status, int) {
    if (isPress(status)) Operation();
}

template <void (*Operation)(int)>
void onPressWithArgument(int, int, int status, int argument) {
    if (isPress(status)) Operation(argument);
}

template <void (*SetSwitch)(int side, int position), int position>
void sideSwitch(int, int, int status, int side) {
    if (isPress(status)) SetSwitch(side, position);
}

template <int position>
void externalPowerSwitch(int, int, int status, int) {
    if (isPress(status)) SetExternalPowerSwitch(position);
}

template <PressureUnit unit>
void pressureUnit(int, int, int status, int) {
    if (isPress(status) && CurrentPressureUnit() != unit) SetPressureUnit(unit);
}

template <bool on>
void fuelPump(int, int, int status, int pump) {
    if (isPress(status)) SetFuelPumpSwitch(pump, on);
}

// The flight director switch. The simulator's mode is read afresh rather
// than from the slower snapshot, so quick clicks each switch it.
// The embedded windows take every mouse event, drags and releases too.
void auxFuelPanel(int x, int y, int status, int) {
    AuxFuelWindowClick(x + kAuxPanelOffsetX, y + kAuxPanelOffsetY, status, kEmbeddedClickMode);
}

void clockPanel(int x, int y, int status, int) {
    ClockWindowClick(x + kClockOffsetX, y + kClockOffsetY, status, kEmbeddedClickMode);
}

template <int32_t SimSnapshot::*cabinSwitch>
void toggleCabinSwitch(int, int, int status, int) {
    if (isPress(status)) snapshot.*cabinSwitch = snapshot.*cabinSwitch != 0 ? 0 : 1;
}

// ---- Tables -----------------------------------------------------------------

// The forward 2D panel.
constexpr ClickSpot kPanelSpots[] = {
    {914, 942, 546, 559, 1, 55, 5, wheelAction<kVsWheel, McpVsUp>},
    {914, 942, 560, 578, 1, 54, 1, wheelAction<kVsWheel, McpVsUp>},
    {914, 942, 579, 597, 2, 56, 1, wheelAction<kVsWheel, McpVsDown>},
    {914, 942, 597, 616, 2, 57, 5, wheelAction<kVsWheel, McpVsDown>},
    {834, 874, 564, 577, 4, 57, 5, wheelAction<kAltitudeWheel, McpAltDown>},
    {834, 874, 578, 591, 4, 56, 1, wheelAction<kAltitudeWheel, McpAltDown>},
    {834, 874, 592, 605, 3, 54, 1, wheelAction<kAltitudeWheel, McpAltUp>},
    {834, 874, 606, 619, 3, 55, 5, wheelAction<kAltitudeWheel, McpAltUp>},
    {577, 599, 550, 568, 6, 58, 0, mcpButton<mcpN1>},
    {608, 628, 550, 568, 7, 58, 0, mcpButton<mcpSpeed>},
    {640, 680, 553, 569, 9, 57, 5, wheelAction<kSpeedWheel, McpSpeedDown>},
    {640, 680, 570, 583, 9, 56, 1, wheelAction<kSpeedWheel, McpSpeedDown>},
    {640, 680, 584, 597, 8, 54, 1, wheelAction<kSpeedWheel, McpSpeedUp>},
    {640, 680, 598, 614, 8, 55, 5, wheelAction<kSpeedWheel, McpSpeedUp>},
    {876, 900, 550, 568, 10, 58, 0, mcpButton<mcpVs>},
    {842, 866, 550, 568, 12, 58, 0, altHoldButton},
    {687, 711, 609, 627, 15, 58, 0, mcpButton<mcpVnav>},
    {745, 769, 550, 568, 13, 58, 0, mcpButton<mcpHdgSel>},
    {795, 819, 609, 627, 14, 58, 0, mcpButton<mcpLnav>},
    {795, 819, 579, 597, 18, 58, 0, mcpButton<mcpVorLoc>},
    {795, 819, 550, 568, 19, 58, 0, mcpButton<mcpApp>},
    {688, 712, 550, 568, 11, 58, 0, mcpButton<mcpLvlChg>},
    {585, 605, 595, 617, 5, 58, 0, mcpButton<mcpAtArm>},
    {464, 476, 617, 630, 21, 54, 0, pressureUnit<PressureUnit::InchesOfMercury>},
    {478, 490, 617, 630, 22, 56, 0, pressureUnit<PressureUnit::Hectopascals>},
    {394, 406, 576, 600, 23, 56, 0, onPress<NavSourcePrev>},
    {407, 419, 576, 600, 24, 54, 0, onPress<NavSourceNext>},
    {776, 807, 1000, 1010, 27, 58, 0, onPress<RequestGroundPowerUnit>},
    {778, 808, 972, 994, 39, 54, 0, externalPowerSwitch<kSwitchOff>},
    {778, 808, 948, 971, 38, 56, 0, externalPowerSwitch<kSwitchOn>},
    {740, 760, 892, 916, 36, 58, 0, sideSwitch<SetGeneratorSwitch, kSwitchOn>},
    {766, 786, 892, 916, 34, 58, 0, sideSwitch<SetApuGeneratorSwitch, kSwitchOn>},
    {816, 836, 892, 916, 35, 58, 1, sideSwitch<SetApuGeneratorSwitch, kSwitchOn>},
    {842, 862, 892, 916, 37, 58, 1, sideSwitch<SetGeneratorSwitch, kSwitchOn>},
    {740, 760, 917, 941, 36, 58, 0, sideSwitch<SetGeneratorSwitch, kSwitchOff>},
    {766, 786, 917, 941, 34, 58, 0, sideSwitch<SetApuGeneratorSwitch, kSwitchOff>},
    {816, 836, 917, 941, 35, 58, 1, sideSwitch<SetApuGeneratorSwitch, kSwitchOff>},
    {842, 862, 917, 941, 37, 58, 1, sideSwitch<SetGeneratorSwitch, kSwitchOff>},
    {754, 774, 446, 466, 29, 56, 0, onPress<ThrustLimitModeDown>},
    {775, 795, 446, 466, 30, 54, 0, onPress<ThrustLimitModeUp>},
    {966, 1023, 546, 567, 20, 58, 0, onPress<FlightDirectorSwitchToggle>},
    {853, 873, 830, 874, 40, 56, 0, onPressWithArgument<StartSwitchStepLeft>},
    {874, 894, 830, 874, 41, 54, 0, onPressWithArgument<StartSwitchStepRight>},
    {975, 995, 830, 874, 42, 56, 1, onPressWithArgument<StartSwitchStepLeft>},
    {996, 1016, 830, 874, 43, 54, 1, onPressWithArgument<StartSwitchStepRight>},
    {919, 939, 830, 868, 42, 105, 0, onPress<IgnitionSelectorDown>},
    {940, 960, 830, 868, 43, 106, 0, onPress<IgnitionSelectorUp>},
    {-133, 34, 191, 336, kAuxPanelSpotId, 58, 0, auxFuelPanel},
    {-88, 30, 339, 457, 45, 58, 0, clockPanel},
    {627, 660, 945, 970, 46, 58, 0, onPress<ToggleCrossfeedSelector>},
    {602, 624, 872, 892, 47, 56, 0, fuelPump<true>},
    {602, 624, 892, 910, 48, 54, 0, fuelPump<false>},
    {626, 648, 872, 892, 49, 56, 1, fuelPump<true>},
    {626, 648, 892, 910, 50, 54, 1, fuelPump<false>},
    {624, 646, 910, 924, 47, 56, 2, fuelPump<true>},
    {624, 646, 924, 944, 48, 54, 2, fuelPump<false>},
    {654, 676, 910, 924, 49, 56, 3, fuelPump<true>},
    {654, 676, 924, 944, 50, 54, 3, fuelPump<false>},
    {668, 690, 872, 892, 47, 56, 4, fuelPump<true>},
    {668, 690, 892, 910, 48, 54, 4, fuelPump<false>},
    {698, 720, 872, 892, 49, 56, 5, fuelPump<true>},
    {698, 720, 892, 910, 50, 54, 5, fuelPump<false>},
    {968, 1023, 874, 930, 32, 85, 0, onPress<OpenSelectorMenu>},
    {880, 968, 874, 1023, 32, 85, 0, onPress<OpenSelectorMenu>},
    {572, 774, 971, 1023, 33, 85, 0, onPress<ToggleOverheadArrangement>},
    {320, 600, 872, 971, 32, 85, 0, onPress<OpenSelectorMenu>},
};

// The cabin view.
constexpr ClickSpot kCabinSpots[] = {
    {223, 280, 886, 942, 25, 58, 0, toggleCabinSwitch<&SimSnapshot::galleySwitch>},
    {346, 388, 862, 914, 26, 58, 0, toggleCabinSwitch<&SimSnapshot::cabinLightSwitch>},
};

constexpr int kPanelSpotCount = sizeof kPanelSpots / sizeof kPanelSpots[0];
constexpr int kCabinSpotCount = sizeof kCabinSpots / sizeof kCabinSpots[0];
static_assert(kPanelSpotCount <= kMaxSpotsPerTable && kCabinSpotCount <= kMaxSpotsPerTable,
              "a click-spot table holds at most 96 records");

// ---- Lookup -----------------------------------------------------------------

struct SpotTable {
    const ClickSpot* spots;
    const bool* disabled;
    int count;
};

// The table of the view; other views have none.
SpotTable tableOfView(int viewType) {
    switch (viewType) {
        case kViewPanel:
            return {kPanelSpots, clicks.panelSpotDisabled, kPanelSpotCount};
        case kViewCabin:
            return {kCabinSpots, clicks.cabinSpotDisabled, kCabinSpotCount};
        default:
            return {nullptr, nullptr, 0};
    }
}

bool contains(const ClickSpot& spot, int x, int y) {
    return spot.left <= x && x <= spot.right && spot.bottom <= y && y <= spot.top;
}

// The first enabled record wins where spots overlap.
const ClickSpot* findSpot(const SpotTable& table, int x, int y) {
    for (int i = 0; i < table.count; ++i) {
        if (!table.disabled[i] && contains(table.spots[i], x, y)) return &table.spots[i];
    }
    return nullptr;
}

// ---- Clicks -----------------------------------------------------------------

// Letting go of a spring-loaded switch returns all five to their centre,
// which only moves the switches.
void centreSpringLoadedSwitches() {
    SetExternalPowerSwitch(kSwitchCentre);
    SetGeneratorSwitch(0, kSwitchCentre);
    SetGeneratorSwitch(1, kSwitchCentre);
    SetApuGeneratorSwitch(0, kSwitchCentre);
    SetApuGeneratorSwitch(1, kSwitchCentre);
}

// The release always goes to the spot that took the press, wherever the
// mouse is now; the simulator keeps the event.
int releasePanelPress(int x, int y) {
    if (clicks.pressed != nullptr) {
        const ClickSpot& spot = *clicks.pressed;
        clicks.pressed = nullptr;
        spot.action(x, y, xplm_MouseUp, spot.argument);
    }
    if (clicks.lastId >= kFirstSpringLoadedId && clicks.lastId <= kLastSpringLoadedId) {
        centreSpringLoadedSwitches();
    }
    clicks.lastId = 0;
    return 0;
}

int panelClick(int x, int y, XPLMMouseStatus status) {
    if (status == xplm_MouseUp) return releasePanelPress(x, y);
    if (status != xplm_MouseDown && status != xplm_MouseDrag) return 0;
    const ClickSpot* spot = findSpot(tableOfView(kViewPanel), x, y);
    if (spot == nullptr) return 0;
    clicks.lastId = spot->id;
    if (spot->action != nullptr) {
        spot->action(x, y, status, spot->argument);
        clicks.pressed = spot;
    }
    return 1;
}

// The cabin switches act on the press alone.
int cabinClick(int x, int y, XPLMMouseStatus status) {
    if (status == xplm_MouseUp) {
        clicks.lastId = 0;
        return 0;
    }
    if (status != xplm_MouseDown) return 0;
    const ClickSpot* spot = findSpot(tableOfView(kViewCabin), x, y);
    if (spot == nullptr) return 0;
    clicks.lastId = spot->id;
    if (spot->action != nullptr) spot->action(x, y, xplm_MouseDown, spot->argument);
    return 1;
}

// ---- Drawing ----------------------------------------------------------------

struct CabinSwitchPicture {
    int32_t SimSnapshot::*position;
    float onX, onY;    // panel point of the switch drawn on
    float offX, offY;  // and drawn off
};

constexpr CabinSwitchPicture kCabinSwitchPictures[] = {
    {&SimSnapshot::galleySwitch, 236.0f, 879.0f, 227.0f, 888.0f},
    {&SimSnapshot::cabinLightSwitch, 348.0f, 850.0f, 340.0f, 856.0f},
};

// The simulator's cockpit light levels.
}  // namespace

int HandlePanelClick(XPLMWindowID, int x, int y, XPLMMouseStatus status, void*) {
    const int px = TruncToInt(WindowToPanelX(static_cast<float>(x)));
    const int py = TruncToInt(WindowToPanelY(static_cast<float>(y)));
    switch (GetViewType()) {
        case kViewPanel:
            return panelClick(px, py, status);
        case kViewCabin:
            return cabinClick(px, py, status);
        default:
            return 0;
    }
}

int FindClickSpotUnderMouse(int x, int y) {
    const int px = TruncToInt(DrawToPanelX(static_cast<float>(x)));
    const int py = TruncToInt(DrawToPanelY(static_cast<float>(y)));
    const ClickSpot* spot = findSpot(tableOfView(GetViewType()), px, py);
    return spot != nullptr ? spot->icon : 0;
}

// Drawn from the last record to the first, so the first of overlapping
// spots lies on top.
void DrawClickSpotOutlines() {
    const SpotTable table = tableOfView(GetViewType());
    if (table.count == 0) return;
    XPLMSetGraphicsState(0, 0, 0, 0, 0, 0, 0);
    glLineWidth(kOutlineWidth);
    for (int i = table.count - 1; i >= 0; --i) {
        if (table.disabled[i]) continue;
        const ClickSpot& spot = table.spots[i];
        const float left = static_cast<float>(spot.left);
        const float bottom = static_cast<float>(spot.bottom);
        glColor4fv(kOutlineColour);
        OutlinePanelRect(left, static_cast<float>(spot.right), bottom,
                         static_cast<float>(spot.top));
        if (snapshot.blink == 1) {
            DrawSprite(kOutlineMarkerSprite, nullptr, PanelToDrawX(left + kOutlineMarkerInset),
                       PanelToDrawY(bottom));
        }
    }
}

void DrawCabinSwitches() {
    const float* colour = CockpitLightColour();
    for (const CabinSwitchPicture& picture : kCabinSwitchPictures) {
        const bool on = snapshot.*picture.position == 1;
        DrawSpriteScaled(on ? kCabinSwitchOnSprite : kCabinSwitchOffSprite, colour,
                         PanelToWindowX(on ? picture.onX : picture.offX),
                         PanelToWindowY(on ? picture.onY : picture.offY), WindowScale());
    }
}

void SetAuxPanelSpotEnabled(bool enabled) {
    for (int i = 0; i < kPanelSpotCount; ++i) {
        if (kPanelSpots[i].id == kAuxPanelSpotId) clicks.panelSpotDisabled[i] = !enabled;
    }
}

void RequestGroundPowerUnit() {
    const bool present = GroundPowerUnitPresent();
    if (GroundServiceMode() != kGroundServiceByOtherPlugin) {
        SetGroundPowerUnitPresent(!present);
    } else if (present) {
        Broadcast(GroundPowerRelease);
    } else if (snapshot.parkBrake > 0.0f) {
        Broadcast(GroundPowerRequest);
        Broadcast(GroundServiceState);
    }
}

}  // namespace quil
