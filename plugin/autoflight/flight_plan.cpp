// LNAV's view of the simulator's flight plan: the active leg (previous
// entry to destination) and the one after it, the aircraft's place on the
// leg, waypoint sequencing with turn anticipation, the thrust-limit mode at
// each waypoint and the end of the route.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "XPLMDataAccess.h"
#include "XPLMNavigation.h"
#include "autoflight/earth.h"
#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "sim/units.h"
#include "systems/air_ground.h"
#include "systems/engines.h"

namespace quil {
namespace {

constexpr int kMostPlanEntries = 100;  // the simulator's plan holds no more
constexpr int kIdBytes = 256;          // the SDK's identifier buffer
constexpr double kMostLatitudeDeg = 90.0;
constexpr double kMostLongitudeDeg = 180.0;

// Turn anticipation
constexpr double kNoAnticipationTurnRad = 2.618;  // 150 deg and more: fly over
constexpr double kStraightTurnRad = 0.05;
constexpr double kStraightAnticipationNm = 0.2;
constexpr double kRollInSeconds = 2.99;  // flown straight while the bank builds
constexpr double kMetresPerNm = 1852.0;
constexpr double kFlattestTurnRad = 0.2;  // the turn point's cross-track shift stays bounded
constexpr double kHalfTurnRad = 3.14159265358979;

// End of route
constexpr float kEndOfRouteNm = 0.2f;
constexpr float kEndOfRouteHeadingDeg = 60.0f;
constexpr float kNoLongerCloserS = 3.0f;
constexpr float kGiveUpS = 30.0f;

// Waypoint altitudes (feet) for the thrust-limit mode
constexpr long long kLowWaypointFeet = 800;
constexpr long long kHighWaypointFeet = 4000;
constexpr long long kClimbMarginFeet = 100;

struct FmsLegPoint {
    std::int32_t index = 0;
    float lat = 0.0f, lon = 0.0f;  // degrees
    float course = 0.0f;           // degrees true
    double latRad = 0.0, lonRad = 0.0;
    double courseRad = 0.0;
    std::int32_t altitude = 0;  // feet
    XPLMNavRef ref = XPLM_NAV_NOT_FOUND;
    char id[kIdBytes] = {};
};

struct FlightPlan {
    FmsLegPoint previous, destination, next;
    int fmsEntryCount = 0;
    std::uint8_t fmsValid = 0;
    std::int32_t highestPlanAltitude = 0;
    float destDistance = 0.0f, prevDestDistance = 0.0f;  // nm
    float lastCloserTime = 0.0f;
    double turnAngle = 0.0;
    double turnAnticipation = 0.0;  // nm
    int lastDestIndex = 0;
    double latRad = 0.0, lonRad = 0.0;  // the aircraft
};

FlightPlan plan;

double radians(double degrees) { return degrees / kDegreesPerRadian; }

double courseBetween(const FmsLegPoint& from, const FmsLegPoint& to) {
    return InitialCourse(from.latRad, from.lonRad, to.latRad, to.lonRad);
}

void setCourse(FmsLegPoint& point, double course) {
    point.course = static_cast<float>(course);
    point.courseRad = radians(course);
}

// A garbage position from the simulator leaves the last good one.
void readAircraftPosition() {
    const double lat = XPLMGetDatad(sim.latitude);
    const double lon = XPLMGetDatad(sim.longitude);
    if (!std::isfinite(lat) || !std::isfinite(lon)) return;
    plan.latRad = radians(lat);
    plan.lonRad = radians(lon);
}

void countEntries() {
    int count = 0;
    for (; count < kMostPlanEntries; ++count) {
        XPLMNavType type = xplm_Nav_Unknown;
        int altitude = 0;
        XPLMGetFMSEntryInfo(count, &type, nullptr, nullptr, &altitude, nullptr, nullptr);
        if (type == xplm_Nav_Unknown) break;
        plan.highestPlanAltitude = std::max(plan.highestPlanAltitude, altitude);
    }
    plan.fmsEntryCount = count;
}

// False when the entry lies nowhere on the earth.
bool readEntry(int index, FmsLegPoint& point) {
    point.index = index;
    XPLMGetFMSEntryInfo(index, nullptr, point.id, &point.ref, &point.altitude, &point.lat,
                        &point.lon);
    point.latRad = radians(point.lat);
    point.lonRad = radians(point.lon);
    return std::isfinite(point.lat) && std::isfinite(point.lon) &&
           std::fabs(point.lat) <= kMostLatitudeDeg && std::fabs(point.lon) <= kMostLongitudeDeg;
}

double distanceTo(const FmsLegPoint& point) {
    return DistanceNm(plan.latRad, plan.lonRad, point.latRad, point.lonRad);
}

bool destinationIsLast() { return plan.destination.index + 1 >= plan.fmsEntryCount; }

// The three leg points and their courses; false when they make no leg: the
// destination beyond the plan or without an entry before it, an entry off
// the earth, or a destination at latitude and longitude 0.
bool readLeg() {
    const int d = XPLMGetDestinationFMSEntry();
    if (d < 1 || d >= plan.fmsEntryCount) return false;
    if (!readEntry(d - 1, plan.previous) || !readEntry(d, plan.destination)) return false;
    if (plan.destination.lat == 0.0f && plan.destination.lon == 0.0f) return false;
    if (destinationIsLast()) {
        plan.next = plan.destination;
    } else if (!readEntry(d + 1, plan.next)) {
        return false;
    }
    setCourse(plan.previous, courseBetween(plan.previous, plan.destination));
    // At the last entry the route simply goes on along the final leg.
    setCourse(plan.destination,
              destinationIsLast() ? plan.previous.course : courseBetween(plan.destination, plan.next));
    setCourse(plan.next, courseBetween(plan.previous, plan.next));
    plan.prevDestDistance = plan.destDistance;
    plan.destDistance = static_cast<float>(distanceTo(plan.destination));
    return true;
}

// How far before the turn point the turn onto the next leg starts, nm.
double anticipationNm() {
    double angle = std::fabs(plan.destination.courseRad - plan.previous.courseRad);
    if (angle > PhysicsPi()) angle = PhysicsTwoPi() - angle;
    angle = std::min(angle, kNoAnticipationTurnRad);
    plan.turnAngle = angle;
    if (angle >= kNoAnticipationTurnRad) return 0.0;
    if (angle <= kStraightTurnRad) return kStraightAnticipationNm;
    const double v = groundspeed_mps();
    const double tanBank = tanMaxBankAngle(static_cast<float>(angle * kDegreesPerRadian));
    const double turning = tanBank > 0.0 ? std::fabs(v * v * std::tan(angle / 2.0) / (tanBank * kGravity))
                                         : 0.0;
    return (kRollInSeconds * v + turning) / kMetresPerNm;
}

// The thrust-limit mode for the leg from a waypoint at `passed` feet to one
// at `next` feet.
void setLegThrustLimit(long long passed, long long next) {
    if (passed > kHighWaypointFeet) {
        SetThrustLimitMode(next > passed + kClimbMarginFeet ? kThrustLimitClimb : kThrustLimitCruise);
    } else if (passed > kLowWaypointFeet) {
        if (next < passed) {
            SetThrustLimitMode(kThrustLimitGoAround);
        } else if (ThrustLimitMode() == kThrustLimitTakeoffReduced) {
            SetThrustLimitMode(kThrustLimitClimbReduced);
        } else if (ThrustLimitMode() == kThrustLimitTakeoff) {
            SetThrustLimitMode(kThrustLimitClimb);
        }
    } else {
        SetThrustLimitMode(next >= passed ? kThrustLimitTakeoff : kThrustLimitGoAround);
    }
}

// Moves on to the next entry within the turn anticipation, and follows any
// change of the destination, whoever made it.
void sequence(float now) {
    if (destinationIsLast()) return;
    if (DistanceToTurnNm() < plan.turnAnticipation) {
        XPLMSetDestinationFMSEntry(plan.destination.index + 1);
    }
    const int reachedIndex = XPLMGetDestinationFMSEntry();
    if (reachedIndex == plan.lastDestIndex) return;
    if (apLnavEng()) {
        SetCrossTrackLoop(false);
        float course = plan.next.course;
        WrapToNear(course, snapshot.track);
        StartTurn(course, snapshot.track, now);
    }
    FmsLegPoint reached;
    if (reachedIndex >= 0 && reachedIndex < plan.fmsEntryCount && readEntry(reachedIndex, reached)) {
        plan.destDistance = static_cast<float>(distanceTo(reached));
        setLegThrustLimit(plan.destination.altitude, reached.altitude);
    }
    plan.turnAnticipation = 0.0;
}

// At the last waypoint LNAV hands over to HDG SEL on the final leg's course
// and VNAV to ALT HOLD.
void endRoute(float now) {
    if (!destinationIsLast()) return;
    const float course = plan.previous.course;
    float heading = snapshot.magHeading;
    WrapToNear(heading, course);
    const bool ended = plan.destDistance < kEndOfRouteNm ||
                       (std::fabs(heading - course) < kEndOfRouteHeadingDeg &&
                        plan.lastCloserTime < now - kNoLongerCloserS) ||
                       plan.lastCloserTime < now - kGiveUpS;
    if (!ended) return;
    if (apLnavEng()) {
        SetMcpHdg(static_cast<float>(TruncToInt(course + 0.5f)));
        mcpHdgSel(kMcpOn);
    }
    if (apVnavEng()) mcpAltHold(kMcpOn, 1);
}

// The aircraft off the active leg (radians, right positive) and the
// distance to go along it (nm).
struct LegPosition {
    double crossTrackRad = 0.0;
    double alongTrackNm = 0.0;
};

LegPosition legPosition() {
    if (!plan.fmsValid) return {};
    const FmsLegPoint& d = plan.destination;
    const double toDestination = InitialCourse(plan.latRad, plan.lonRad, d.latRad, d.lonRad);
    const double delta = (toDestination - plan.previous.course) / kDegreesPerRadian;
    const double distance = CentralAngle(plan.latRad, plan.lonRad, d.latRad, d.lonRad);
    return {-distance * std::sin(delta), distance * kNmPerRadian * std::cos(delta)};
}

}  // namespace

void TrackFlightPlan() {
    const float now = snapshot.now;
    if (!std::isfinite(now)) return;
    readAircraftPosition();
    countEntries();
    plan.fmsValid = plan.fmsEntryCount > 0 && readLeg();
    if (plan.fmsValid) {
        plan.turnAnticipation = anticipationNm();
        if (plan.destDistance < plan.prevDestDistance) plan.lastCloserTime = now;
        sequence(now);
        endRoute(now);
    }
    plan.lastDestIndex = XPLMGetDestinationFMSEntry();
}

bool FlightPlanValid() { return plan.fmsValid; }
float LegCourse() { return plan.fmsValid ? plan.previous.course : 0.0f; }

float targetWaypointAltitude() {
    return plan.fmsValid ? static_cast<float>(plan.destination.altitude) : snapshot.indicatedAltitude;
}

float passedWaypointAltitude() {
    return plan.fmsValid ? static_cast<float>(plan.previous.altitude) : snapshot.indicatedAltitude;
}

int highestPlanAltitude() { return plan.highestPlanAltitude; }

float CrossTrackRad() { return static_cast<float>(legPosition().crossTrackRad); }
float CrossTrackDeg() { return static_cast<float>(legPosition().crossTrackRad * kDegreesPerRadian); }
float CrossTrackNm() { return static_cast<float>(legPosition().crossTrackRad * kNmPerRadian); }
float AlongTrackNm() { return static_cast<float>(legPosition().alongTrackNm); }

// The turn is taken as at least 0.2 rad either way (modulo a half turn, the
// tangent's period), so a nearly straight leg change does not throw the
// turn point far off by the cross-track distance.
float DistanceToTurnNm() {
    const LegPosition at = legPosition();
    if (!plan.fmsValid || destinationIsLast()) return static_cast<float>(at.alongTrackNm);
    double turn = (plan.previous.course - plan.destination.course) / kDegreesPerRadian;
    turn -= kHalfTurnRad * std::round(turn / kHalfTurnRad);
    if (std::fabs(turn) < kFlattestTurnRad) turn = turn < 0.0 ? -kFlattestTurnRad : kFlattestTurnRad;
    return static_cast<float>(at.alongTrackNm - at.crossTrackRad * kNmPerRadian / std::tan(turn));
}

}  // namespace quil
