// The simulator's radios: VOR, localizer and glide-slope receivers on NAV1
// and NAV2, the marker beacon lights and the GPS course to the flight plan's
// active waypoint, worked out each frame from where the aircraft is.
//
// Signs follow the simulator's needles: a horizontal deviation is positive
// when the course lies to the right (fly right), a vertical one positive
// when the aircraft is above the glide path (fly down). Deflections stop at
// 2.5 dots, the edge of the instrument. A receiver that hears nothing shows
// its flag (to/from 0) with centred needles and no distance; it still knows
// an ILS frequency by its glide slope's angle. Each receiver also says
// whether it has a lateral signal (a VOR or localizer) and a glide-slope
// signal, as the simulator's indicator datarefs do.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "standin/internal.h"
#include "standin/standin.h"
#include "standin/units.h"

namespace standin::detail {
namespace {

constexpr double kEarthRadiusM = 6371008.8;  // mean radius

// The 737's navigation display shows two dots each side of the course.
// A VOR needle is 5° a dot (10° full scale, as on any VOR indicator).
constexpr double kVorDegreesPerDot = 5.0;
// A localizer is 2.5° full scale at 2 dots: its course sector is set so
// that full scale is some 350 ft either side at the threshold, about 2.5°
// on a runway of average length (ICAO Annex 10, localizer sector width).
constexpr double kLocalizerDegreesPerDot = 1.25;
// A glide slope reaches full scale 0.24 of its path angle above or below
// the path (0.72° on a 3° path): 0.12 of the angle a dot (ICAO Annex 10).
constexpr double kGlideSlopeFractionPerDot = 0.12;
constexpr double kMostDots = 2.5;
// GPS in the terminal area: 1 nm full scale (TSO-C129), 2 dots.
constexpr double kGpsNmPerDot = 0.5;

// Where each station is heard (ICAO Annex 10 service volumes): a VOR of
// the high-altitude class to 130 nm; a localizer to 18 nm within 10° of its
// course and to 10 nm within 35°; a glide slope to 10 nm within 8° of the
// course. A VOR is not heard more than 40° above the horizon, in the cone
// over the station. A marker lights below a cone 40° either side of the
// vertical.
constexpr double kVorRangeNm = 130.0;
constexpr double kVorHighestElevationDeg = 40.0;
constexpr double kLocalizerRangeNm = 18.0;
constexpr double kLocalizerRangeDeg = 10.0;
constexpr double kLocalizerWideRangeNm = 10.0;
constexpr double kLocalizerWideRangeDeg = 35.0;
constexpr double kGlideSlopeRangeNm = 10.0;
constexpr double kGlideSlopeRangeDeg = 8.0;
constexpr double kMarkerConeDeg = 40.0;

// The simulator's to/from flag values.
constexpr int kFlagOff = 0;
constexpr int kFlagTo = 1;
constexpr int kFlagFrom = 2;

// VHF navigation frequencies, 108.00 to 117.95 MHz, as the dataref holds them.
constexpr int kLowestNavFrequency = 10800;
constexpr int kHighestNavFrequency = 11795;
constexpr size_t kMostStations = 256;
constexpr double kHighestElevationFt = 30000.0;
constexpr double kSteepestSlopeDeg = 10.0;

// The datarefs of one receiver.
struct Receiver {
    std::string frequency, obs, bearing, course, hdef, vdef, fromTo, slope, dme;
    std::string lateralSignal, glideSlopeSignal, glideSlopeFlag;
};

const Receiver kReceivers[] = {
    {"sim/cockpit/radios/nav1_freq_hz", "sim/cockpit/radios/nav1_obs_degm",
     "sim/cockpit/radios/nav1_dir_degt", "sim/cockpit/radios/nav1_course_degm",
     "sim/cockpit/radios/nav1_hdef_dot", "sim/cockpit/radios/nav1_vdef_dot",
     "sim/cockpit/radios/nav1_fromto", "sim/cockpit/radios/nav1_slope_degt",
     "sim/cockpit/radios/nav1_dme_dist_m",
     "sim/cockpit2/radios/indicators/nav1_display_horizontal",
     "sim/cockpit2/radios/indicators/nav1_display_vertical",
     "sim/cockpit2/radios/indicators/nav1_flag_glideslope"},
    {"sim/cockpit/radios/nav2_freq_hz", "sim/cockpit/radios/nav2_obs_degm",
     "sim/cockpit/radios/nav2_dir_degt", "sim/cockpit/radios/nav2_course_degm2",
     "sim/cockpit/radios/nav2_hdef_dot2", "sim/cockpit/radios/nav2_vdef_dot2",
     "sim/cockpit/radios/nav2_fromto", "sim/cockpit/radios/nav2_slope_degt",
     "sim/cockpit/radios/nav2_dme_dist_m",
     "sim/cockpit2/radios/indicators/nav2_display_horizontal",
     "sim/cockpit2/radios/indicators/nav2_display_vertical",
     "sim/cockpit2/radios/indicators/nav2_flag_glideslope"},
};

const std::string kLatitude = "sim/flightmodel/position/latitude";
const std::string kLongitude = "sim/flightmodel/position/longitude";
const std::string kElevation = "sim/flightmodel/position/elevation";
const std::string kMagneticVariation = "sim/flightmodel/position/magnetic_variation";
const std::string kMarkerLights[] = {"sim/cockpit/misc/outer_marker_lit",
                                     "sim/cockpit/misc/middle_marker_lit",
                                     "sim/cockpit/misc/inner_marker_lit"};
const std::string kGpsBearing = "sim/cockpit/radios/gps_dir_degt";
const std::string kGpsDistance = "sim/cockpit/radios/gps_dme_dist_m";
const std::string kGpsCourse = "sim/cockpit/radios/gps_course_degm";
const std::string kGpsDeviation = "sim/cockpit/radios/gps_hdef_dot";

std::vector<RadioStation> stations;
bool simulated = false;
double crossTrackNm = 0.0;

// ---- Geometry on a spherical earth -------------------------------------------

struct Position {
    double lat = 0.0, lon = 0.0;  // radians
    double elevationM = 0.0;
};

Position positionOf(double latDeg, double lonDeg, double elevationM) {
    return {latDeg / kDegreesPerRadian, lonDeg / kDegreesPerRadian, elevationM};
}

// Into -180 .. 180.
double wrapped(double degrees) {
    const double turned = std::remainder(degrees, 360.0);
    return turned == -180.0 ? 180.0 : turned;
}

// Into 0 .. 360 (a hair below 0 rounds to 0, not to 360).
double compass(double degrees) {
    const double turned = std::fmod(degrees, 360.0) + 360.0;
    return turned < 360.0 ? turned : turned - 360.0;
}

// Central angle between two points (haversine, good at short range).
double centralAngle(const Position& from, const Position& to) {
    const double sinLat = std::sin((to.lat - from.lat) / 2.0);
    const double sinLon = std::sin((to.lon - from.lon) / 2.0);
    const double h = sinLat * sinLat + std::cos(from.lat) * std::cos(to.lat) * sinLon * sinLon;
    return 2.0 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

double distanceNm(const Position& from, const Position& to) {
    return centralAngle(from, to) * kEarthRadiusM / kMetresPerNm;
}

// Initial great-circle bearing, degrees true 0 .. 360.
double bearingDeg(const Position& from, const Position& to) {
    const double dLon = to.lon - from.lon;
    const double y = std::sin(dLon) * std::cos(to.lat);
    const double x = std::cos(from.lat) * std::sin(to.lat) -
                     std::sin(from.lat) * std::cos(to.lat) * std::cos(dLon);
    return compass(std::atan2(y, x) * kDegreesPerRadian);
}

// Straight-line distance to a station, as a DME measures it.
double slantRangeNm(const Position& aircraft, const Position& station) {
    const double ground = centralAngle(aircraft, station) * kEarthRadiusM;
    return std::hypot(ground, aircraft.elevationM - station.elevationM) / kMetresPerNm;
}

// Distance of a point from the great circle start -> end, right positive.
double crossTrackNmOf(const Position& start, const Position& end, const Position& point) {
    const double angle = centralAngle(start, point);
    const double turn = (bearingDeg(start, point) - bearingDeg(start, end)) / kDegreesPerRadian;
    return std::asin(std::clamp(std::sin(angle) * std::sin(turn), -1.0, 1.0)) * kEarthRadiusM /
           kMetresPerNm;
}

double dots(double degrees, double degreesPerDot) {
    return std::clamp(degrees / degreesPerDot, -kMostDots, kMostDots);
}

Position stationPosition(const RadioStation& station) {
    return positionOf(station.lat, station.lon, station.elevationFt * kMetresPerFoot);
}

// ---- Receivers -----------------------------------------------------------------

struct Aircraft {
    Position position;
    double magneticVariation = 0.0;  // magnetic = true + variation
    bool known = false;
};

Aircraft readAircraft() {
    Aircraft aircraft;
    aircraft.position =
        positionOf(getDouble(kLatitude), getDouble(kLongitude), getDouble(kElevation));
    aircraft.magneticVariation = getFloat(kMagneticVariation);
    aircraft.known = std::isfinite(aircraft.position.lat) && std::isfinite(aircraft.position.lon) &&
                     std::isfinite(aircraft.position.elevationM) &&
                     std::isfinite(aircraft.magneticVariation) &&
                     std::fabs(aircraft.position.lat) <= kPi / 2.0;
    return aircraft;
}

// What a receiver shows.
struct Reading {
    double bearing = 0.0, course = 0.0, hdef = 0.0, vdef = 0.0, slope = 0.0, dme = 0.0;
    int fromTo = kFlagOff;
    bool lateralSignal = false, glideSlopeSignal = false;
};

// Bearing of the aircraft from the station, degrees magnetic.
double radialOf(const RadioStation& station, const Aircraft& aircraft) {
    return compass(bearingDeg(stationPosition(station), aircraft.position) +
                   aircraft.magneticVariation);
}

// How far off the approach a localizer or glide slope sees the aircraft,
// degrees: the approach comes in along the front course.
double offApproachDeg(const RadioStation& station, const Aircraft& aircraft) {
    return wrapped(radialOf(station, aircraft) - (station.courseMag + 180.0));
}

bool localizerHears(const RadioStation& station, const Aircraft& aircraft) {
    const double off = std::fabs(offApproachDeg(station, aircraft));
    const double range = distanceNm(aircraft.position, stationPosition(station));
    return (off <= kLocalizerRangeDeg && range <= kLocalizerRangeNm) ||
           (off <= kLocalizerWideRangeDeg && range <= kLocalizerWideRangeNm);
}

bool glideSlopeHears(const RadioStation& station, const Aircraft& aircraft) {
    return std::fabs(offApproachDeg(station, aircraft)) <= kGlideSlopeRangeDeg &&
           distanceNm(aircraft.position, stationPosition(station)) <= kGlideSlopeRangeNm;
}

// Degrees above the horizon at which a station sees the aircraft.
double elevationDeg(const Position& station, const Aircraft& aircraft) {
    const double groundM = centralAngle(aircraft.position, station) * kEarthRadiusM;
    return std::atan2(aircraft.position.elevationM - station.elevationM, groundM) *
           kDegreesPerRadian;
}

bool vorHears(const RadioStation& station, const Aircraft& aircraft) {
    const Position antenna = stationPosition(station);
    return distanceNm(aircraft.position, antenna) <= kVorRangeNm &&
           elevationDeg(antenna, aircraft) <= kVorHighestElevationDeg;
}

// The nearest station of a kind on the frequency that the aircraft hears.
const RadioStation* heard(StationKind kind, int frequency, const Aircraft& aircraft,
                          bool (*hears)(const RadioStation&, const Aircraft&)) {
    const RadioStation* nearest = nullptr;
    double nearestNm = 0.0;
    for (const RadioStation& station : stations) {
        if (station.kind != kind || station.frequency != frequency || !hears(station, aircraft))
            continue;
        const double range = distanceNm(aircraft.position, stationPosition(station));
        if (nearest == nullptr || range < nearestNm) {
            nearest = &station;
            nearestNm = range;
        }
    }
    return nearest;
}

// The frequency carries a glide slope somewhere: the receiver knows an ILS.
const RadioStation* glideSlopeOn(int frequency) {
    for (const RadioStation& station : stations)
        if (station.kind == StationKind::GlideSlope && station.frequency == frequency)
            return &station;
    return nullptr;
}

void tuneLocalizer(const RadioStation& localizer, const Aircraft& aircraft, Reading& reading) {
    const Position antenna = stationPosition(localizer);
    reading.fromTo = kFlagTo;
    reading.lateralSignal = true;
    reading.course = localizer.courseMag;
    reading.bearing = bearingDeg(aircraft.position, antenna);
    reading.dme = slantRangeNm(aircraft.position, antenna);
    reading.hdef = dots(offApproachDeg(localizer, aircraft), kLocalizerDegreesPerDot);
    const RadioStation* glideSlope =
        heard(StationKind::GlideSlope, localizer.frequency, aircraft, glideSlopeHears);
    if (glideSlope == nullptr) return;
    reading.glideSlopeSignal = true;
    reading.slope = glideSlope->slopeDeg;
    reading.vdef = dots(elevationDeg(stationPosition(*glideSlope), aircraft) - glideSlope->slopeDeg,
                        kGlideSlopeFractionPerDot * glideSlope->slopeDeg);
}

// A VOR flies the course set on the OBS: TO while the station lies within
// 90° of it, FROM beyond.
void tuneVor(const RadioStation& vor, const Aircraft& aircraft, Reading& reading) {
    const double radial = radialOf(vor, aircraft);
    const double toStation = wrapped(radial + 180.0 - reading.course);
    const bool to = std::fabs(toStation) <= 90.0;
    reading.fromTo = to ? kFlagTo : kFlagFrom;
    reading.lateralSignal = true;
    reading.hdef = dots(to ? toStation : wrapped(reading.course - radial), kVorDegreesPerDot);
    reading.bearing = bearingDeg(aircraft.position, stationPosition(vor));
    reading.dme = slantRangeNm(aircraft.position, stationPosition(vor));
}

void stepReceiver(const Receiver& receiver, const Aircraft& aircraft) {
    Reading reading;
    const float obs = getFloat(receiver.obs);
    reading.course = std::isfinite(obs) ? obs : 0.0;
    const int frequency = getInt(receiver.frequency);
    if (const RadioStation* path = glideSlopeOn(frequency)) reading.slope = path->slopeDeg;
    if (aircraft.known) {
        if (const RadioStation* localizer =
                heard(StationKind::Localizer, frequency, aircraft, localizerHears)) {
            tuneLocalizer(*localizer, aircraft, reading);
        } else if (const RadioStation* vor = heard(StationKind::Vor, frequency, aircraft, vorHears)) {
            tuneVor(*vor, aircraft, reading);
        }
    }
    setFloat(receiver.bearing, static_cast<float>(reading.bearing));
    setFloat(receiver.course, static_cast<float>(reading.course));
    setFloat(receiver.hdef, static_cast<float>(reading.hdef));
    setFloat(receiver.vdef, static_cast<float>(reading.vdef));
    setFloat(receiver.slope, static_cast<float>(reading.slope));
    setFloat(receiver.dme, static_cast<float>(reading.dme));
    setInt(receiver.fromTo, reading.fromTo);
    setInt(receiver.lateralSignal, reading.lateralSignal ? 1 : 0);
    setInt(receiver.glideSlopeSignal, reading.glideSlopeSignal ? 1 : 0);
    setInt(receiver.glideSlopeFlag, reading.glideSlopeSignal ? 0 : 1);
}

// ---- Markers and GPS ------------------------------------------------------------

bool insideMarkerCone(const RadioStation& marker, const Aircraft& aircraft) {
    const Position beacon = stationPosition(marker);
    const double height = aircraft.position.elevationM - beacon.elevationM;
    const double ground = centralAngle(aircraft.position, beacon) * kEarthRadiusM;
    return height > 0.0 && ground <= height * std::tan(kMarkerConeDeg / kDegreesPerRadian);
}

void stepMarkers(const Aircraft& aircraft) {
    constexpr StationKind kMarkers[] = {StationKind::OuterMarker, StationKind::MiddleMarker,
                                        StationKind::InnerMarker};
    for (size_t i = 0; i < std::size(kMarkers); ++i) {
        bool lit = false;
        for (const RadioStation& station : stations)
            lit = lit || (aircraft.known && station.kind == kMarkers[i] &&
                          insideMarkerCone(station, aircraft));
        setInt(kMarkerLights[i], lit ? 1 : 0);
    }
}

Position entryPosition(const FmsEntry& entry) {
    return positionOf(entry.lat, entry.lon, 0.0);
}

// The leg from the entry before the destination to the destination; with
// the first entry as destination, straight from where the aircraft is.
void stepGps(const Aircraft& aircraft) {
    const std::vector<FmsEntry>& plan = flightPlanEntries();
    const int destination = destinationEntry();
    double bearing = 0.0, distance = 0.0, course = 0.0, deviation = 0.0;
    crossTrackNm = 0.0;
    if (aircraft.known && destination < static_cast<int>(plan.size())) {
        const Position to = entryPosition(plan[static_cast<size_t>(destination)]);
        bearing = bearingDeg(aircraft.position, to);
        distance = distanceNm(aircraft.position, to);
        course = bearing;
        if (destination > 0) {
            const Position from = entryPosition(plan[static_cast<size_t>(destination - 1)]);
            course = bearingDeg(from, to);
            crossTrackNm = crossTrackNmOf(from, to, aircraft.position);
            deviation = std::clamp(-crossTrackNm / kGpsNmPerDot, -kMostDots, kMostDots);
        }
        course = compass(course + aircraft.magneticVariation);
    }
    setFloat(kGpsBearing, static_cast<float>(bearing));
    setFloat(kGpsDistance, static_cast<float>(distance));
    setFloat(kGpsCourse, static_cast<float>(course));
    setFloat(kGpsDeviation, static_cast<float>(deviation));
}

bool validStation(const RadioStation& station) {
    const bool tuned = station.kind == StationKind::Vor || station.kind == StationKind::Localizer ||
                       station.kind == StationKind::GlideSlope;
    const bool placed = std::isfinite(station.lat) && std::fabs(station.lat) <= 90.0 &&
                        std::isfinite(station.lon) && std::fabs(station.lon) <= 180.0 &&
                        std::isfinite(station.elevationFt) &&
                        std::fabs(station.elevationFt) <= kHighestElevationFt;
    const bool onFrequency = !tuned || (station.frequency >= kLowestNavFrequency &&
                                        station.frequency <= kHighestNavFrequency);
    const bool courseGood = std::isfinite(station.courseMag) && station.courseMag >= 0.0f &&
                            station.courseMag < 360.0f;
    const bool slopeGood = station.kind != StationKind::GlideSlope ||
                           (station.slopeDeg > 0.0f && station.slopeDeg <= kSteepestSlopeDeg);
    return placed && onFrequency && courseGood && slopeGood && stations.size() < kMostStations;
}

}  // namespace

void resetRadios() {
    stations.clear();
    stations.reserve(kMostStations);
    simulated = false;
    crossTrackNm = 0.0;
}

void stepRadios() {
    if (!simulated) return;
    const Aircraft aircraft = readAircraft();
    for (const Receiver& receiver : kReceivers) stepReceiver(receiver, aircraft);
    stepMarkers(aircraft);
    stepGps(aircraft);
}

}  // namespace standin::detail

namespace standin {

bool addRadioStation(const RadioStation& station) {
    if (!detail::validStation(station)) return false;
    detail::stations.push_back(station);
    return true;
}

std::vector<RadioStation> radioStations() { return detail::stations; }

void simulateRadios(bool on) {
    detail::simulated = on;
    if (!on) detail::crossTrackNm = 0.0;
}

bool radiosSimulated() { return detail::simulated; }

double gpsCrossTrackNm() { return detail::crossTrackNm; }

}  // namespace standin
