#include "host/served_aircraft.h"

#include <cstring>

#include "XPLMUtilities.h"
#include "host/config.h"
#include "host/frame_table.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"
#include "windows/version_check.h"

namespace quil {
namespace {

constexpr float kInstrumentBrightness = 0.85f;
constexpr int kFiringRate = 5;
constexpr int kIdentityBytes = 64;
constexpr char kServedAuthor[] = "Orrin Valdemarsson";

// A text dataref's first bytes as a terminated string.
void readIdentity(XPLMDataRef ref, char (&text)[kIdentityBytes + 1]) {
    std::memset(text, 0, sizeof text);
    XPLMGetDatab(ref, text, 0, kIdentityBytes);
}

// The simulator's own autopilot, flight director and FMS sequencing are
// ours while we serve the aircraft, and handed back when we do not.
void writeOverrides(int value) {
    XPLMSetDatai(sim.overrideFlightDirector, value);
    XPLMSetDatai(sim.overrideAutopilot, value);
    XPLMSetDatai(sim.overrideFmsAdvance, value);
}

}  // namespace

int BindSimulatorState() {
    pluginActive = 0;
    FindSimDatarefs();

    int xplmVersion = 0;
    XPLMHostApplicationID hostId = 0;
    XPLMGetVersions(&snapshot.hostVersion, &xplmVersion, &hostId);
    snapshot.hostIsV8 = snapshot.hostVersion >= 800;
    snapshot.vno = XPLMGetDataf(sim.vno);
    snapshot.mmo = XPLMGetDataf(sim.mmo);
    XPLMSetDataf(sim.instrumentBrightness, kInstrumentBrightness);
    snapshot.mcpHeading = XPLMGetDataf(sim.apHeading);
    XPLMSetDatai(sim.firingRate, kFiringRate);
    snapshot.igniterActive[0] = snapshot.igniterActive[1] = 0;
    int igniters[2] = {1, 1};
    XPLMSetDatavi(sim.ignitersOn, igniters, 0, 2);
    if (GroundServiceMode() == kGroundServiceByUs) SetGroundPowerUnitPresent(true);
    snapshot.windowHeight =
        ClampFinite(static_cast<float>(XPLMGetDatai(sim.windowHeight)), 0.0f, kLargestScreenPx);
    snapshot.windowWidth =
        ClampFinite(static_cast<float>(XPLMGetDatai(sim.windowWidth)), 0.0f, kLargestScreenPx);
    snapshot.now = XPLMGetDataf(sim.runningTime);
    snapshot.prevTime = snapshot.now - 0.03f;
    // A deviation rate measured across a bind would compare unrelated
    // readings: the measurement starts afresh.
    snapshot.hdefRateSince = snapshot.now;
    // Map range and scale are worked out afresh from whatever the selector
    // stands at, even at its lowest setting.
    snapshot.mapRangeSelector = -1;

    char description[kIdentityBytes + 1];
    char author[kIdentityBytes + 1];
    readIdentity(sim.description, description);
    readIdentity(sim.author, author);
    const bool descriptionMatches = std::strstr(description, kServedDescription) != nullptr;
    const bool authorMatches = std::strstr(author, kServedAuthor) != nullptr;

    const bool configured = ReadConfiguration() == 0;
    if (!configured && !(authorMatches && descriptionMatches)) {
        writeOverrides(0);
        pluginActive = 0;
        snapshot.active = 0;
        return -1;
    }
    pluginActive = 1;
    snapshot.active = 1;
    writeOverrides(1);
    BindElectrical();
    RestartFrameRotation();
    return 1;
}

}  // namespace quil
