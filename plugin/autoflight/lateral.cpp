#include "autoflight/lateral.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "XPLMDataAccess.h"
#include "autoflight/modes.h"
#include "control/controllers.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "sim/units.h"
#include "systems/air_ground.h"

namespace quil {
namespace {

// HSI source selector positions
constexpr std::uint8_t kNavSourceNav1 = 0;
constexpr std::uint8_t kNavSourceGps = 2;

// Heading select: a heading crossing north between two frames
constexpr float kNearNorthDeg = 10.0f;
constexpr float kFullTurnDeg = 360.0f;
constexpr float kHalfTurnDeg = 180.0f;

// VOR/LOC capture
constexpr float kCaptureDots = 0.5f;
constexpr float kStraightOnRad = 0.05f;
constexpr float kCaptureMarginS = 5.0f;

// Roll targets
constexpr float kCrossTrackInputPerDeg = 16.0f;  // LNAV: cross-track degrees of arc
constexpr float kCrossTrackCurve = 40.0f;        // intercept angle per (input * |input|)
constexpr float kCrossTrackLoopWeight = 2.5f;
constexpr float kLocalizerInputPerDot = 5.0f;
constexpr float kLocalizerTrackFraction = 0.6f;
constexpr float kCrossTrackStartDots = 0.4f;
constexpr float kCrossTrackStartDelayS = 4.0f;

// Trims
constexpr float kRollErrorFilterS = 0.25f;
constexpr float kAileronTrimPerFlap = 60.0f;  // trim authority: (60 * flap + 60) / speed
constexpr float kAileronTrimBase = 60.0f;
constexpr float kAileronTrimLeastSpeedKnots = 100.0f;

std::uint8_t navSource = kNavSourceNav1;

struct HeadingSelect {
    float hdgTarget = 0.0f;      // may leave 0 ... 360
    float hdgWrapOffset = 0.0f;  // whole turns
    float lastRawHeading = 0.0f;
};

HeadingSelect heading;

// What the engaged roll mode steers to, target and current in one unit.
struct RollTarget {
    float target = 0.0f;
    float current = 0.0f;
    float crossTrackInput = 0.0f;
    bool active = false;
};

struct RollOutputs {
    RateLimitedController crossTrackLoop{-1.0f, 3.0f, 0.0118f, -25.0f, 25.0f, 0.0f};
    float crossTrackOutput = 0.0f;  // degrees
    float crossTrackDueTime = 0.0f;
    RollTarget heldVorLoc;  // the last VOR/LOC target steered with a signal
    float rollCommand = 0.0f;
    float rollError = 0.0f;
    float lastTime = 0.0f;
    RateLimitedController aileronTrimLoop{-0.085f, 0.75f, 0.145f, -1.0f, 1.0f, 0.0f};
    FilteredController rudderTrimLoop{-0.0044f, 1.0f, 0.0f, 3.8f, 0.08f, 10.2f, -30.0f, 30.0f};
    float savedAileronTrim = 0.0f;
    float savedRudderTrim = 0.0f;
    bool lawWasActive = false;
    // What this frame's roll command step found.
    bool steering = false;
    bool lawActive = false;
};

RollOutputs roll;

float wrappedDegrees(float degrees) {
    WrapToNear(degrees, 0.0f);
    return degrees;
}

// The receiver's course, degrees true.
float receiverTrueCourse() { return snapshot.navCourse - snapshot.magVar; }

// Seconds the turn onto the receiver's course takes, with a margin.
float timeToTurnS() {
    const float delta =
        std::fabs(wrappedDegrees(snapshot.navCourse - snapshot.magHeading)) /
        static_cast<float>(kDegreesPerRadian);
    if (delta < kStraightOnRad) return 0.0f;
    const float tanBank = tanMaxBankAngle(delta * static_cast<float>(kDegreesPerRadian));
    return groundspeed_mps() * std::tan(delta / 2.0f) / (tanBank * static_cast<float>(kGravity)) +
           kCaptureMarginS;
}

RollTarget hdgSelTarget() {
    RollTarget t;
    t.target = heading.hdgTarget;
    t.current = CurrentHeadingUnwrapped();
    t.active = true;
    return t;
}

// The leg's course, turned towards the leg by the cross-track distance.
RollTarget lnavTarget() {
    RollTarget t;
    const float x = CrossTrackDeg() * kCrossTrackInputPerDeg;
    t.target = LegCourse() - kCrossTrackCurve * x * std::fabs(x) +
               kCrossTrackLoopWeight * roll.crossTrackOutput;
    if (!xtrackPidOn() && TurnComplete()) SetCrossTrackLoop(true);
    t.current = snapshot.track;
    WrapToNear(t.target, t.current);
    t.crossTrackInput = x;
    t.active = snapshot.radioAltitude > kLnavEngageMinRadioAltitudeFeet;
    return t;
}

// The track, moved towards the receiver's course and its deviation; the
// cross-track loop starts once the deviation has stayed small for 4 s. The
// needle's sense follows the selected course on either side of a VOR, so
// the course is flown inbound and outbound alike. While the receiver shows
// its flag the last target track is held: the mode stays for a short loss,
// as over a VOR, and does not steer to the resting needle.
RollTarget vorLocTarget(float now) {
    if (snapshot.navLateralFlag) {
        RollTarget held = roll.heldVorLoc;
        held.current = snapshot.track;
        WrapToNear(held.target, held.current);
        return held;
    }
    RollTarget t;
    const float track = snapshot.track;
    const float deviation = snapshot.navHdef;
    const float trackError = wrappedDegrees(track - receiverTrueCourse());
    const float correction = TurnDone() ? -deviation * kLocalizerInputPerDot : 0.0f;
    const float offset = (trackError + correction) * kLocalizerTrackFraction;
    if (!xtrackPidOn() && TurnComplete()) {
        if (std::fabs(deviation) < kCrossTrackStartDots && roll.crossTrackDueTime <= 0.0f) {
            roll.crossTrackDueTime = now + kCrossTrackStartDelayS;
        } else if (roll.crossTrackDueTime > 0.0f && roll.crossTrackDueTime < now) {
            SetCrossTrackLoop(true);
        }
    }
    t.target = track - offset;
    t.current = track;
    WrapToNear(t.target, t.current);
    t.crossTrackInput = deviation * kLocalizerInputPerDot;
    t.active = true;
    roll.heldVorLoc = t;
    return t;
}

// A trim loop starts from the simulator's trim and writes its result back;
// an unusable trim from the simulator is left alone.
void writeTrim(XPLMDataRef ref, float trim) {
    if (std::isfinite(trim)) XPLMSetDataf(ref, trim);
}

void releaseRollLaw(float now) {
    roll.steering = false;
    roll.lawActive = false;
    roll.rollCommand = 0.0f;
    roll.lastTime = now;
    StopRollLaw();
}

// No roll mode: the flight director shows wings level, and the trims the
// law found when it started are given back.
void releaseTrims() {
    XPLMSetDataf(sim.fdRoll, 0.0f);
    if (roll.lawWasActive) {
        writeTrim(sim.aileronTrim, roll.savedAileronTrim);
        writeTrim(sim.rudderTrim, roll.savedRudderTrim);
    } else {
        roll.savedAileronTrim = XPLMGetDataf(sim.aileronTrim);
        roll.savedRudderTrim = XPLMGetDataf(sim.rudderTrim);
    }
    roll.lawWasActive = false;
}

void steerRoll(const RollTarget& t, float now) {
    StepRateLimited(roll.crossTrackLoop, now, xtrackPidOn() ? kLoopRun : kLoopActivate, 0.0f,
                    t.crossTrackInput, roll.crossTrackOutput);
    RollCommand(t.target, t.current, now, MaxBankAngle(), roll.rollCommand, t.active);
    roll.steering = true;
    roll.lawActive = t.active;
}

// The flight director roll, then the roll-error filter and the aileron and
// rudder trim loops, each started from the simulator's trim.
void trimRoll(float now) {
    const bool active = roll.lawActive;
    XPLMSetDataf(sim.fdRoll, roll.rollCommand);
    float aileronTrim = XPLMGetDataf(sim.aileronTrim);
    float rudderTrim = XPLMGetDataf(sim.rudderTrim);

    const float dt = std::max(StepInterval(roll.lastTime, now), 0.0f);
    const float bankError = snapshot.roll - roll.rollCommand;
    const float filtered = (kRollErrorFilterS * roll.rollError + dt * bankError) / (dt + kRollErrorFilterS);
    if (std::isfinite(filtered)) roll.rollError = filtered;

    const float authority = (kAileronTrimPerFlap * snapshot.flapRatio + kAileronTrimBase) /
                            std::fmax(snapshot.ias, kAileronTrimLeastSpeedKnots);
    roll.aileronTrimLoop.outMin = -authority;
    roll.aileronTrimLoop.outMax = authority;
    StepRateLimited(roll.aileronTrimLoop, now, active ? kLoopRun : kLoopTrack, 0.0f,
                    roll.rollError, aileronTrim);
    writeTrim(sim.aileronTrim, aileronTrim);

    StepFiltered(roll.rudderTrimLoop, now, active, 0.0f, snapshot.slipBall, rudderTrim);
    writeTrim(sim.rudderTrim, rudderTrim);
    roll.lawWasActive = active;
}

}  // namespace

void WriteNavSource() { XPLMSetDatai(sim.hsiSelector, navSource); }

void NavSourcePrev() {
    if (navSource > kNavSourceNav1) --navSource;
}

void NavSourceNext() {
    if (navSource < kNavSourceGps) ++navSource;
}

void ShiftHeadingTarget(float degrees) {
    if (std::isfinite(degrees)) heading.hdgTarget += degrees;
}

void SetHeadingTarget(float target) {
    if (std::isfinite(target)) heading.hdgTarget = target;
}

float HeadingTarget() { return heading.hdgTarget; }

// Counts whole turns as the heading crosses north, so that a turn goes the
// way the knob was turned, also beyond 180 deg.
float CurrentHeadingUnwrapped() {
    const float m = snapshot.magHeading;
    if (!apHdgSel()) return m;
    if (!std::isfinite(m)) return heading.lastRawHeading + heading.hdgWrapOffset;
    if (m < kNearNorthDeg && heading.lastRawHeading > kFullTurnDeg - kNearNorthDeg) {
        heading.hdgWrapOffset += kFullTurnDeg;
    } else if (m > kFullTurnDeg - kNearNorthDeg && heading.lastRawHeading < kNearNorthDeg) {
        heading.hdgWrapOffset -= kFullTurnDeg;
    }
    heading.lastRawHeading = m;
    return m + heading.hdgWrapOffset;
}

void RecomputeHeadingWrap() {
    const float m = snapshot.magHeading;
    if (std::isfinite(m)) heading.lastRawHeading = m;
    heading.hdgWrapOffset = 0.0f;
    if (!apHdgSel()) return;
    const float away = heading.lastRawHeading - heading.hdgTarget;
    if (away > kHalfTurnDeg) {
        heading.hdgWrapOffset = -kFullTurnDeg;
    } else if (away < -kHalfTurnDeg) {
        heading.hdgWrapOffset = kFullTurnDeg;
    }
}

void SetCrossTrackLoop(bool on) {
    if (on != xtrackPidOn()) {
        SetXtrackPidOn(on);
        roll.crossTrackOutput = 0.0f;
    }
    roll.crossTrackDueTime = 0.0f;
}

void ClearCrossTrackOutput() { roll.crossTrackOutput = 0.0f; }

// Captures within half a dot, or when the deviation closes in no more time
// than the turn onto the course takes, on a station the receiver hears: a
// flagged needle rests centred wherever the aircraft is.
void VorLocCaptureStep(float now) {
    if (!snapshot.hdefRateValid || snapshot.navLateralFlag) return;
    const float deviation = snapshot.navHdef;
    const float rate = snapshot.hdefRate;
    const bool captured = std::fabs(deviation) <= kCaptureDots ||
                          (deviation * rate < 0.0f && std::fabs(deviation / rate) <= timeToTurnS());
    if (!captured) return;
    mcpVorLocCapture(kMcpOn);
    if (!apVorLocEng()) return;
    float target = receiverTrueCourse();
    WrapToNear(target, snapshot.track);
    StartTurn(target, snapshot.track, now);
    roll.heldVorLoc = RollTarget{target, snapshot.track, 0.0f, true};
}

// The first engaged of HDG SEL, LNAV and VOR/LOC steers.
void RollCommandStep(float now) {
    if (!std::isfinite(now)) return;
    if (apLnavEng() && !FlightPlanValid()) mcpLnavEngage(kMcpOff);
    if (apHdgSel()) {
        steerRoll(hdgSelTarget(), now);
    } else if (apLnavEng()) {
        steerRoll(lnavTarget(), now);
    } else if (apVorLocEng()) {
        steerRoll(vorLocTarget(now), now);
    } else {
        releaseRollLaw(now);
    }
}

void RollOutputStep(float now) {
    if (!std::isfinite(now)) return;
    if (roll.steering) {
        trimRoll(now);
    } else {
        releaseTrims();
    }
}

}  // namespace quil
