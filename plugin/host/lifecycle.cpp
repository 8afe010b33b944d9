#include "host/lifecycle.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "XPLMPlugin.h"
#include "XPLMProcessing.h"
#include "autoflight/modes.h"
#include "autoflight/phases.h"
#include "autoflight/protocol.h"
#include "host/draw_callbacks.h"
#include "host/published_datarefs.h"
#include "host/served_aircraft.h"
#include "host/frame_table.h"
#include "instruments/engine_display.h"
#include "panel/bindable_commands.h"
#include "panel/click_spots.h"
#include "render/colours.h"
#include "render/geometry.h"
#include "render/textures.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/anti_ice.h"
#include "systems/apu.h"
#include "systems/clock.h"
#include "systems/electrical.h"
#include "systems/engines.h"
#include "systems/fuel.h"
#include "systems/refuelling.h"
#include "windows/fuel_request_dialog.h"
#include "windows/fuel_station_window.h"
#include "windows/overhead.h"
#include "windows/popups.h"
#include "windows/version_check.h"

namespace quil {

float resetDueTime = -1.0f;
XPLMWindowID panelMouseWindow = nullptr;

namespace {

constexpr char kPluginName[] = "quilplugin";
constexpr char kPluginDescription[] = "A plugin that simulates Boeing 737NG systems";
constexpr float kInitialPanelBrightness = 0.85f;
constexpr float kResetDelay = 1.0f;          // seconds after start or load
// Percent of engine 1: at or above, the reset after a load finds the engines
// running and keeps their generators on line.
constexpr float kWarmResetN2 = 27.0f;

// The delayed model reset is due one second after the latest full reset.
void scheduleDelayedReset() { resetDueTime = snapshot.now + kResetDelay; }

void announce() {
    Broadcast(GroundServiceHello);
    Broadcast(GroundServiceState);
}

// The commands are ours while the aircraft is served; with another
// aircraft the simulator's own go back to it.
void followServedAircraft() {
    if (pluginActive) {
        RegisterCommands();
    } else {
        UnregisterCommands();
    }
}

void drawNothing(XPLMWindowID, void*) {}
void ignoreKey(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}

void onAircraftLoaded() {
    DestroyAllPopups();
    const int served = BindSimulatorState();
    followServedAircraft();
    if (served < 0) {
        DestroyPanelMouseWindow();
        return;
    }
    SetGroundServiceMode(0);
    snapshot.galleySwitch = 0;
    snapshot.cabinLightSwitch = 0;
    BuildEngineDialGeometry();
    ClearAntiIceInitialised();
    UnloadPanelTextures();
    LoadPanelTextures();
    if (!AircraftVersionAccepted()) ShowVersionConflict();
    scheduleDelayedReset();
    ResetAll(true, snapshot.now);
    announce();
}

void onAirportLoaded() {
    BindSimulatorState();
    followServedAircraft();
    if (!pluginActive) return;
    ClearAntiIceInitialised();
    ResetAll(true, snapshot.now);
    scheduleDelayedReset();
    announce();
}

}  // namespace

int StartPlugin(char* outName, char* outSignature, char* outDescription) {
    std::strcpy(outName, kPluginName);
    std::strcpy(outSignature, kPluginSignature);
    std::strcpy(outDescription, kPluginDescription);
    RestartElectricalModel();
    RestartApuModel();
    RestartEngineModel();
    RestartFuelModel();
    ResetPanelGeometry();
    const int served = BindSimulatorState();
    followServedAircraft();
    UnloadPanelTextures();
    LoadPanelTextures();
    InitAutoflightConstants();
    SetPanelBrightness(kInitialPanelBrightness);
    BuildEngineDialGeometry();
    RegisterDrawCallbacks();
    XPLMRegisterFlightLoopCallback(FlightLoop, kFlightLoopInterval, nullptr);
    announce();
    RegisterPublishedDataRefs();
    CreateAllPopups();
    scheduleDelayedReset();
    ResetAll(true, snapshot.now);
    return served;
}

void StopPlugin() {
    UnregisterCommands();
    UnloadPanelTextures();
    UnregisterDrawCallbacks();
    XPLMUnregisterFlightLoopCallback(FlightLoop, nullptr);
    UnregisterPublishedDataRefs();
    DestroyAllPopups();
    DestroyVersionConflict();
    // The alert's widgets call into this plug-in: none may outlive it.
    DestroyFuellingAlert();
    DestroyFuelRequestDialog();
    DestroyPanelMouseWindow();
}

int EnablePlugin() {
    LoadPanelTextures();
    return 1;
}

void DisablePlugin() { UnloadPanelTextures(); }

// Every message goes to the autoflight protocol first, whatever the state;
// the ground-service notices and the simulator's own messages are then
// handled here. A message goes to the protocol once only, so a query is
// never answered twice.
void ReceiveMessage(int from, int message, void* param) {
    AfdsMessageReceived(from, message, param);
    switch (static_cast<uint32_t>(message)) {
        case GroundServiceTakeover:
            if (!pluginActive) return;
            SetGroundServiceMode(1);
            Broadcast(GroundServiceState);
            return;
        case ExternalPowerConnect:
            if (!pluginActive) return;
            SetGroundPowerUnitPresent(true);
            Broadcast(GroundServiceState);
            return;
        case ExternalPowerDisconnect:
            if (pluginActive) SetGroundPowerUnitPresent(false);
            return;
        case XPLM_MSG_PLANE_LOADED:
            onAircraftLoaded();
            return;
        case XPLM_MSG_AIRPORT_LOADED:
            onAirportLoaded();
            return;
        default:
            return;
    }
}

float FlightLoop(float, float, int, void*) {
    if (!pluginActive) return kFlightLoopInterval;
    RunFrame();
    // A clock run back past the load takes the due time back with it, so the
    // reset still comes about a second of frames after the load.
    if (resetDueTime > 0.0f && resetDueTime - kResetDelay > snapshot.now) scheduleDelayedReset();
    if (resetDueTime > 0.0f && resetDueTime < snapshot.now) {
        ClearStartupHold();
        ResetModels(N2(0) < kWarmResetN2, snapshot.now);
        resetDueTime = -1.0f;
    }
    return kFlightLoopInterval;
}

void ResetAll(bool cold, float now) {
    ResetModels(cold, now);
    ResetClock(0);
    ResetClock(1);
    AfdsReset();
    DestroyAllPopups();
    CreateAllPopups();
    BuildEngineDialGeometry();
    CloseFuelStationWindows();
    HideFuelRequestDialog();
}

void ResetModels(bool cold, float now) {
    ReleaseStarter(0);
    ReleaseStarter(1);
    if (!cold) SetGeneratorsRunning();
    ResetApu();
    ResetFuel(cold, now);
    ClearFuelSwitchStates(now);
    SetFuelPanelSwitches(cold);
    ResetRefuelling();
    ResetDriveGenerators();
    RestartFlightPhase();
    SetElectricalChannels(!cold);
    ResetMeterWindow(cold);
    SelectThrustLimitTable(1);
    SetAuxPanelSpotEnabled(AuxTankCount() > 0);
}

void EnsurePanelMouseWindow() {
    if (panelMouseWindow != nullptr) return;
    panelMouseWindow = XPLMCreateWindow(0, static_cast<int>(snapshot.windowHeight),
                                        static_cast<int>(snapshot.windowWidth), 0, 1, drawNothing,
                                        ignoreKey, HandlePanelClick, nullptr);
}

void DestroyPanelMouseWindow() {
    if (panelMouseWindow == nullptr) return;
    XPLMDestroyWindow(panelMouseWindow);
    panelMouseWindow = nullptr;
}

}  // namespace quil
