#include "host/frame_steps.h"

#include <cmath>

#include "XPLMDataAccess.h"
#include "autoflight/modes.h"
#include "render/colours.h"
#include "render/geometry.h"
#include "render/textures.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/anti_ice.h"
#include "systems/electrical.h"
#include "windows/fuel_station_window.h"
#include "windows/popups.h"

namespace quil {
namespace {

int lightMask = 0;
int lastViewType = -1;

bool anyAcBusPowered() { return transferBusPowered(0) || transferBusPowered(1); }

}  // namespace

void GatherCabinAndTaxiGlows() {
    lightMask = anyAcBusPowered() ? kAcPowerGlow : 0;
    if (snapshot.cabinLightSwitch != 0 && cabinLightSupplyPowered()) lightMask |= kCabinGlow;
    if (snapshot.taxiLight != 0 && anyAcBusPowered()) lightMask |= kTaxiGlow;
}

void GatherLandingGlow() {
    if (snapshot.landingLights != 0 && anyAcBusPowered()) lightMask |= kLandingGlow;
}

void GatherGalleyGlow() {
    if (snapshot.galleySwitch > 0 && transferBusPowered(0)) lightMask |= kGalleyGlow;
}

void ApplyLightMap() { ApplyLitMapMask(anyAcBusPowered() ? lightMask : 0); }

// A heading knob turned in the simulator moves the MCP heading by whole
// degrees the short way round; a fraction settles on the next frame.
void FollowHeadingKnob() {
    const float knob = XPLMGetDataf(sim.apHeading);
    if (!std::isfinite(knob) || knob == snapshot.mcpHeading) return;
    const float d = knob - snapshot.mcpHeading;
    if (d < -180.0f) {
        McpHdgUp(TruncToInt(d + 360.0f));
    } else if (d > 180.0f) {
        McpHdgDown(TruncToInt(std::fabs(d - 360.0f)));
    } else if (knob > snapshot.mcpHeading) {
        McpHdgUp(TruncToInt(d));
    } else {
        McpHdgDown(TruncToInt(snapshot.mcpHeading - knob));
    }
}

void ClampMcpSpeedWritten() {
    ClampMcpSpeed(snapshot.apSpeed);
    XPLMSetDataf(sim.apAirspeed, snapshot.apSpeed);
    // A Mach MCP speed as the indicated airspeed of that Mach number at the
    // present altitude: the speed loops fly knots.
    if (snapshot.apSpeedIsMach != 0 && snapshot.mach > 0.0f) {
        snapshot.apSpeedAsIas = snapshot.ias * snapshot.apSpeed / snapshot.mach;
    }
}

// The selected receiver's slope is taken each frame and cleared behind it.
void ClearGlideSlopeAngle() {
    if (snapshot.hsiSource == 0) XPLMSetDataf(sim.nav1Slope, 0.0f);
    if (snapshot.hsiSource == 1) XPLMSetDataf(sim.nav2Slope, 0.0f);
}

void FollowViewChange() {
    const int viewType = GetViewType();
    if (viewType == lastViewType) return;
    SetPopupsPanelView(viewType == kViewPanel);
    SetFuelStationExternalView(IsExternalView());
    lastViewType = viewType;
}

void FollowTransparentPanel() { SetTransparentPanel(snapshot.transparentPanel != 0); }

// The simulator's own autopilot is never left engaged.
void HoldSimulatorAutopilotOff() {
    if (snapshot.apMode == 2) XPLMSetDatai(sim.apMode, 1);
}

void KeepIgnitionOn() {
    if (!standbyPowerPowered()) return;
    int ignition[kEngines] = {1, 1};
    XPLMSetDatavi(sim.ignitionOn, ignition, 0, kEngines);
}

// The ground crew takes the unit away once the parking brake is off.
void RemoveGroundPowerUnitWhenBrakeReleased() {
    if (GroundServiceMode() == kGroundServiceByUs && GroundPowerUnitPresent() &&
        snapshot.parkBrake < 0.5f) {
        SetGroundPowerUnitPresent(false);
    }
}

void WriteBatteryBack() {
    XPLMSetDatai(sim.batteryEquipped, 1);
    BatteryWriteBack();
}

}  // namespace quil
