// What the electrical model reads from the models built after it. Until a
// model provides its own query, the query here answers from one record of
// pending values, which holds each model's neutral value and lets tests
// stand in for the model.
#pragma once

namespace quil {

float WindowHeatCurrent(int channel);      // anti-ice: window heat channel 0 to 3
bool ProbeHeaterOn(int side, int heater);  // anti-ice: heater 0 to 3 of the side's probe group
bool GlideSlopeIsolation();                // autoflight vertical guidance
bool CabinUtilitySwitchOn(int number);     // cabin utilities window: switch 1 (0) or 2 (1)

struct PendingModelValues {
    float windowHeatCurrent[4] = {};
    bool probeHeaterOn[2][4] = {};
    bool glideSlopeIsolation = false;
    bool cabinUtilitySwitchOn[2] = {};
};

extern PendingModelValues pendingModelValues;

}  // namespace quil
