// The aircraft as a point mass moving over a flat earth at the field's
// elevation, with first-order dynamics for the attitude: the angle of
// attack settles where the elevator trims it, the roll rate where the
// ailerons and the roll damping balance, the sideslip where the rudder
// holds it. Lift, drag, thrust and weight move the mass; bank turns it.
#pragma once

#include "standin/flight/aerodynamics.h"
#include "standin/flight/engines.h"

namespace standin::flight {

constexpr int kEngineCount = 2;
// The centre of gravity stands this high over the runway on the gear.
constexpr double kGearHeightM = 2.1;

// What the cockpit commands: the trims the autopilot writes plus the
// pilot's yoke and pedals, the throttles, start levers and starters, the
// flap lever, gear lever and brakes.
struct Controls {
    double elevator = 0.0;  // −1 … 1, nose up positive
    double aileron = 0.0;   // −1 … 1, right wing down positive
    double rudder = 0.0;    // −1 … 1, nose right positive
    EngineControls engines[kEngineCount];
    double flapLever = 0.0;  // flap ratio asked for
    bool gearDown = true;
    double speedbrake = 0.0;
    bool brakes = false;
};

// The wind over the whole field, blowing from a true direction.
struct Wind {
    double fromRad = 0.0;
    double speedMps = 0.0;
};

struct Motion {
    double latRad = 0.0, lonRad = 0.0;
    double altitudeM = kGearHeightM;    // centre of gravity above sea level
    double groundElevationM = 0.0;
    bool onGround = true;
    // In the air mass: true airspeed, flight-path angle and course.
    double airspeed = 0.0;  // m/s
    double pathRad = 0.0;
    double courseRad = 0.0;
    // Attitude.
    double alphaRad = 0.0;
    double pitchRad = 0.0;   // on the ground only; airborne it is path + alpha
    double bankRad = 0.0;
    double rollRate = 0.0;   // rad/s
    double sideslipRad = 0.0;  // nose right of the airflow positive
    // On the runway: speed over the ground along the heading.
    double rollSpeed = 0.0;  // m/s
    double headingRad = 0.0;
    // Over the ground, after the step.
    double groundSpeed = 0.0;
    double trackRad = 0.0;
    double verticalSpeed = 0.0;  // m/s
    // Configuration, mass and engines.
    double flaps = 0.0;
    double gear = 1.0;
    double massKg = 60000.0;
    Engine engines[kEngineCount];
    double gearLoadN = 0.0;
    // The vertical speed of the last landing: a bounce of less than
    // kBounceS belongs to the landing before it, which keeps its hardest
    // contact.
    double touchdownMps = 0.0;
    double airborneS = 0.0;  // since the last lift-off
};

void stepMotion(Motion& motion, const Controls& controls, const Wind& wind, double dt);

// The angles the instruments show.
double pitchAttitude(const Motion& motion);
double trueHeading(const Motion& motion);
double heightAboveGround(const Motion& motion);  // metres, 0 standing on the gear
Air airAround(const Motion& motion);
double machNumber(const Motion& motion);
// Sets an airborne state flying level at a true airspeed on a course, at
// the angle of attack that carries the weight; returns the drag there (N),
// which the engines must balance.
double flyLevel(Motion& motion, double airspeed, double courseRad);

}  // namespace standin::flight
