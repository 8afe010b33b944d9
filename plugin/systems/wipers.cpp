#include "systems/wipers.h"

#include <algorithm>
#include <cmath>

#include "sim/random.h"
#include "systems/electrical.h"

namespace quil {
namespace {

constexpr float kStowSeconds = 0.54f;           // park to ready
constexpr float kStartSpeed = 1.25f;            // positions per second
constexpr float kSpeedSpread = 0.05f;           // positions per second
// Stroke speed and pause between strokes per selector: PARK, INT, LOW, HIGH.
constexpr float kStrokeSpeed[] = {1.25f, 1.25f, 1.25f, 1.886792453f};  // positions per second
constexpr float kDwellSeconds[] = {0.0f, 5.0f, 0.15f, 0.15f};

struct Wiper;
using WiperState = void (*)(Wiper&, float now, float dt);

struct Wiper {
    int selector;
    float stow;      // wiperStow
    float position;  // wiperPos
    float speed;     // wiperSpeed, negative on the return stroke
    float dwellStart;
    WiperState state;
};

void initialise(Wiper& w, float now, float dt);
void parked(Wiper& w, float now, float dt);
void unstowing(Wiper& w, float now, float dt);
void stowing(Wiper& w, float now, float dt);
void sweeping(Wiper& w, float now, float dt);
void dwelling(Wiper& w, float now, float dt);

Wiper wipers[kWipers] = {{0, 0.0f, 0.0f, kStartSpeed, 0.0f, initialise},
                         {0, 0.0f, 0.0f, kStartSpeed, 0.0f, initialise}};
float previousTime = 0.0f;

bool powered() { return dcBusPowered(0); }
bool onStand(int wiper) { return wiper >= 0 && wiper < kWipers; }

void startStroke(Wiper& w) {
    w.position = 0.0f;
    w.speed = kStrokeSpeed[w.selector] + kSpeedSpread * RandomUnit();
    w.state = sweeping;
}

void initialise(Wiper& w, float now, float) {
    w.state = parked;
    w.stow = 0.0f;
    w.position = 0.0f;
    w.speed = kStartSpeed;
    w.dwellStart = now;
}

void parked(Wiper& w, float, float) {
    if (w.selector != kWiperPark) w.state = unstowing;
}

void unstowing(Wiper& w, float, float dt) {
    if (powered()) {
        w.stow += dt / kStowSeconds;
        if (w.stow >= 1.0f) {
            w.stow = 1.0f;
            startStroke(w);
        }
    }
    if (w.selector == kWiperPark) w.state = stowing;
}

void stowing(Wiper& w, float, float dt) {
    if (powered()) {
        w.stow -= dt / kStowSeconds;
        if (w.stow <= 0.0f) {
            w.stow = 0.0f;
            w.position = 0.0f;
            w.state = parked;
        }
    }
    if (w.selector != kWiperPark) w.state = unstowing;
}

// A stroke always completes, whatever the selector.
void sweeping(Wiper& w, float now, float dt) {
    if (!powered()) return;
    w.position += dt * w.speed;
    if (w.speed > 0.0f && w.position >= 1.0f) {
        w.position = 1.0f;
        w.speed = -w.speed;
    } else if (w.speed < 0.0f && w.position <= 0.0f) {
        w.position = 0.0f;
        w.dwellStart = now;
        w.state = dwelling;
    }
}

void dwelling(Wiper& w, float now, float) {
    if (w.selector == kWiperPark) {
        w.position = 0.0f;
        w.state = stowing;
    } else if (now - w.dwellStart > kDwellSeconds[w.selector]) {
        startStroke(w);
    }
}

}  // namespace

void StepWipers(float now) {
    if (!std::isfinite(now)) return;
    // A clock run backwards moves nothing.
    const float dt = std::max(0.0f, now - previousTime);
    for (Wiper& w : wipers) w.state(w, now, dt);
    previousTime = now;
}

void WiperSelectorUp(int wiper) {
    if (onStand(wiper)) wipers[wiper].selector = std::min(kWiperHigh, wipers[wiper].selector + 1);
}
void WiperSelectorDown(int wiper) {
    if (onStand(wiper)) wipers[wiper].selector = std::max(kWiperPark, wipers[wiper].selector - 1);
}
int WiperSelector(int wiper) { return onStand(wiper) ? wipers[wiper].selector : kWiperPark; }
float WiperStowage(int wiper) { return onStand(wiper) ? wipers[wiper].stow : 0.0f; }
float WiperPosition(int wiper) { return onStand(wiper) ? wipers[wiper].position : 0.0f; }

}  // namespace quil
