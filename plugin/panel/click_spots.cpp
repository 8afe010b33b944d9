#include "panel/click_spots.h"

#include <cstdint>

#include "XPLMDataAccess.h"
#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "instruments/cockpit_light.h"
#include "render/atlas.h"
#include "render/draw_state.h"
#include "render/geometry.h"
#include "render/primitives.h"
#include "sim/settings.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/apu.h"
#include "systems/clock.h"
#include "systems/electrical.h"
#include "systems/engines.h"
#include "systems/fuel.h"
#include "windows/aux_fuel_window.h"
#include "windows/click_actions.h"
#include "windows/clock_window.h"
#include "windows/popups.h"

namespace quil {
namespace {

// The controls the spots belong to; the two halves of a knob or a wheel
// share one id.
enum ClickSpotId : int {
    kSpotVsWheelUp = 1,
    kSpotVsWheelDown = 2,
    kSpotAltitudeWheelUp = 3,
    kSpotAltitudeWheelDown = 4,
    kSpotAtArm = 5,
    kSpotN1 = 6,
    kSpotSpeed = 7,
    kSpotSpeedWheelUp = 8,
    kSpotSpeedWheelDown = 9,
    kSpotVs = 10,
    kSpotLvlChg = 11,
    kSpotAltHold = 12,
    kSpotHdgSel = 13,
    kSpotLnav = 14,
    kSpotVnav = 15,
    kSpotVorLoc = 18,
    kSpotApp = 19,
    kSpotFlightDirector = 20,
    kSpotInchesOfMercury = 21,
    kSpotHectopascals = 22,
    kSpotNavSourceDown = 23,
    kSpotNavSourceUp = 24,
    kSpotGalley = 25,
    kSpotCabinLight = 26,
    kSpotGroundPowerRequest = 27,
    kSpotThrustLimitDown = 29,
    kSpotThrustLimitUp = 30,
    kSpotSelectorMenu = 32,
    kSpotOverheadArrangement = 33,
    kSpotApuGenerator1 = 34,
    kSpotApuGenerator2 = 35,
    kSpotGenerator1 = 36,
    kSpotGenerator2 = 37,
    kSpotExternalPowerOn = 38,
    kSpotExternalPowerOff = 39,
    kSpotStartSwitch1Down = 40,
    kSpotStartSwitch1Up = 41,
    kSpotStartSwitch2Down = 42,
    kSpotStartSwitch2Up = 43,
    kSpotAuxFuelPanel = 44,
    kSpotClock = 45,
    kSpotCrossfeed = 46,
    kSpotFirstPumpOn = 47,
    kSpotFirstPumpOff = 48,
    kSpotSecondPumpOn = 49,
    kSpotSecondPumpOff = 50,
    // The ignition selector shares its ids with engine 2's start switch.
    kSpotIgnitionDown = kSpotStartSwitch2Down,
    kSpotIgnitionUp = kSpotStartSwitch2Up,
};

struct ClickSpot {
    int left, right, bottom, top;  // panel units, inclusive
    ClickSpotId id;
    PanelSprite icon;  // shown at the mouse while it hovers
    int argument;      // a step count, an engine, a side or a pump
    ClickAction action;
    // Letting go of it returns the external power, generator and APU
    // generator switches to their centre.
    bool springLoaded = false;
};

constexpr int kMaxSpotsPerTable = 96;

// The embedded windows take clicks in their own pixels.
constexpr int kEmbeddedClickMode = 0;
constexpr int kAuxPanelOffsetX = 131;
constexpr int kAuxPanelOffsetY = -193;
constexpr int kClockOffsetX = 106;
constexpr int kClockOffsetY = -341;

constexpr float kOutlineColour[4] = {1.0f, 1.0f, 0.5f, 0.1f};
constexpr float kOutlineWidth = 1.0f;
constexpr float kOutlineMarkerInset = 2.0f;  // panel units right of the corner

struct ClickState {
    const ClickSpot* last = nullptr;     // the spot last pressed
    const ClickSpot* pressed = nullptr;  // receives the release
    bool panelSpotDisabled[kMaxSpotsPerTable] = {};
    bool cabinSpotDisabled[kMaxSpotsPerTable] = {};
};

ClickState clicks;

// ---- Actions ----------------------------------------------------------------

template <int position>
void externalPowerSwitch(int, int, int status, int) {
    if (isPress(status)) SetExternalPowerSwitch(position);
}

template <PressureUnit unit>
void pressureUnit(int, int, int status, int) {
    if (isPress(status) && CurrentPressureUnit() != unit) SetPressureUnit(unit);
}

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
    {914, 942, 546, 559, kSpotVsWheelUp, kSpriteHoverFiveStepsUp, 5,
     wheelAction<kVsWheel, McpVsUp>},
    {914, 942, 560, 578, kSpotVsWheelUp, kSpriteHoverStepUp, 1, wheelAction<kVsWheel, McpVsUp>},
    {914, 942, 579, 597, kSpotVsWheelDown, kSpriteHoverStepDown, 1,
     wheelAction<kVsWheel, McpVsDown>},
    {914, 942, 597, 616, kSpotVsWheelDown, kSpriteHoverFiveStepsDown, 5,
     wheelAction<kVsWheel, McpVsDown>},
    {834, 874, 564, 577, kSpotAltitudeWheelDown, kSpriteHoverFiveStepsDown, 5,
     wheelAction<kAltitudeWheel, McpAltDown>},
    {834, 874, 578, 591, kSpotAltitudeWheelDown, kSpriteHoverStepDown, 1,
     wheelAction<kAltitudeWheel, McpAltDown>},
    {834, 874, 592, 605, kSpotAltitudeWheelUp, kSpriteHoverStepUp, 1,
     wheelAction<kAltitudeWheel, McpAltUp>},
    {834, 874, 606, 619, kSpotAltitudeWheelUp, kSpriteHoverFiveStepsUp, 5,
     wheelAction<kAltitudeWheel, McpAltUp>},
    {577, 599, 550, 568, kSpotN1, kSpriteHoverClick, 0, mcpButton<mcpN1>},
    {608, 628, 550, 568, kSpotSpeed, kSpriteHoverClick, 0, mcpButton<mcpSpeed>},
    {640, 680, 553, 569, kSpotSpeedWheelDown, kSpriteHoverFiveStepsDown, 5,
     wheelAction<kSpeedWheel, McpSpeedDown>},
    {640, 680, 570, 583, kSpotSpeedWheelDown, kSpriteHoverStepDown, 1,
     wheelAction<kSpeedWheel, McpSpeedDown>},
    {640, 680, 584, 597, kSpotSpeedWheelUp, kSpriteHoverStepUp, 1,
     wheelAction<kSpeedWheel, McpSpeedUp>},
    {640, 680, 598, 614, kSpotSpeedWheelUp, kSpriteHoverFiveStepsUp, 5,
     wheelAction<kSpeedWheel, McpSpeedUp>},
    {876, 900, 550, 568, kSpotVs, kSpriteHoverClick, 0, mcpButton<mcpVs>},
    {842, 866, 550, 568, kSpotAltHold, kSpriteHoverClick, 0, altHoldButton},
    {687, 711, 609, 627, kSpotVnav, kSpriteHoverClick, 0, mcpButton<mcpVnav>},
    {745, 769, 550, 568, kSpotHdgSel, kSpriteHoverClick, 0, mcpButton<mcpHdgSel>},
    {795, 819, 609, 627, kSpotLnav, kSpriteHoverClick, 0, mcpButton<mcpLnav>},
    {795, 819, 579, 597, kSpotVorLoc, kSpriteHoverClick, 0, mcpButton<mcpVorLoc>},
    {795, 819, 550, 568, kSpotApp, kSpriteHoverClick, 0, mcpButton<mcpApp>},
    {688, 712, 550, 568, kSpotLvlChg, kSpriteHoverClick, 0, mcpButton<mcpLvlChg>},
    {585, 605, 595, 617, kSpotAtArm, kSpriteHoverClick, 0, mcpButton<mcpAtArm>},
    {464, 476, 617, 630, kSpotInchesOfMercury, kSpriteHoverStepUp, 0,
     pressureUnit<PressureUnit::InchesOfMercury>},
    {478, 490, 617, 630, kSpotHectopascals, kSpriteHoverStepDown, 0,
     pressureUnit<PressureUnit::Hectopascals>},
    {394, 406, 576, 600, kSpotNavSourceDown, kSpriteHoverStepDown, 0, onPress<NavSourcePrev>},
    {407, 419, 576, 600, kSpotNavSourceUp, kSpriteHoverStepUp, 0, onPress<NavSourceNext>},
    {776, 807, 1000, 1010, kSpotGroundPowerRequest, kSpriteHoverClick, 0,
     onPress<RequestGroundPowerUnit>},
    {778, 808, 972, 994, kSpotExternalPowerOff, kSpriteHoverStepUp, 0,
     externalPowerSwitch<kSwitchOff>, true},
    {778, 808, 948, 971, kSpotExternalPowerOn, kSpriteHoverStepDown, 0,
     externalPowerSwitch<kSwitchOn>, true},
    {740, 760, 892, 916, kSpotGenerator1, kSpriteHoverClick, 0,
     sideSwitch<SetGeneratorSwitch, kSwitchOn>, true},
    {766, 786, 892, 916, kSpotApuGenerator1, kSpriteHoverClick, 0,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOn>, true},
    {816, 836, 892, 916, kSpotApuGenerator2, kSpriteHoverClick, 1,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOn>, true},
    {842, 862, 892, 916, kSpotGenerator2, kSpriteHoverClick, 1,
     sideSwitch<SetGeneratorSwitch, kSwitchOn>, true},
    {740, 760, 917, 941, kSpotGenerator1, kSpriteHoverClick, 0,
     sideSwitch<SetGeneratorSwitch, kSwitchOff>, true},
    {766, 786, 917, 941, kSpotApuGenerator1, kSpriteHoverClick, 0,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOff>, true},
    {816, 836, 917, 941, kSpotApuGenerator2, kSpriteHoverClick, 1,
     sideSwitch<SetApuGeneratorSwitch, kSwitchOff>, true},
    {842, 862, 917, 941, kSpotGenerator2, kSpriteHoverClick, 1,
     sideSwitch<SetGeneratorSwitch, kSwitchOff>, true},
    {754, 774, 446, 466, kSpotThrustLimitDown, kSpriteHoverStepDown, 0,
     onPress<ThrustLimitModeDown>},
    {775, 795, 446, 466, kSpotThrustLimitUp, kSpriteHoverStepUp, 0, onPress<ThrustLimitModeUp>},
    {966, 1023, 546, 567, kSpotFlightDirector, kSpriteHoverClick, 0,
     onPress<FlightDirectorSwitchToggle>},
    {853, 873, 830, 874, kSpotStartSwitch1Down, kSpriteHoverStepDown, 0,
     onPressWithArgument<StartSwitchStepLeft>},
    {874, 894, 830, 874, kSpotStartSwitch1Up, kSpriteHoverStepUp, 0,
     onPressWithArgument<StartSwitchStepRight>},
    {975, 995, 830, 874, kSpotStartSwitch2Down, kSpriteHoverStepDown, 1,
     onPressWithArgument<StartSwitchStepLeft>},
    {996, 1016, 830, 874, kSpotStartSwitch2Up, kSpriteHoverStepUp, 1,
     onPressWithArgument<StartSwitchStepRight>},
    {919, 939, 830, 868, kSpotIgnitionDown, kSpriteHoverTurnLeft, 0, onPress<IgnitionSelectorDown>},
    {940, 960, 830, 868, kSpotIgnitionUp, kSpriteHoverTurnRight, 0, onPress<IgnitionSelectorUp>},
    {-133, 34, 191, 336, kSpotAuxFuelPanel, kSpriteHoverClick, 0, auxFuelPanel},
    {-88, 30, 339, 457, kSpotClock, kSpriteHoverClick, 0, clockPanel},
    {627, 660, 945, 970, kSpotCrossfeed, kSpriteHoverClick, 0, onPress<ToggleCrossfeedSelector>},
    {602, 624, 872, 892, kSpotFirstPumpOn, kSpriteHoverStepDown, 0,
     onOffSwitch<SetFuelPumpSwitch, true>},
    {602, 624, 892, 910, kSpotFirstPumpOff, kSpriteHoverStepUp, 0,
     onOffSwitch<SetFuelPumpSwitch, false>},
    {626, 648, 872, 892, kSpotSecondPumpOn, kSpriteHoverStepDown, 1,
     onOffSwitch<SetFuelPumpSwitch, true>},
    {626, 648, 892, 910, kSpotSecondPumpOff, kSpriteHoverStepUp, 1,
     onOffSwitch<SetFuelPumpSwitch, false>},
    {624, 646, 910, 924, kSpotFirstPumpOn, kSpriteHoverStepDown, 2,
     onOffSwitch<SetFuelPumpSwitch, true>},
    {624, 646, 924, 944, kSpotFirstPumpOff, kSpriteHoverStepUp, 2,
     onOffSwitch<SetFuelPumpSwitch, false>},
    {654, 676, 910, 924, kSpotSecondPumpOn, kSpriteHoverStepDown, 3,
     onOffSwitch<SetFuelPumpSwitch, true>},
    {654, 676, 924, 944, kSpotSecondPumpOff, kSpriteHoverStepUp, 3,
     onOffSwitch<SetFuelPumpSwitch, false>},
    {668, 690, 872, 892, kSpotFirstPumpOn, kSpriteHoverStepDown, 4,
     onOffSwitch<SetFuelPumpSwitch, true>},
    {668, 690, 892, 910, kSpotFirstPumpOff, kSpriteHoverStepUp, 4,
     onOffSwitch<SetFuelPumpSwitch, false>},
    {698, 720, 872, 892, kSpotSecondPumpOn, kSpriteHoverStepDown, 5,
     onOffSwitch<SetFuelPumpSwitch, true>},
    {698, 720, 892, 910, kSpotSecondPumpOff, kSpriteHoverStepUp, 5,
     onOffSwitch<SetFuelPumpSwitch, false>},
    {968, 1023, 874, 930, kSpotSelectorMenu, kSpriteHoverPopupMenu, 0, onPress<OpenSelectorMenu>},
    {880, 968, 874, 1023, kSpotSelectorMenu, kSpriteHoverPopupMenu, 0, onPress<OpenSelectorMenu>},
    {572, 774, 971, 1023, kSpotOverheadArrangement, kSpriteHoverPopupMenu, 0,
     onPress<ToggleOverheadArrangement>},
    {320, 600, 872, 971, kSpotSelectorMenu, kSpriteHoverPopupMenu, 0, onPress<OpenSelectorMenu>},
};

// The cabin view.
constexpr ClickSpot kCabinSpots[] = {
    {223, 280, 886, 942, kSpotGalley, kSpriteHoverClick, 0,
     toggleCabinSwitch<&SimSnapshot::galleySwitch>},
    {346, 388, 862, 914, kSpotCabinLight, kSpriteHoverClick, 0,
     toggleCabinSwitch<&SimSnapshot::cabinLightSwitch>},
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

// The release always goes to the spot that took the press, wherever the
// mouse is now; the simulator keeps the event.
int releasePanelPress(int x, int y) {
    if (clicks.pressed != nullptr) {
        const ClickSpot& spot = *clicks.pressed;
        clicks.pressed = nullptr;
        spot.action(x, y, xplm_MouseUp, spot.argument);
    }
    if (clicks.last != nullptr && clicks.last->springLoaded) CentreSpringLoadedSwitches();
    clicks.last = nullptr;
    return 0;
}

int panelClick(int x, int y, XPLMMouseStatus status) {
    if (status == xplm_MouseUp) return releasePanelPress(x, y);
    if (status != xplm_MouseDown && status != xplm_MouseDrag) return 0;
    const ClickSpot* spot = findSpot(tableOfView(kViewPanel), x, y);
    if (spot == nullptr) return 0;
    clicks.last = spot;
    if (spot->action != nullptr) {
        spot->action(x, y, status, spot->argument);
        clicks.pressed = spot;
    }
    return 1;
}

// The cabin switches act on the press alone.
int cabinClick(int x, int y, XPLMMouseStatus status) {
    if (status == xplm_MouseUp) {
        clicks.last = nullptr;
        return 0;
    }
    if (status != xplm_MouseDown) return 0;
    const ClickSpot* spot = findSpot(tableOfView(kViewCabin), x, y);
    if (spot == nullptr) return 0;
    clicks.last = spot;
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
    SetLineWidth(kOutlineWidth);
    for (int i = table.count - 1; i >= 0; --i) {
        if (table.disabled[i]) continue;
        const ClickSpot& spot = table.spots[i];
        const float left = static_cast<float>(spot.left);
        const float bottom = static_cast<float>(spot.bottom);
        SetGraphicsState(0, 0, 0, 0, 0, 0, 0);  // again after each marker
        SetPenColour(kOutlineColour);
        OutlinePanelRect(left, static_cast<float>(spot.right), bottom,
                         static_cast<float>(spot.top));
        if (snapshot.blink == 1) {
            DrawSprite(kSpriteClickSpotMarker, nullptr, PanelToDrawX(left + kOutlineMarkerInset),
                       PanelToDrawY(bottom));
        }
    }
}

// The cabin switches take the simulator's cockpit light colour.
void DrawCabinSwitches() {
    const float* colour = CockpitLightColour();
    for (const CabinSwitchPicture& picture : kCabinSwitchPictures) {
        const bool on = snapshot.*picture.position == 1;
        DrawSpriteScaled(on ? kSpriteCabinSwitchOn : kSpriteCabinSwitchOff, colour,
                         PanelToWindowX(on ? picture.onX : picture.offX),
                         PanelToWindowY(on ? picture.onY : picture.offY), WindowScale());
    }
}

void SetAuxPanelSpotEnabled(bool enabled) {
    for (int i = 0; i < kPanelSpotCount; ++i) {
        if (kPanelSpots[i].id == kSpotAuxFuelPanel) clicks.panelSpotDisabled[i] = !enabled;
    }
}

}  // namespace quil
