// Published 737-800 figures: wing reference area 124.6 m², span 34.3 m
// (aspect ratio 9.4), maximum take-off mass 79 t; a drag polar with a
// zero-lift drag coefficient near 0.02 and an Oswald factor near 0.8, with
// a drag-divergence Mach number of 0.81 (Boeing's typical cruise Mach 0.785
// and maximum operating Mach 0.82 of the type certificate data sheet stand
// either side of it); flaps 40 adding some 0.85 to the lift coefficient
// (slats included) and 0.06 to the drag.
#include "standin/flight/aerodynamics.h"

#include <algorithm>
#include <cmath>

#include "standin/flight/atmosphere.h"

namespace standin::flight {
namespace {

constexpr double kAspectRatio = kWingSpanM * kWingSpanM / kWingAreaM2;
constexpr double kOswald = 0.8;
// Lift slope of the finite swept wing, per radian.
constexpr double kLiftSlope = 5.0;
constexpr double kCleanZeroAlphaLift = 0.25;
// The slats and the first flap settings give most of the extra lift, so the
// increment grows with the square root of the flap ratio.
constexpr double kFullFlapLift = 0.85;
constexpr double kCleanMaxLift = 1.45;
constexpr double kFullFlapMaxLift = 2.7;
constexpr double kZeroLiftDrag = 0.020;
constexpr double kFullFlapDrag = 0.06;
constexpr double kGearDrag = 0.015;
constexpr double kSpeedbrakeDrag = 0.025;
constexpr double kSpoilerLift = 0.6;
// Compressibility drag rises with the fourth power of the Mach number past
// the critical one (Lock's law); at the drag-divergence Mach number it
// grows by 0.1 per unit of Mach, which puts the critical Mach 0.108 below
// it: 12 counts of drag at Mach 0.78, 53 at 0.82.
constexpr double kDragRiseFactor = 20.0;
constexpr double kDragDivergenceMach = 0.81;
constexpr double kDivergenceSlope = 0.1;
const double kCriticalMach =
    kDragDivergenceMach - std::cbrt(kDivergenceSlope / (4.0 * kDragRiseFactor));
// Elevator trim to angle of attack: neutral trim flies at 2°, each unit of
// elevator 13° more (the trim's ±0.75 spans about −8° to 12°).
constexpr double kNeutralAlphaRad = 2.0 * kRadiansPerDegree;
constexpr double kAlphaPerElevatorRad = 13.0 * kRadiansPerDegree;

}  // namespace

double liftCoefficient(double alphaRad, double flaps, double speedbrake) {
    const double f = std::clamp(flaps, 0.0, 1.0);
    const double lift = kCleanZeroAlphaLift + kFullFlapLift * std::sqrt(f) + kLiftSlope * alphaRad -
                        kSpoilerLift * std::clamp(speedbrake, 0.0, 1.0);
    const double most = kCleanMaxLift + (kFullFlapMaxLift - kCleanMaxLift) * std::sqrt(f);
    return std::clamp(lift, -most, most);
}

double dragCoefficient(double lift, const Configuration& configuration, double mach) {
    const double induced = lift * lift / (kPi * kAspectRatio * kOswald);
    const double beyond = std::max(0.0, mach - kCriticalMach);
    return kZeroLiftDrag + kFullFlapDrag * std::clamp(configuration.flaps, 0.0, 1.0) +
           kGearDrag * std::clamp(configuration.gear, 0.0, 1.0) +
           kSpeedbrakeDrag * std::clamp(configuration.speedbrake, 0.0, 1.0) + induced +
           kDragRiseFactor * beyond * beyond * beyond * beyond;
}

double trimmedAlpha(double elevator) {
    return kNeutralAlphaRad + kAlphaPerElevatorRad * std::clamp(elevator, -1.5, 1.5);
}

double elevatorForAlpha(double alphaRad) {
    return (alphaRad - kNeutralAlphaRad) / kAlphaPerElevatorRad;
}

}  // namespace standin::flight
