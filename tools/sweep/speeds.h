// The aircraft's speeds as a crew plans them: the flaps for a speed, the
// approach speed for a mass and wind, the true airspeed at a height and the
// heading and ground speed that hold a track in a wind.
#pragma once

namespace sweep {

// Flap ratio for flying at this indicated airspeed, each setting above its
// manoeuvre speed: up, 1, 5, 10, 15.
double flapsFor(double iasKt);
constexpr double kFlapsUpKt = 220.0;  // the slowest speed flown clean
constexpr double kFlapsHighestFt = 20000.0;  // flaps are not flown above
constexpr double kLandingFlaps = 0.875;  // flaps 30

// Vref 30 by the mass, plus half the headwind (at least 5 kt, at most 15).
double approachSpeedKt(double massKg, double headwindKt);

// Near enough for timing a flight: density by the standard atmosphere,
// compressibility left out.
double trueAirspeedKt(double iasKt, double altitudeFt);

struct OnTrack {
    double headingTrueDeg, groundKt;
};
OnTrack flownOnTrack(double trackTrueDeg, double tasKt, double windFromDeg, double windKt);

}  // namespace sweep
