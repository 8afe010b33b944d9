// The 737-800's wing and airframe: lift and drag coefficients by angle of
// attack, flaps, gear and speedbrake, and the angle of attack the elevator
// trims to.
#pragma once

namespace standin::flight {

constexpr double kWingAreaM2 = 124.6;
constexpr double kWingSpanM = 34.3;
constexpr double kMaxTakeoffMassKg = 79016.0;

struct Configuration {
    double flaps = 0.0;       // flap ratio 0 … 1 (flaps 40)
    double gear = 0.0;        // gear extension 0 … 1
    double speedbrake = 0.0;  // ratio 0 … 1
};

// Raised spoilers (the speedbrake) spoil part of the wing's lift.
double liftCoefficient(double alphaRad, double flaps, double speedbrake);
double dragCoefficient(double lift, const Configuration& configuration, double mach);
// The angle of attack at which the tail balances the wing with the elevator
// at this deflection (trim plus yoke, −1 … 1 nose down to nose up): the
// aircraft's static stability in pitch.
double trimmedAlpha(double elevator);
double elevatorForAlpha(double alphaRad);

}  // namespace standin::flight
