// What the electrical model reads from the models built after it. The
// cabin utilities window answers for its switches; until a model provides
// its own query, the query here answers from one record of pending values,
// which holds each model's neutral value and lets tests stand in for the
// model.
#pragma once

namespace quil {

bool GlideSlopeIsolation();                // autoflight vertical guidance
bool CabinUtilitySwitchOn(int number);     // cabin utilities window: switch 1 (0) or 2 (1)

struct PendingModelValues {
    bool glideSlopeIsolation = false;
};

extern PendingModelValues pendingModelValues;

}  // namespace quil
