#include "autoflight/vertical.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "XPLMDataAccess.h"
#include "autoflight/earth.h"
#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "control/controllers.h"
#include "sim/lazy_dataref.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "sim/units.h"
#include "systems/air_ground.h"

namespace quil {
namespace {


// Every pitch mode comes down to a vertical speed, fpm.
constexpr float kMaxVsAtSeaLevel = 4500.0f;
constexpr float kMaxVsLossPerFoot = 0.05f;
constexpr float kAltHoldFpmPerFoot = 4.0f;
constexpr float kVnavCaptureFeet = 100.0f;
constexpr float kVnavLeastGroundSpeed = 15.0f;  // m/s
constexpr float kVnavLeastDistanceNm = 0.2f;
constexpr float kVnavPathDistanceNm = 1.0f;
constexpr float kVnavPathScale = 30.927f;  // m/s x ft / nm to fpm
constexpr float kVnavRateLagSeconds = 1.75f;
constexpr float kVnavRateResetSeconds = 0.5f;
constexpr float kVnavActiveRadioAltitude = 400.0f;
constexpr float kGlidePathFpmPerMps = 196.8504f;
constexpr float kFlareFpm = -60.0f;

// LVL CHG base rates from the weight (kg) and the altitude (feet).
constexpr float kClimbBase = 9500.0f;
constexpr float kClimbPerFoot = 0.18333f;
constexpr float kClimbPerKg = 0.079739f;
constexpr float kClimbWeightAltitude = 1.609e-05f;
constexpr float kDescentBase = -1425.0f;
constexpr float kDescentPerFoot = 0.02f;
constexpr float kDescentPerKg = 3.75f * 0.0021997f;

// The glide-slope loop's gain grows with height up to 1000 ft.
constexpr float kGsGainFactor = -3.0f;
constexpr float kGsGainPerFoot = 0.0007f;
constexpr float kGsGainBase = 0.3f;

// The elevator trim is softer and slower with the flaps out.
constexpr float kElevatorTrimGain = -0.07f;
constexpr float kElevatorTrimGainPerFlap = -0.27f;
constexpr float kElevatorTrimRate = 9.0f;
constexpr float kElevatorTrimRatePerFlap = -4.5f;

LazyDataRef totalMass = MakeLazyDataRef("sim/flightmodel/weight/m_total");

struct PitchLaws {
    float vsTarget = 0.0f;
    float vsCurrent = 0.0f;
    float vsCommand = 0.0f;
    bool pitchActive = false;
    float vnavRate = 0.0f;
    float vnavLastTime = 0.0f;
    float speedError = 0.0f;  // knots, for the LVL CHG speed loop
    float gsCorrection = 0.0f;
    float lvlChgCorrection = 0.0f;
    float fdPitch = 0.0f;
    float lastTime = 0.0f;
    RateLimitedController vsLoop{-0.0027f, 0.21f, 0.09f, -30.0f, 30.0f, 3.0f};
    RateLimitedController gsLoop{-0.75f, 5.0f, 0.03f, -2.0f, 3.0f, 0.0f};
    RateLimitedController lvlChgLoop{-80.0f, 0.9f, 0.12f, -1600.0f, 2000.0f, 0.0f};
    RateLimitedController elevatorTrimLoop{kElevatorTrimGain, 0.5f, 0.23f, -0.75f, 0.75f,
                                           kElevatorTrimRate};
    LagFilter4 lvlChgSpeedLag{0.11f};
};

PitchLaws laws;

float limited(float fpm, float limit) { return std::clamp(fpm, -limit, limit); }

void altHoldTarget(float altError) {
    laws.vsCommand = limited(-kAltHoldFpmPerFoot * altError, MaxVerticalSpeed());
    laws.vsTarget = laws.vsCommand;
    laws.pitchActive = true;
}

// Along the flight plan: capture near the waypoint's altitude, else the
// path to it, the rate smoothed over 1.75 s.
void vnavTarget(float now, float altitude) {
    const float target = targetWaypointAltitude();
    const float passed = passedWaypointAltitude();
    const float distance = DistanceToTurnNm();
    const float speed = groundspeed_mps();
    const float maxVs = MaxVerticalSpeed();
    laws.pitchActive = snapshot.radioAltitude > kVnavActiveRadioAltitude;
    if (!(target > 0.0f) || !(speed > kVnavLeastGroundSpeed)) return;
    const float toGo = target - altitude;
    const bool capture = std::fabs(toGo) < kVnavCaptureFeet ||
                         (target < passed && altitude < target) ||
                         (passed < target && target < altitude);
    if (capture) {
        laws.vsCommand = std::min(kAltHoldFpmPerFoot * toGo, maxVs);
        laws.vnavRate = laws.vsCommand;
        laws.vsCommand = std::max(laws.vsCommand, -maxVs);
        laws.vsTarget = laws.vsCommand;
        return;
    }
    if (!(distance > kVnavLeastDistanceNm)) return;
    if (distance > kVnavPathDistanceNm) {
        laws.vsCommand = limited(speed * toGo / (distance * kVnavPathScale), maxVs);
    }
    const float tau = now - laws.vnavLastTime;
    if (tau < kVnavRateResetSeconds) {
        laws.vnavRate = (kVnavRateLagSeconds * laws.vnavRate + tau * laws.vsCommand) /
                        (tau + kVnavRateLagSeconds);
    } else {
        laws.vnavRate = laws.vsCommand;
    }
    laws.vsTarget = laws.vnavRate;
    laws.vnavLastTime = now;
}

// Down the glide path at the ground speed, corrected by the glide-slope
// loop and by the angle between the heading and the localizer course.
void glideSlopeTarget() {
    const float perRadian = static_cast<float>(kDegreesPerRadian);
    const float slope = std::fabs(snapshot.glideSlopeAngle) / perRadian;
    const float base = -std::tan(slope) * groundspeed_mps() * kGlidePathFpmPerMps;
    const float offCourse = (snapshot.magHeading - snapshot.navCourse) / perRadian;
    laws.vsTarget = (laws.gsCorrection + 1.0f) * base * std::cos(offCourse);
    laws.gsLoop.gain =
        kGsGainFactor * std::min(kGsGainPerFoot * snapshot.radioAltitude + kGsGainBase, 1.0f);
    laws.pitchActive = true;
}

void lvlChgTarget() {
    const float base =
        lvlChgDirection() == kLvlChgDescent ? LvlChgDescentRate() : LvlChgClimbRate();
    laws.vsTarget = base + laws.lvlChgCorrection;
    laws.speedError = snapshot.apSpeedAsIas - snapshot.ias;
    laws.pitchActive = true;
}

// While the receiver shows its glide-slope flag the loop keeps its last
// correction: the captured path is held rather than steered to the resting
// needle.
std::uint8_t glideSlopeLoopMode() {
    if (!apGSEng()) return kLoopActivate;
    return snapshot.navGlideSlopeFlag ? kLoopTrack : kLoopRun;
}

// A frame too close to the previous one leaves the loops as they are.
bool loopsMayStep(float now) {
    if (now >= laws.lastTime && now - laws.lastTime < kClosestFramesSeconds) return false;
    laws.lastTime = now;
    return true;
}

void writeIfFinite(XPLMDataRef ref, float value) {
    if (std::isfinite(value)) XPLMSetDataf(ref, value);
}

}  // namespace

float MaxVerticalSpeed() {
    return kMaxVsAtSeaLevel - kMaxVsLossPerFoot * snapshot.indicatedAltitude;
}

float LvlChgClimbRate() {
    const float h = snapshot.indicatedAltitude;
    const float weighted = kClimbPerKg * LazyGet(totalMass);
    return kClimbBase - kClimbPerFoot * h - weighted + kClimbWeightAltitude * h * weighted;
}

float LvlChgDescentRate() {
    return kDescentBase - kDescentPerFoot * snapshot.indicatedAltitude -
           kDescentPerKg * LazyGet(totalMass);
}

void PitchTargetStep(float now) {
    if (!std::isfinite(now)) return;
    const float altitude = snapshot.indicatedAltitude;
    laws.vsCommand = AutopilotVerticalSpeed();
    laws.vsTarget = laws.vsCurrent = snapshot.verticalSpeed;
    laws.pitchActive = false;
    if (apPitchAltHld()) {
        altHoldTarget(altitude - AltitudeHoldTarget());
    } else if (apVsArmed() || apVsEng()) {
        laws.vsTarget = laws.vsCommand;
        laws.pitchActive = apVsEng();
    } else if (apVnavEng()) {
        vnavTarget(now, altitude);
    } else if (apGSEng()) {
        glideSlopeTarget();
    } else if (apFlareEng()) {
        laws.vsTarget = kFlareFpm;
        laws.pitchActive = !PitchReleasedThisFrame();
    } else if (apPitchMcpspd()) {
        lvlChgTarget();
    }
}

void PitchOutputStep(float now) {
    if (!std::isfinite(now)) return;
    const bool step = loopsMayStep(now);
    if (step) {
        StepRateLimited(laws.vsLoop, now, kLoopRun, laws.vsTarget, laws.vsCurrent, laws.fdPitch);
        StepRateLimited(laws.gsLoop, now, glideSlopeLoopMode(), 0.0f, -snapshot.navVdef,
                        laws.gsCorrection);
    }
    RollCommandStep(now);
    if (step) {
        const bool lvlChg = apPitchMcpspd();
        const float error = StepLag(lvlChg ? laws.speedError : 0.0f, laws.lvlChgSpeedLag, now);
        StepRateLimited(laws.lvlChgLoop, now, lvlChg ? kLoopRun : kLoopActivate, 0.0f, error,
                        laws.lvlChgCorrection);
    }
    writeIfFinite(sim.fdPitch, laws.fdPitch);

    float elevatorTrim = XPLMGetDataf(sim.elevatorTrim);
    if (step) {
        const float flaps = snapshot.flapRatio;
        laws.elevatorTrimLoop.gain = kElevatorTrimGain + kElevatorTrimGainPerFlap * flaps;
        laws.elevatorTrimLoop.rateLimit = kElevatorTrimRate + kElevatorTrimRatePerFlap * flaps;
        StepRateLimited(laws.elevatorTrimLoop, now, laws.pitchActive ? kLoopRun : kLoopTrack,
                        laws.fdPitch, snapshot.pitch, elevatorTrim);
    }
    RollOutputStep(now);
    if (laws.pitchActive) writeIfFinite(sim.elevatorTrim, elevatorTrim);
}

float VerticalSpeedTarget() { return laws.vsTarget; }

void ClearLvlChgCorrection() { laws.lvlChgCorrection = 0.0f; }

}  // namespace quil
