// The twelve spoiler panels, mixed from the speedbrake lever, the roll
// share of each aileron and the ground-spoiler logic.
#include <algorithm>
#include <iterator>

#include "sim/lazy_dataref.h"
#include "sim/sim_values.h"
#include "systems/air_ground.h"
#include "systems/engines.h"
#include "systems/flight_controls.h"

namespace quil {
namespace {

// The lever from this far out raises the ground spoilers on the ground, and
// so does the left engine's reverser.
constexpr float kGroundSpoilerLever = 0.4f;
constexpr int kLeftEngine = 0;
// Flight spoilers: the lever's share of their travel, and the roll share,
// which starts above 5.5° of aileron deflection and reaches its full 0.33
// at 22°; below 5.5° it takes from the lever's share.
constexpr float kLeverShare = 0.67f;
constexpr float kRollShare = 0.33f;
constexpr float kRollDeadbandDeg = 5.5f;
constexpr float kRollSpanDeg = 16.5f;
// Deflections past anything the ailerons can reach are garbage.
constexpr float kLargestAileronDeg = 90.0f;
// Each panel follows its target with this lag.
constexpr float kLagSeconds = 0.15f;
// A longer frame (a pause) leaves the panels where they are for one step.
constexpr float kLongestSpoilerStepSeconds = 0.2f;

constexpr int kGroundSpoilers[] = {0, 5, 6, 11};  // panels 1, 6, 7 and 12
constexpr int kFlightSpoilersPerWing = 4;
// Flight spoilers from the outboard one of each wing inwards, with their
// share of v: panels 5, 4, 3, 2 on the left and 8, 9, 10, 11 on the right.
constexpr int kLeftFlightSpoilers[kFlightSpoilersPerWing] = {4, 3, 2, 1};
constexpr int kRightFlightSpoilers[kFlightSpoilersPerWing] = {7, 8, 9, 10};
constexpr float kFlightSpoilerShare[kFlightSpoilersPerWing] = {1.0f, 0.85f, 0.7f, 0.55f};

struct Spoilers {
    float target[kSpoilerPanels];
    float position[kSpoilerPanels];
    float previous;
};

Spoilers spoilers{};

LazyDataRef speedbrakeRatio = MakeLazyDataRef("sim/flightmodel/controls/sbrkrat");
LazyDataRef leftAileron = MakeLazyDataRef("sim/flightmodel/controls/lail1def");
LazyDataRef rightAileron = MakeLazyDataRef("sim/flightmodel/controls/rail1def");

// On the ground with the lever out, or with the left reverser on its way
// out, deployed or coming back in.
bool groundSpoilersCommanded(float lever) {
    if (!OnGround()) return false;
    return lever >= kGroundSpoilerLever ||
           ReverserState(kLeftEngine, nullptr) >= kReverserDeploying;
}

void setFlightSpoilers(const int (&panels)[kFlightSpoilersPerWing], float aileronDeg, float lever) {
    const float aileron = SaneInput(aileronDeg, -kLargestAileronDeg, kLargestAileronDeg);
    const float roll = (aileron - kRollDeadbandDeg) / kRollSpanDeg * kRollShare;
    const float v = std::clamp(lever * kLeverShare + roll, 0.0f, 1.0f);
    for (int i = 0; i < kFlightSpoilersPerWing; ++i)
        spoilers.target[panels[i]] = v * kFlightSpoilerShare[i];
}

void setTargets() {
    const float lever = SaneInput(LazyGet(speedbrakeRatio), 0.0f, 1.0f);
    if (groundSpoilersCommanded(lever)) {
        std::fill(std::begin(spoilers.target), std::end(spoilers.target), 1.0f);
        return;
    }
    for (int panel : kGroundSpoilers) spoilers.target[panel] = 0.0f;
    setFlightSpoilers(kLeftFlightSpoilers, LazyGet(leftAileron), lever);
    setFlightSpoilers(kRightFlightSpoilers, LazyGet(rightAileron), lever);
}

}  // namespace

void RestartSpoilers() { spoilers = Spoilers{}; }

void StepAileronsAndSpoilers(float now) {
    const float dt = StepInterval(spoilers.previous, now);
    setTargets();
    // Time standing still or run backwards moves nothing; the lag would
    // divide by zero at dt = -0.15 s.
    if (!eitherEngineRunning() || dt <= 0.0f || dt >= kLongestSpoilerStepSeconds) return;
    for (int panel = 0; panel < kSpoilerPanels; ++panel) {
        float& position = spoilers.position[panel];
        position = (dt * spoilers.target[panel] + position * kLagSeconds) / (dt + kLagSeconds);
    }
}

float SpoilerExtension(int panel) {
    return panel >= 0 && panel < kSpoilerPanels ? spoilers.position[panel] : 0.0f;
}

}  // namespace quil
