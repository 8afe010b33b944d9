// The high-lift devices: four leading-edge groups (slats and Krueger flaps
// of each wing) with their own sequencing, and the trailing-edge flaps of
// each wing following the simulator's flap ratio.
#include <cmath>

#include "sim/lazy_dataref.h"
#include "sim/snapshot.h"
#include "sim/sim_values.h"
#include "systems/engines.h"
#include "systems/flight_controls.h"

namespace quil {
namespace {

constexpr int kWings = 2;

// Below flaps 1 everything on the leading edge is in; from flaps 1 the
// Kruegers are out and the slats stand at their intermediate position,
// and past flaps 5 (a request of 0.33) the slats run fully out.
constexpr float kLeadingEdgeOutRequest = 0.1f;
constexpr float kSlatsFullRequest = 0.33f;
constexpr float kSlatsIntermediate = 0.6f;

constexpr float kLeadingEdgeRatePerSecond = 0.18f;
constexpr float kTrailingEdgeRatePerSecond = 0.08f;
// A longer frame (a pause) leaves the leading edge where it is for one step.
constexpr float kLongestLeadingEdgeStepSeconds = 0.8f;

// A group farther than this from its target is in transit; one out
// farther than kExtendedPosition and not in transit is extended.
constexpr float kTransitTolerance = 0.01f;
constexpr float kExtendedPosition = 0.1f;

struct LeadingEdgeGroup {
    float target;
    float position;
    bool transit;
    bool extended;
};

struct HighLift {
    LeadingEdgeGroup groups[kLeadingEdgeGroups];
    float trailingEdge[kWings];
    float previous;
};

HighLift highLift{};

LazyDataRef flapRequest = MakeLazyDataRef("sim/flightmodel/controls/flaprqst");

float moveTowards(float position, float target, float step) {
    if (std::fabs(target - position) <= step) return target;
    return position < target ? position + step : position - step;
}

void setLeadingEdgeTargets(float request) {
    const bool out = request >= kLeadingEdgeOutRequest;
    const float slats = !out ? 0.0f : request > kSlatsFullRequest ? 1.0f : kSlatsIntermediate;
    const float krueger = out ? 1.0f : 0.0f;
    highLift.groups[kLeftSlats].target = slats;
    highLift.groups[kLeftKrueger].target = krueger;
    highLift.groups[kRightKrueger].target = krueger;
    highLift.groups[kRightSlats].target = slats;
}

void moveTrailingEdge(float dt) {
    const float ratio = SaneInput(snapshot.flapRatio, 0.0f, 1.0f);
    for (float& position : highLift.trailingEdge)
        position = moveTowards(position, ratio, kTrailingEdgeRatePerSecond * dt);
}

void moveLeadingEdge(float dt) {
    for (LeadingEdgeGroup& group : highLift.groups)
        group.position = moveTowards(group.position, group.target, kLeadingEdgeRatePerSecond * dt);
}

void setFlags() {
    for (LeadingEdgeGroup& group : highLift.groups) {
        group.transit = std::fabs(group.position - group.target) > kTransitTolerance;
        group.extended = group.position > kExtendedPosition && !group.transit;
    }
}

bool validGroup(int group) { return group >= 0 && group < kLeadingEdgeGroups; }

}  // namespace

void RestartHighLift() { highLift = HighLift{}; }

void StepFlapsAndSlats(float now) {
    const float dt = StepInterval(highLift.previous, now);
    setLeadingEdgeTargets(SaneInput(LazyGet(flapRequest), 0.0f, 1.0f));
    // Time run backwards would drive the surfaces away from their targets.
    const bool hydraulics = eitherEngineRunning() && dt > 0.0f;
    if (hydraulics) moveTrailingEdge(dt);
    if (hydraulics && dt < kLongestLeadingEdgeStepSeconds) moveLeadingEdge(dt);
    setFlags();
}

float LeadingEdgeExtension(int group) {
    return validGroup(group) ? highLift.groups[group].position : 0.0f;
}
bool LeadingEdgeInTransit(int group) { return validGroup(group) && highLift.groups[group].transit; }
bool LeadingEdgeExtended(int group) { return validGroup(group) && highLift.groups[group].extended; }

float TrailingEdgeExtension(int side) {
    return side >= 0 && side < kWings ? highLift.trailingEdge[side] : 0.0f;
}

}  // namespace quil
