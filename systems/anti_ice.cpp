#include "systems/anti_ice.h"

#include <cstdint>

namespace quil {
namespace {

// The panel's switch positions: 0 off, 1 on.
struct AntiIceSwitches {
    std::uint8_t wing = 0;
    std::uint8_t engine[kAntiIceEngines] = {};
    std::uint8_t probeHeat[kProbeHeatSides] = {};
    std::uint8_t windowHeat[kWindowHeatChannels] = {};
};

AntiIceSwitches switches;

template <int Count>
bool onPanel(int index) {
    return index >= 0 && index < Count;
}

}  // namespace

void StepAntiIce() {}
void ClearAntiIceInitialised() {}
unsigned char EngineAntiIceState(int) { return 0; }

void SetWingAntiIceSwitch(bool on) { switches.wing = on; }
bool WingAntiIceSwitch() { return switches.wing; }

void SetEngineAntiIceSwitch(int engine, bool on) {
    if (onPanel<kAntiIceEngines>(engine)) switches.engine[engine] = on;
}
bool EngineAntiIceSwitch(int engine) {
    return onPanel<kAntiIceEngines>(engine) && switches.engine[engine];
}

void SetProbeHeatSwitch(int side, bool on) {
    if (onPanel<kProbeHeatSides>(side)) switches.probeHeat[side] = on;
}
bool ProbeHeatSwitch(int side) {
    return onPanel<kProbeHeatSides>(side) && switches.probeHeat[side];
}

void SetWindowHeatSwitch(int channel, bool on) {
    if (onPanel<kWindowHeatChannels>(channel)) switches.windowHeat[channel] = on;
}
bool WindowHeatSwitch(int channel) {
    return onPanel<kWindowHeatChannels>(channel) && switches.windowHeat[channel];
}

}  // namespace quil
