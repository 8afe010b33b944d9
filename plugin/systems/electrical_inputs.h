// What the electrical model reads from the models built after it. Until a
// model provides its own query, the query here answers from one record of pending values,
// which holds each model's neutral value and lets tests stand in for the
// model.
#pragma once

namespace quil {

bool GlideSlopeIsolation();                // autoflight vertical guidance

struct PendingModelValues {
    bool glideSlopeIsolation = false;
};

extern PendingModelValues pendingModelValues;

}  // namespace quil
