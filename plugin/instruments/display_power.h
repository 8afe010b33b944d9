// The power-on brightness ramp of the panel's display units: a unit comes
// on dim and brightens to the panel's instrument brightness, and fades to
// black when its power goes.
#pragma once

namespace quil {

struct DisplayUnit {
    float startLevel;   // where a unit coming on begins
    float riseSeconds;  // from 0 to full brightness
    float fallSeconds;  // from full brightness to 0
};

constexpr DisplayUnit kEngineDisplayUnit = {0.161f, 24.4f, 11.7f};
constexpr DisplayUnit kNavDisplayUnit = {0.19f, 22.8f, 10.0f};
constexpr DisplayUnit kSmallDisplayUnit = {0.17f, 22.8f, 11.7f};
constexpr DisplayUnit kAttitudeDisplayUnit = {0.148f, 19.0f, 12.0f};

struct DisplayLevel {
    float level = -2.0f;  // below any start level: the first power-on starts there
    float lastUpdate = 0.0f;
    bool updated = false;  // the first step has no interval to count
};

// The panel's instrument brightness, 0 .. 1 (1 when the simulator gives
// nonsense): a unit ramps up to it, and a dimmer unit is partly covered.
float InstrumentBrightness();

// One draw's step of the ramp with the simulator's running time. Powered,
// it sets the panel brightness to the level and returns true: draw the
// unit. Unpowered it returns false: draw only the unit's black cover, with
// alpha 1 - level.
bool StepDisplayLevel(DisplayLevel& display, const DisplayUnit& unit, bool powered, float now);

// Hands a move of the simulator's instrument brightness on to the panel
// colours; run each frame after the electrical step.
void FollowInstrumentBrightness();

}  // namespace quil
