#include "host/draw_callbacks.h"

#include <cmath>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "host/lifecycle.h"
#include "instruments/cockpit_light.h"
#include "instruments/engine_display.h"
#include "instruments/overlays.h"
#include "instruments/readouts.h"
#include "instruments/switches.h"
#include "panel/click_spots.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/geometry.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/clock.h"
#include "systems/fuel.h"
#include "windows/aux_fuel_window.h"
#include "windows/clock_window.h"
#include "windows/placement.h"

namespace quil {
namespace {

constexpr float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr int kReadoutDigits = 5;
constexpr int kReadoutFont = 5;
constexpr float kCabinCeiling = 33600.0f;  // feet of flight altitude the cabin display subtracts

bool drawing() { return pluginActive != 0 && PanelTexturesLoaded(); }

void drawHoverIcon() {
    int x = 0, y = 0;
    XPLMGetMouseLocation(&x, &y);
    const int icon = FindClickSpotUnderMouse(x, y);
    if (icon != 0) DrawSprite(icon, kWhite, static_cast<float>(x + 2), static_cast<float>(y));
}

// The flight altitude set on the pressurisation panel, and how far above
// the cabin ceiling it lies.
void drawPressurisationReadouts() {
    const float* colour = DisplayDigitColour();
    const float altitude = std::trunc(snapshot.maxAllowableAltitude / 100.0f) * 100.0f;
    float x = PanelToDrawX(988.0f), y = PanelToDrawY(971.0f);
    DrawReadout(colour, altitude, x, y, kReadoutDigits, 0, kReadoutFont);
    x = PanelToDrawX(988.0f);
    y = PanelToDrawY(989.0f);
    const float aboveCeiling = altitude > kCabinCeiling ? altitude - kCabinCeiling : 0.0f;
    DrawReadout(colour, aboveCeiling, x, y, kReadoutDigits, 0, kReadoutFont);
}

int DrawGaugesBefore(XPLMDrawingPhase, int, void*) {
    DrawCallbackScope scope;
    if (!drawing()) return 1;
    UpdatePanelGeometry();
    DrawEngineDisplay(snapshot.displayMode);
    return 1;
}

int DrawGaugesAfter(XPLMDrawingPhase, int, void*) {
    DrawCallbackScope scope;
    // The panel's place was read by the phase's before-callback this frame.
    if (!drawing()) return 1;
    EnsurePanelMouseWindow();
    DrawAttitudeOverlay();
    DrawNavDisplayOverlay();
    DrawSmallDisplayCover();
    drawPressurisationReadouts();
    if (AuxTankCount() > 0) {
        DrawAuxFuelWindow(kPlacementEmbedded, PanelToDrawX(-133.0f), PanelToDrawY(191.0f));
    }
    DrawClockWindow(kPlacementEmbedded, PanelToDrawX(-88.0f), PanelToDrawY(339.0f));
    DrawPanelMcp();
    DrawLeadingEdgePanel();
    DrawPanelSwitches();
    drawHoverIcon();
    if (snapshot.showClickSpots) DrawClickSpotOutlines();
    return 1;
}

int DrawWindowAfter(XPLMDrawingPhase, int, void*) {
    DrawCallbackScope scope;
    if (!drawing() || GetViewType() != kViewCabin) return 1;
    UpdatePanelGeometry();
    EnsurePanelMouseWindow();
    DrawCabinSwitches();
    drawHoverIcon();
    if (snapshot.showClickSpots) DrawClickSpotOutlines();
    return 1;
}

int DrawPanelBefore(XPLMDrawingPhase, int, void*) {
    DrawCallbackScope scope;
    if (!drawing()) return 1;
    UpdateCockpitLight();
    return 1;
}

struct DrawRegistration {
    XPLMDrawCallback_f callback;
    XPLMDrawingPhase phase;
    int before;
};

// Registered in this order, and unregistered with the same phase and flag.
constexpr DrawRegistration kDrawCallbacks[] = {
    {DrawGaugesAfter, xplm_Phase_Gauges, 0},
    {DrawGaugesBefore, xplm_Phase_Gauges, 1},
    {DrawWindowAfter, xplm_Phase_Window, 0},
    {DrawPanelBefore, xplm_Phase_Panel, 1},
};

}  // namespace

void RegisterDrawCallbacks() {
    for (const DrawRegistration& entry : kDrawCallbacks) {
        XPLMRegisterDrawCallback(entry.callback, entry.phase, entry.before, nullptr);
    }
}

void UnregisterDrawCallbacks() {
    for (const DrawRegistration& entry : kDrawCallbacks) {
        XPLMUnregisterDrawCallback(entry.callback, entry.phase, entry.before, nullptr);
    }
}

}  // namespace quil
