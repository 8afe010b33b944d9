// Wing flex: each wing is five segments, root to tip, each on a spring of
// its own and pulled by the next one out, loaded by the lift on its part
// of the wing, by its own and its fuel's weight, by the roll and by the
// bumps of the ground.
#include <cmath>

#include "sim/lazy_dataref.h"
#include "sim/sim_values.h"
#include "sim/units.h"
#include "systems/air_ground.h"
#include "systems/flight_controls.h"
#include "systems/fuel.h"

namespace quil {
namespace {

constexpr int kWings = 2;
constexpr int kLeftWing = 0;
constexpr int kTip = kWingFlexStations - 1;

// Stiffness (N/m), damping (1/s), structure mass (kg) and roll lever arm
// (m, negative on the right wing) of each segment, root to tip.
struct SegmentConstants {
    float stiffness;
    float damping;
    float structureKg;
    float leverArm;
};
constexpr SegmentConstants kSegments[kWings][kWingFlexStations] = {
    {{460000.0f, 4.5f, 2200.0f, 3.7f},
     {350000.0f, 3.9f, 1400.0f, 8.0f},
     {125000.0f, 3.4f, 900.0f, 12.5f},
     {85000.0f, 1.6f, 350.0f, 15.5f},
     {20000.0f, 1.1f, 200.0f, 17.3f}},
    {{480000.0f, 4.3f, 2200.0f, -3.7f},
     {340000.0f, 3.6f, 1400.0f, -8.0f},
     {119000.0f, 3.6f, 900.0f, -12.5f},
     {83000.0f, 1.6f, 350.0f, -15.5f},
     {18500.0f, 1.0f, 200.0f, -17.3f}},
};

// The main tank lies in segments 3 and 4.
constexpr float kFuelShare[kWingFlexStations] = {0.0f, 0.0f, 0.7f, 0.3f, 0.0f};

// Each wing's lift comes from two of the simulator's flight-model parts,
// an inner (A) and an outer (B); the share of each on every segment.
constexpr int kLiftParts = 2;
constexpr int kFirstWingPart = 8;
constexpr int kWingParts = 4;  // elements 8 to 11
constexpr int kLiftPartOf[kWings][kLiftParts] = {{8, 10}, {9, 11}};
constexpr float kLiftShare[kWingFlexStations][kLiftParts] = {
    {0.5f, 0.0f}, {0.3f, 0.1f}, {0.2f, 0.3f}, {0.0f, 0.5f}, {0.0f, 0.1f}};

// Roll acceleration bends the wing only once the aircraft moves: the
// factor g² / (g² + 16) with g the ground speed in m/s.
constexpr float kSpeedFactorSquareMps = 16.0f;
constexpr float kRollCoefficientOnGround = 0.15f;
constexpr float kRollCoefficientAirborne = 0.01f;
// On the ground the sideways jolts of the gear shake the wing.
constexpr float kGroundExcitationPerAy = 2.0f;
// The 3D model's bending value per metre of deflection.
constexpr float kOutputPerDeflection = 0.25f;

// A frame longer than this (a pause or a time jump) is sat out.
constexpr float kLongestFlexStepSeconds = 0.1f;
// Each frame is integrated in equal sub-steps no longer than this; at
// 10 fps a whole step would put the stiffest segments near the edge of the
// integration's stability and flip the wing up and down every frame.
constexpr float kLongestSubStepSeconds = 0.025f;

// Simulator values beyond these are garbage; they are held here so that
// the wing stays finite.
constexpr float kLargestPartForceNewtons = 1.0e7f;
constexpr float kLargestRollAcceleration = 1000.0f;  // deg/s²
constexpr float kLargestSideAcceleration = 100.0f;   // m/s²
constexpr float kLargestTankKg = 20000.0f;

struct Segment {
    float fuelKg;
    float totalKg;
    float force;  // N, up
    float deflection;
    float velocity;
    float acceleration;
    float output;
};

// What moves every segment of both wings alike in one frame.
struct BodyMotion {
    float rollAcceleration;  // P_dot × speed factor × roll coefficient
    float groundExcitation;
};

struct WingFlexModel {
    Segment segments[kWings][kWingFlexStations];
    float previous;
};

// The previous time at load, far enough back that the first frame is sat
// out.
constexpr float kFirstPrevious = -3.0f;
constexpr WingFlexModel kWingFlexAtLoad{{}, kFirstPrevious};
WingFlexModel flex = kWingFlexAtLoad;

LazyDataRef partForces = MakeLazyDataRef("sim/flightmodel/parts/nrml_force");
LazyDataRef rollAcceleration = MakeLazyDataRef("sim/flightmodel/position/P_dot");
LazyDataRef sideAcceleration = MakeLazyDataRef("sim/flightmodel/position/local_ay");

void loadWing(int wing, const float (&parts)[kWingParts]) {
    const float tankKg = SaneInput(MainTankMass(wing), 0.0f, kLargestTankKg);
    float lift[kLiftParts];
    for (int p = 0; p < kLiftParts; ++p)
        lift[p] = SaneInput(parts[kLiftPartOf[wing][p] - kFirstWingPart],
                            -kLargestPartForceNewtons, kLargestPartForceNewtons);
    for (int s = 0; s < kWingFlexStations; ++s) {
        Segment& segment = flex.segments[wing][s];
        segment.fuelKg = kFuelShare[s] * tankKg;
        segment.totalKg = kSegments[wing][s].structureKg + segment.fuelKg;
        segment.force = kLiftShare[s][0] * lift[0] + kLiftShare[s][1] * lift[1];
    }
}

BodyMotion bodyMotion() {
    const float g = groundspeed_mps();
    const float speedFactor = g * g / (g * g + kSpeedFactorSquareMps);
    const bool ground = OnGround();
    const float pDot =
        SaneInput(LazyGet(rollAcceleration), -kLargestRollAcceleration, kLargestRollAcceleration);
    const float ay =
        SaneInput(LazyGet(sideAcceleration), -kLargestSideAcceleration, kLargestSideAcceleration);
    return {pDot * speedFactor * (ground ? kRollCoefficientOnGround : kRollCoefficientAirborne),
            ground ? kGroundExcitationPerAy * ay : 0.0f};
}

// Root to tip; each segment feels the next one out as it was before this
// step.
void integrateWing(int wing, const BodyMotion& motion, float dt) {
    Segment(&segments)[kWingFlexStations] = flex.segments[wing];
    for (int s = 0; s < kWingFlexStations; ++s) {
        const SegmentConstants& c = kSegments[wing][s];
        Segment& segment = segments[s];
        const float gravity = static_cast<float>(kGravity);
        float a = (segment.force - c.stiffness * segment.deflection) / segment.totalKg -
                  (gravity - motion.rollAcceleration * c.leverArm) - motion.groundExcitation;
        if (s < kTip) {
            a += kSegments[wing][s + 1].stiffness * segments[s + 1].deflection / segment.totalKg;
        }
        a -= c.damping * segment.velocity;
        segment.acceleration = a;
        segment.velocity += a * dt;
        segment.deflection += segment.velocity * dt;
        segment.output = segment.deflection * kOutputPerDeflection;
    }
}

}  // namespace

void RestartWingFlex() { flex = kWingFlexAtLoad; }

void StepWingFlex(float now) {
    const float dt = StepInterval(flex.previous, now);
    if (dt <= 0.0f || dt > kLongestFlexStepSeconds) return;

    float parts[kWingParts];
    LazyGetArray(partForces, parts, kFirstWingPart, kWingParts);
    for (int wing = 0; wing < kWings; ++wing) loadWing(wing, parts);
    const BodyMotion motion = bodyMotion();

    const int subSteps = static_cast<int>(std::ceil(dt / kLongestSubStepSeconds));
    const float h = dt / static_cast<float>(subSteps);
    for (int n = 0; n < subSteps; ++n)
        for (int wing = 0; wing < kWings; ++wing) integrateWing(wing, motion, h);
    // Whatever the simulator fed in, a wing whose state stops being a number
    // comes back to rest rather than carry it into every later frame.
    for (int wing = 0; wing < kWings; ++wing) {
        for (Segment& segment : flex.segments[wing]) {
            if (!std::isfinite(segment.deflection) || !std::isfinite(segment.velocity) ||
                !std::isfinite(segment.acceleration) || !std::isfinite(segment.output)) {
                for (Segment& reset : flex.segments[wing]) {
                    reset.deflection = reset.velocity = reset.acceleration = reset.output = 0.0f;
                }
                break;
            }
        }
    }
}

float WingFlex(int side, int station) {
    if (side < 0 || side >= kWings || station < 0 || station >= kWingFlexStations) return 0.0f;
    return flex.segments[side][station].output;
}

}  // namespace quil
