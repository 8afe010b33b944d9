// The standard atmosphere and the airspeeds measured in it.
#pragma once

#include "standin/units.h"

namespace standin::flight {

constexpr double kKelvinAtZeroC = 273.15;

// Static air at one altitude of the standard day.
struct Air {
    double temperatureK = 0.0;
    double pressurePa = 0.0;
    double density = 0.0;        // kg/m³
    double speedOfSound = 0.0;   // m/s
};

// The ICAO standard atmosphere up to 20 km (troposphere lapse 6.5 K/km to
// 11 km, isothermal above); altitudes outside are taken at the nearest end.
Air standardAir(double altitudeM);
Air seaLevelAir();

// Calibrated airspeed and Mach number, through the impact pressure of
// compressible subsonic flow, so that the airspeed indicator reads what the
// pitot tube would.
double machFromCalibrated(double calibratedMps, const Air& air);
double calibratedFromMach(double mach, const Air& air);

}  // namespace standin::flight
