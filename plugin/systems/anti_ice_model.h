// The anti-ice model's record, shared by its window heat, wing and engine
// parts.
#pragma once

#include <cstdint>

#include "systems/anti_ice.h"
#include "systems/motorised_valve.h"

namespace quil {

struct WindowHeatChannel {
    std::uint8_t switchOn;
    std::uint8_t heating;
    float overheat;           // 0 or 1
    float temperature;        // °C
    float heatingCoefficient; // per second
    float coolingCoefficient; // per second
};

struct WingDuct {
    MotorisedValve valve;
    float temperature;        // °C
    float heatingCoefficient; // per second
    float coolingCoefficient; // per second
};

struct EngineAntiIce {
    std::uint8_t switchOn;
    std::uint8_t valve;  // kValveClosed or kValveOpen
    float due;           // running time of the pending transition, -1 when none
};

struct AntiIceModel {
    std::uint8_t initialised;
    WindowHeatChannel window[kWindowHeatChannels];
    std::uint8_t overheatTest, powerTest;
    std::uint8_t probeSwitch[kProbeHeatSides];
    std::uint8_t probeLamps[kProbeHeatSides][kProbeHeatLamps];
    std::uint8_t wingSwitch;
    WingDuct wing[kWings];
    EngineAntiIce engine[kAntiIceEngines];
    float lastTime;
};

extern AntiIceModel antiIce;

// The wing and engine anti-ice valves' motors: the same travel time, and
// power from AC transfer bus 1 or the standby power system.
constexpr float kAntiIceValveTransit = 2.0f;        // s
constexpr float kAntiIceValveTransitSpread = 0.6f;  // s
bool AntiIceValvesPowered();

template <int Count>
bool onPanel(int index) {
    return index >= 0 && index < Count;
}

// Each part's share of initialisation and of the step; dt > 0. The window
// part answers whether every channel is powered and clear of ice.
void InitialiseWindowHeat();
bool StepWindowHeat(float dt);
void StepProbeHeat();
void InitialiseWingAntiIce();
void StepWingAntiIce(float now, float dt);
// The left duct is hot enough for the simulator's wing heat.
bool WingSurfaceHeated();

}  // namespace quil
