#include "standin/flight/motion.h"

#include <algorithm>
#include <cmath>

#include "standin/flight/lag.h"

namespace standin::flight {
namespace {

// One nautical mile per minute of arc, as the plug-in's navigation takes it.
constexpr double kEarthRadiusM = kMetresPerNm * 60.0 / kRadiansPerDegree;
// The short-period motion settles the angle of attack in about a second.
constexpr double kAlphaLagS = 0.6;
// Roll: a steady roll rate of (2V/b) × 0.06 rad/s per unit of aileron (about
// 6 °/s from the autopilot's 0.24 of trim at 250 kt), reached with the roll
// mode's time constant.
constexpr double kRollPowerPerAileron = 0.06;
constexpr double kRollLagS = 0.5;
constexpr double kMostBankRad = 67.0 * kRadiansPerDegree;
constexpr double kSideslipPerRudderRad = 8.0 * kRadiansPerDegree;
constexpr double kSideslipLagS = 1.5;
// Flaps run their full travel in 20 s, the gear in 7 s.
constexpr double kFlapTravelPerS = 0.05;
constexpr double kGearTravelPerS = 1.0 / 7.0;
// On the runway: rolling friction, wheel brakes, nose-wheel steering from the
// rudder pedals (7° each way) over the 15.6 m wheelbase.
constexpr double kRollingFriction = 0.02;
constexpr double kBrakingFriction = 0.35;
constexpr double kSteeringRad = 7.0 * kRadiansPerDegree;
constexpr double kWheelbaseM = 15.6;
// The nose lifts once the elevator has the dynamic pressure of about 120 kt
// (half its authority at 85 kt), rotating at up to 3 °/s; the tail touches
// the runway at 11°; standing, the aircraft sits 0.4° nose up.
constexpr double kRotationPressurePa = 0.5 * 1.225 * 61.7 * 61.7;
constexpr double kRotationRateRad = 3.0 * kRadiansPerDegree;
constexpr double kTailStrikeRad = 11.0 * kRadiansPerDegree;
constexpr double kStandingPitchRad = 0.4 * kRadiansPerDegree;
constexpr double kSlowestAirspeed = 1.0;  // m/s, so that nothing divides by 0
// A touch of the runway this soon after leaving it is a bounce, not a new
// landing.
constexpr double kBounceS = 5.0;

double towards(double value, double target, double most) {
    return value + std::clamp(target - value, -most, most);
}

double wrapped(double angle) {
    const double turn = 2.0 * kPi;
    angle = std::fmod(angle, turn);
    return angle < 0.0 ? angle + turn : angle;
}

struct Forces {
    double lift = 0.0, drag = 0.0, thrust = 0.0;
};

Forces forcesOn(const Motion& motion, const Controls& controls, double airspeed) {
    const Air air = airAround(motion);
    const double mach = airspeed / air.speedOfSound;
    const double pressure = 0.5 * air.density * airspeed * airspeed;
    const Configuration configuration{motion.flaps, motion.gear, controls.speedbrake};
    const double lift = liftCoefficient(motion.alphaRad, motion.flaps, controls.speedbrake);
    Forces forces;
    forces.lift = pressure * kWingAreaM2 * lift;
    forces.drag = pressure * kWingAreaM2 * dragCoefficient(lift, configuration, mach);
    for (const Engine& engine : motion.engines) forces.thrust += engineThrust(engine, air, mach);
    return forces;
}

// Past a pole the aircraft comes down the other side: the latitude
// reflects, the longitude is the opposite meridian's, and what was north is
// now south. Longitudes stay within -180° … 180°.
void keepOnGlobe(Motion& motion) {
    const double pole = kPi / 2.0;
    if (std::fabs(motion.latRad) > pole) {
        motion.latRad = std::copysign(kPi, motion.latRad) - motion.latRad;
        motion.lonRad += kPi;
        motion.courseRad = wrapped(motion.courseRad + kPi);
        motion.headingRad = wrapped(motion.headingRad + kPi);
        motion.trackRad = wrapped(motion.trackRad + kPi);
    }
    motion.lonRad = std::remainder(motion.lonRad, 2.0 * kPi);
}

void moveOverEarth(Motion& motion, double north, double east, double dt) {
    motion.latRad += north * dt / kEarthRadiusM;
    motion.lonRad += east * dt / (kEarthRadiusM * std::max(0.01, std::cos(motion.latRad)));
    motion.groundSpeed = std::hypot(north, east);
    if (motion.groundSpeed > 0.1) motion.trackRad = wrapped(std::atan2(east, north));
    keepOnGlobe(motion);
}

// Headwind along a direction (positive on the nose).
double headwind(const Wind& wind, double directionRad) {
    return wind.speedMps * std::cos(wind.fromRad - directionRad);
}

void rollOnGround(Motion& motion, const Controls& controls, const Wind& wind, double dt) {
    const double weight = motion.massKg * kGravity;
    motion.airspeed = std::max(0.0, motion.rollSpeed + headwind(wind, motion.headingRad));
    const Air air = airAround(motion);
    const double pressure = 0.5 * air.density * motion.airspeed * motion.airspeed;
    const double authority = std::clamp(2.0 * pressure / kRotationPressurePa - 1.0, 0.0, 1.0);
    const double noseUp = std::max(0.0, trimmedAlpha(controls.elevator) - kStandingPitchRad);
    const double pitchGoal = std::min(kStandingPitchRad + authority * noseUp, kTailStrikeRad);
    motion.pitchRad = towards(motion.pitchRad, pitchGoal, kRotationRateRad * dt);
    motion.alphaRad = motion.pitchRad;
    motion.pathRad = 0.0;
    motion.bankRad = lagged(motion.bankRad, 0.0, kRollLagS, dt);
    motion.rollRate = 0.0;
    motion.sideslipRad = 0.0;

    const Forces forces = forcesOn(motion, controls, motion.airspeed);
    motion.gearLoadN = std::max(0.0, weight - forces.lift);
    const double friction = controls.brakes ? kBrakingFriction : kRollingFriction;
    double acceleration = (forces.thrust - forces.drag) / motion.massKg;
    const double stopping = friction * motion.gearLoadN / motion.massKg;
    if (motion.rollSpeed > 0.0 || acceleration > stopping) acceleration -= stopping;
    else acceleration = 0.0;
    motion.rollSpeed = std::max(0.0, motion.rollSpeed + acceleration * dt);
    const double steering = std::clamp(controls.rudder, -1.0, 1.0) * kSteeringRad;
    motion.headingRad =
        wrapped(motion.headingRad + motion.rollSpeed * std::tan(steering) / kWheelbaseM * dt);
    motion.courseRad = motion.headingRad;
    motion.verticalSpeed = 0.0;
    motion.altitudeM = motion.groundElevationM + kGearHeightM;
    moveOverEarth(motion, motion.rollSpeed * std::cos(motion.headingRad),
                  motion.rollSpeed * std::sin(motion.headingRad), dt);

    if (motion.gearLoadN <= 0.0) {  // lift-off
        motion.onGround = false;
        motion.airborneS = 0.0;
        motion.airspeed = std::max(motion.airspeed, kSlowestAirspeed);
    }
}

void fly(Motion& motion, const Controls& controls, const Wind& wind, double dt) {
    const double v = std::max(motion.airspeed, kSlowestAirspeed);
    motion.alphaRad = lagged(motion.alphaRad, trimmedAlpha(controls.elevator), kAlphaLagS, dt);
    const double steadyRollRate =
        2.0 * v / kWingSpanM * kRollPowerPerAileron * std::clamp(controls.aileron, -1.0, 1.0);
    motion.rollRate = lagged(motion.rollRate, steadyRollRate, kRollLagS, dt);
    motion.bankRad = std::clamp(motion.bankRad + motion.rollRate * dt, -kMostBankRad, kMostBankRad);
    motion.sideslipRad = lagged(motion.sideslipRad,
                                kSideslipPerRudderRad * std::clamp(controls.rudder, -1.0, 1.0),
                                kSideslipLagS, dt);

    const Forces forces = forcesOn(motion, controls, v);
    const double m = motion.massKg;
    const double normal = forces.lift + forces.thrust * std::sin(motion.alphaRad);
    const double accel =
        (forces.thrust * std::cos(motion.alphaRad) - forces.drag) / m - kGravity * std::sin(motion.pathRad);
    const double pathRate = (normal * std::cos(motion.bankRad) - m * kGravity * std::cos(motion.pathRad)) / (m * v);
    const double turnRate =
        normal * std::sin(motion.bankRad) / (m * v * std::max(0.1, std::cos(motion.pathRad)));
    motion.airspeed = std::max(kSlowestAirspeed, v + accel * dt);
    motion.pathRad = std::clamp(motion.pathRad + pathRate * dt, -kPi / 3.0, kPi / 3.0);
    motion.courseRad = wrapped(motion.courseRad + turnRate * dt);
    motion.headingRad = wrapped(motion.courseRad + motion.sideslipRad);
    motion.gearLoadN = 0.0;

    const double horizontal = motion.airspeed * std::cos(motion.pathRad);
    const double windNorth = -wind.speedMps * std::cos(wind.fromRad);
    const double windEast = -wind.speedMps * std::sin(wind.fromRad);
    moveOverEarth(motion, horizontal * std::cos(motion.courseRad) + windNorth,
                  horizontal * std::sin(motion.courseRad) + windEast, dt);
    motion.verticalSpeed = motion.airspeed * std::sin(motion.pathRad);
    motion.altitudeM += motion.verticalSpeed * dt;

    motion.airborneS += dt;
    if (heightAboveGround(motion) <= 0.0) {  // touchdown
        motion.touchdownMps = motion.airborneS < kBounceS
                                  ? std::min(motion.touchdownMps, motion.verticalSpeed)
                                  : motion.verticalSpeed;
        motion.onGround = true;
        motion.pitchRad = pitchAttitude(motion);
        motion.rollSpeed = std::max(0.0, motion.groundSpeed * std::cos(motion.trackRad - motion.headingRad));
        motion.altitudeM = motion.groundElevationM + kGearHeightM;
        motion.pathRad = 0.0;
        motion.verticalSpeed = 0.0;
    }
}

}  // namespace

Air airAround(const Motion& motion) { return standardAir(motion.altitudeM); }

double machNumber(const Motion& motion) {
    return motion.airspeed / airAround(motion).speedOfSound;
}

double pitchAttitude(const Motion& motion) {
    if (motion.onGround) return motion.pitchRad;
    return motion.pathRad + motion.alphaRad * std::cos(motion.bankRad);
}

double trueHeading(const Motion& motion) { return motion.headingRad; }

double heightAboveGround(const Motion& motion) {
    return motion.altitudeM - motion.groundElevationM - kGearHeightM;
}

double flyLevel(Motion& motion, double airspeed, double courseRad) {
    motion.onGround = false;
    motion.airspeed = std::max(airspeed, kSlowestAirspeed);
    motion.courseRad = motion.headingRad = motion.trackRad = wrapped(courseRad);
    motion.pathRad = motion.bankRad = motion.rollRate = motion.sideslipRad = 0.0;
    motion.gearLoadN = 0.0;
    const Air air = airAround(motion);
    const double needed =
        motion.massKg * kGravity / (0.5 * air.density * motion.airspeed * motion.airspeed * kWingAreaM2);
    // The lift curve rises with alpha: halve the bracket to the needed lift.
    double low = -10.0 * kRadiansPerDegree, high = 20.0 * kRadiansPerDegree;
    for (int i = 0; i < 40; ++i) {
        const double middle = 0.5 * (low + high);
        (liftCoefficient(middle, motion.flaps, 0.0) < needed ? low : high) = middle;
    }
    motion.alphaRad = 0.5 * (low + high);
    motion.groundSpeed = motion.airspeed;
    return forcesOn(motion, Controls{}, motion.airspeed).drag;
}

void stepMotion(Motion& motion, const Controls& controls, const Wind& wind, double dt) {
    if (!(dt > 0.0) || !std::isfinite(dt)) return;
    const Air air = airAround(motion);
    for (int e = 0; e < kEngineCount; ++e)
        stepEngine(motion.engines[e], controls.engines[e], air, machNumber(motion), dt);
    motion.flaps = towards(motion.flaps, std::clamp(controls.flapLever, 0.0, 1.0), kFlapTravelPerS * dt);
    motion.gear = towards(motion.gear, controls.gearDown ? 1.0 : 0.0, kGearTravelPerS * dt);
    if (motion.onGround) rollOnGround(motion, controls, wind, dt);
    else fly(motion, controls, wind, dt);
}

}  // namespace standin::flight
