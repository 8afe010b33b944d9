// The host's flight model in the frame: reads what the cockpit commands
// from the simulator's datarefs, moves the aircraft, and writes back every
// flight value the plug-ins read, all consistent with one motion.
#include <algorithm>
#include <cmath>

#include "XPLMUtilities.h"
#include "standin/flight/fp_trap.h"
#include "standin/flight/motion.h"
#include "standin/internal.h"
#include "standin/sim_datarefs.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

using namespace standin::flight;

constexpr double kFeetPerMinutePerMps = 60.0 / kMetresPerFoot;
constexpr double kStandardInHg = 29.92;
// An altimeter moves about 923 ft per inch of mercury near sea level.
constexpr double kFeetPerInHg = 923.0;
// The slip ball stands over by half the sideslip, positive to the left,
// the way the rudder pushes it.
constexpr double kBallPerSideslip = 0.5;
constexpr double kOilPsiPerN2 = 0.6;

// Every dataref the model reads or writes, looked up once per current.
enum Ref {
    kElevatorTrim, kAileronTrim, kRudderTrim, kThrottle, kMixture, kFlapRequest, kParkBrake,
    kSpeedbrake, kFuel1, kFuel2, kFuel3, kBaroSetting, kMagVar,
    kTheta, kPhi, kPsi, kMagPsi, kHpath, kBeta, kSlip, kVerticalFpm, kIas, kMach, kHind, kYagl,
    kElevation, kLatitude, kLongitude, kGroundSpeed, kFlapRatio, kGearForce, kTotalMass, kN1, kN2, kEgt,
    kFuelFlow, kOilPressure, kStarterDuration, kOutsideC, kBaroCurrent, kGearDeploy,
    kCrossTrack, kDestination, kTouchdown, kRefCount
};

constexpr const char* kRefNames[kRefCount] = {
    "sim/flightmodel/controls/elv_trim", "sim/flightmodel/controls/ail_trim",
    "sim/flightmodel/controls/rud_trim", "sim/flightmodel/engine/ENGN_thro",
    "sim/flightmodel/engine/ENGN_mixt", "sim/flightmodel/controls/flaprqst",
    "sim/flightmodel/controls/parkbrake", "sim/flightmodel/controls/sbrkrat",
    "sim/flightmodel/weight/m_fuel1", "sim/flightmodel/weight/m_fuel2",
    "sim/flightmodel/weight/m_fuel3", "sim/cockpit/misc/barometer_setting",
    "sim/flightmodel/position/magnetic_variation",
    "sim/flightmodel/position/theta", "sim/flightmodel/position/phi",
    "sim/flightmodel/position/psi", "sim/flightmodel/position/magpsi",
    "sim/flightmodel/position/hpath", "sim/flightmodel/position/beta",
    "sim/flightmodel/misc/slip", "sim/flightmodel/position/vh_ind_fpm",
    "sim/flightmodel/position/indicated_airspeed", "sim/flightmodel/misc/machno",
    "sim/flightmodel/misc/h_ind", "sim/flightmodel/position/y_agl",
    "sim/flightmodel/position/elevation", "sim/flightmodel/position/latitude", "sim/flightmodel/position/longitude",
    "sim/flightmodel/position/groundspeed", "sim/flightmodel/controls/flaprat",
    "sim/flightmodel/forces/fnrml_gear", "sim/flightmodel/weight/m_total",
    "sim/flightmodel/engine/ENGN_N1_", "sim/flightmodel/engine/ENGN_N2_",
    "sim/flightmodel/engine/ENGN_EGT_c", "sim/flightmodel/engine/ENGN_FF_",
    "sim/flightmodel/engine/ENGN_oil_press", "sim/cockpit/engine/starter_duration",
    "sim/weather/temperature_le_c", "sim/weather/barometer_current_inhg",
    "sim/aircraft/parts/acf_gear_deploy",
    "standin/flight/cross_track_nm", "standin/flight/fms_destination",
    "standin/flight/touchdown_fpm",
};

// The flight's own values for checking a flight: the distance right of the
// flight plan's route, the destination entry, the vertical speed of the
// last touchdown.
const SimDataRefSpec kFlightCheckRefs[] = {
    {"standin/flight/cross_track_nm", xplmType_Float, 1, false, {0}},
    {"standin/flight/fms_destination", xplmType_Int, 1, false, {0}},
    {"standin/flight/touchdown_fpm", xplmType_Float, 1, false, {0}},
};

struct Flight {
    bool started = false;
    Motion motion;
    Wind wind;
    PilotInputs pilot;
    double zeroFuelMassKg = 0.0;
    double starterSeconds[kEngineCount] = {};
    XPLMDataRef refs[kRefCount] = {};
};

Flight current;

double read(Ref ref, int index = 0) { return hostRead(current.refs[ref], index); }
void write(Ref ref, double value, int index = 0) { hostWrite(current.refs[ref], value, index); }

double fuelMass() { return read(kFuel1) + read(kFuel2) + read(kFuel3); }

Controls cockpitControls() {
    Controls controls;
    const PilotInputs& pilot = current.pilot;
    controls.elevator = read(kElevatorTrim) + pilot.yokePitch;
    controls.aileron = read(kAileronTrim) + pilot.yokeRoll;
    controls.rudder = read(kRudderTrim) + pilot.rudder;
    for (int e = 0; e < kEngineCount; ++e) {
        controls.engines[e].throttle = read(kThrottle, e);
        controls.engines[e].fuel = read(kMixture, e) > 0.5;
        controls.engines[e].starter = buttonHeld(xplm_joy_start_0 + e);
    }
    controls.flapLever = read(kFlapRequest);
    controls.gearDown = pilot.gearDown;
    controls.speedbrake = read(kSpeedbrake);
    controls.brakes = read(kParkBrake) > 0.5;
    // Whatever a plug-in wrote, the model takes no NaN or infinity.
    for (double* value : {&controls.elevator, &controls.aileron, &controls.rudder,
                          &controls.flapLever, &controls.speedbrake})
        if (!std::isfinite(*value)) *value = 0.0;
    for (EngineControls& engine : controls.engines)
        if (!std::isfinite(engine.throttle)) engine.throttle = 0.0;
    return controls;
}

double degrees360(double radians) {
    const double degrees = std::fmod(radians * kDegreesPerRadian, 360.0);
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

// Distance (nm, right positive) from the leg between two flight-plan
// entries, on the sphere of the model.
double offsetFromLeg(const FmsEntry& from, const FmsEntry& to) {
    const double lat1 = from.lat * kRadiansPerDegree, lon1 = from.lon * kRadiansPerDegree;
    const double lat2 = to.lat * kRadiansPerDegree, lon2 = to.lon * kRadiansPerDegree;
    const double lat = current.motion.latRad, lon = current.motion.lonRad;
    auto course = [](double la1, double lo1, double la2, double lo2) {
        return std::atan2(std::sin(lo2 - lo1) * std::cos(la2),
                          std::cos(la1) * std::sin(la2) -
                              std::sin(la1) * std::cos(la2) * std::cos(lo2 - lo1));
    };
    const double distance = std::acos(std::clamp(
        std::sin(lat1) * std::sin(lat) + std::cos(lat1) * std::cos(lat) * std::cos(lon - lon1),
        -1.0, 1.0));
    const double offset = std::asin(
        std::sin(distance) * std::sin(course(lat1, lon1, lat, lon) - course(lat1, lon1, lat2, lon2)));
    return offset * 60.0 * kDegreesPerRadian;
}

// Distance from the route flown: from the active leg, or from the leg just
// left when that is nearer, as it is through a turn that begins before
// the waypoint.
double crossTrackNm() {
    const std::vector<FmsEntry>& plan = flightPlanEntries();
    const int destination = destinationEntry();
    if (destination < 1 || destination >= static_cast<int>(plan.size())) return 0.0;
    const double active = offsetFromLeg(plan[destination - 1], plan[destination]);
    if (destination < 2) return active;
    const double left = offsetFromLeg(plan[destination - 2], plan[destination - 1]);
    return std::fabs(left) < std::fabs(active) ? left : active;
}

void writeFlightState() {
    const Motion& m = current.motion;
    const Air air = airAround(m);
    const double mach = machNumber(m);
    const double variation = read(kMagVar);
    const double heading = degrees360(trueHeading(m));
    write(kTheta, pitchAttitude(m) * kDegreesPerRadian);
    write(kPhi, m.bankRad * kDegreesPerRadian);
    write(kPsi, heading);
    write(kMagPsi, std::fmod(heading + variation + 360.0, 360.0));
    write(kHpath, degrees360(m.trackRad));
    write(kBeta, m.sideslipRad * kDegreesPerRadian);
    write(kSlip, kBallPerSideslip * m.sideslipRad * kDegreesPerRadian);
    write(kVerticalFpm, m.verticalSpeed * kFeetPerMinutePerMps);
    write(kIas, calibratedFromMach(mach, air) / kMetresPerSecondPerKnot);
    write(kMach, mach);
    const double baroSetting = read(kBaroSetting);
    const double altimeter =
        m.altitudeM / kMetresPerFoot +
        (std::isfinite(baroSetting) ? (baroSetting - kStandardInHg) * kFeetPerInHg : 0.0);
    write(kHind, altimeter);
    write(kYagl, m.altitudeM - m.groundElevationM);
    write(kElevation, m.altitudeM);
    write(kLatitude, m.latRad * kDegreesPerRadian);
    write(kLongitude, m.lonRad * kDegreesPerRadian);
    write(kGroundSpeed, m.groundSpeed);
    write(kFlapRatio, m.flaps);
    write(kGearForce, m.gearLoadN);
    write(kTotalMass, m.massKg);
    for (int e = 0; e < kEngineCount; ++e) {
        write(kN1, m.engines[e].n1, e);
        write(kN2, m.engines[e].n2, e);
        write(kEgt, m.engines[e].egt, e);
        write(kFuelFlow, m.engines[e].fuelFlow, e);
        write(kOilPressure, kOilPsiPerN2 * m.engines[e].n2, e);
        write(kStarterDuration, current.starterSeconds[e], e);
    }
    // The leading edge meets the air at its total temperature.
    write(kOutsideC, air.temperatureK * (1.0 + 0.2 * mach * mach) - kKelvinAtZeroC);
    write(kBaroCurrent, kStandardInHg);
    for (int leg = 0; leg < 3; ++leg) write(kGearDeploy, m.gear, leg);
    write(kCrossTrack, crossTrackNm());
    write(kDestination, destinationEntry());
    write(kTouchdown, m.touchdownMps * kFeetPerMinutePerMps);
}

}  // namespace

void stepFlight(double dt) {
    if (!current.started || !(dt > 0.0)) return;
    const Controls controls = cockpitControls();
    for (int e = 0; e < kEngineCount; ++e)
        if (controls.engines[e].starter) current.starterSeconds[e] += dt;
    const double fuel = fuelMass();
    if (std::isfinite(fuel)) current.motion.massKg = current.zeroFuelMassKg + std::max(0.0, fuel);
    stepMotion(current.motion, controls, current.wind, dt);
    writeFlightState();
}

void resetFlight() {
    current = Flight{};
    disarmFloatingPointReport();
}


}  // namespace standin::detail

namespace standin {

using namespace standin::flight;
using detail::current;

constexpr double kStrongestWindKt = 150.0;

namespace {

// Within what the aircraft and the model can fly: a start out of them is
// brought to the nearest that can.
FlightStart withinLimits(FlightStart start) {
    auto within = [](double value, double lowest, double highest) {
        return std::isfinite(value) ? std::clamp(value, lowest, highest) : lowest;
    };
    start.latitude = within(start.latitude, -90.0, 90.0);
    start.longitude = within(start.longitude, -180.0, 180.0);
    start.fieldElevationFt = within(start.fieldElevationFt, -1000.0, 15000.0);
    start.altitudeFt = within(start.altitudeFt, start.fieldElevationFt, 45000.0);
    start.airspeedKt = within(start.airspeedKt, 100.0, 400.0);
    start.headingDeg = within(start.headingDeg, -360.0, 720.0);
    start.flaps = within(start.flaps, 0.0, 1.0);
    start.massKg = within(start.massKg, 40000.0, kMaxTakeoffMassKg);
    return start;
}

}  // namespace

void startFlight(const FlightStart& requested) {
    const FlightStart start = withinLimits(requested);
    for (const detail::SimDataRefSpec& ref : detail::kFlightCheckRefs)
        if (!detail::hostHandle(ref.name)) detail::addSimDataRef(ref);
    for (int ref = 0; ref < detail::kRefCount; ++ref)
        current.refs[ref] = detail::hostHandle(detail::kRefNames[ref]);
    current.started = true;
    current.pilot.gearDown = start.gearDown;

    Motion& m = current.motion;
    m = Motion{};
    m.latRad = start.latitude * kRadiansPerDegree;
    m.lonRad = start.longitude * kRadiansPerDegree;
    m.groundElevationM = start.fieldElevationFt * kMetresPerFoot;
    m.flaps = std::clamp(start.flaps, 0.0, 1.0);
    m.gear = start.gearDown ? 1.0 : 0.0;
    m.massKg = start.massKg;
    current.zeroFuelMassKg = std::max(1000.0, m.massKg - detail::fuelMass());
    double drag = 0.0, throttle = 0.0;
    const double headingRad =
        (start.headingDeg - detail::read(detail::kMagVar)) * kRadiansPerDegree;
    if (start.onGround) {
        m.onGround = true;
        m.altitudeM = m.groundElevationM + kGearHeightM;
        m.headingRad = m.courseRad = m.trackRad = headingRad;
        m.pitchRad = 0.4 * kRadiansPerDegree;
        m.gearLoadN = m.massKg * kGravity;
    } else {
        m.altitudeM = std::max(start.altitudeFt * kMetresPerFoot,
                               m.groundElevationM + kGearHeightM + 1.0);
        const Air air = airAround(m);
        const double mach = machFromCalibrated(start.airspeedKt * kMetresPerSecondPerKnot, air);
        drag = flyLevel(m, mach * air.speedOfSound, headingRad);
        throttle = throttleForThrust(drag / kEngineCount, air, mach);
    }
    // Airborne the aircraft starts trimmed: elevator for its angle of
    // attack, throttles for its drag.
    const Air air = airAround(m);
    for (Engine& engine : m.engines) {
        if (!start.enginesRunning) engine = stoppedEngine(air.temperatureK - kKelvinAtZeroC);
        else settleEngine(engine, throttle, air, machNumber(m));
    }
    for (int e = 0; e < kEngineCount; ++e) {
        detail::write(detail::kMixture, start.enginesRunning ? 1.0 : 0.0, e);
        detail::write(detail::kThrottle, start.enginesRunning ? throttle : 0.0, e);
    }
    detail::write(detail::kElevatorTrim, m.onGround ? 0.0 : elevatorForAlpha(m.alphaRad));
    detail::write(detail::kAileronTrim, 0.0);
    detail::write(detail::kRudderTrim, 0.0);
    detail::write(detail::kFlapRequest, m.flaps);
    detail::write(detail::kParkBrake, 0.0);
    detail::writeFlightState();
    detail::armFloatingPointReport();
}

bool flightStarted() { return current.started; }

void setWind(double fromDegreesTrue, double knots) {
    if (!std::isfinite(fromDegreesTrue) || !std::isfinite(knots)) return;
    current.wind.fromRad = fromDegreesTrue * kRadiansPerDegree;
    current.wind.speedMps = std::clamp(knots, 0.0, kStrongestWindKt) * kMetresPerSecondPerKnot;
}

void setPilotInputs(const PilotInputs& inputs) {
    auto sane = [](double value) { return std::isfinite(value) ? std::clamp(value, -1.0, 1.0) : 0.0; };
    current.pilot.yokePitch = sane(inputs.yokePitch);
    current.pilot.yokeRoll = sane(inputs.yokeRoll);
    current.pilot.rudder = sane(inputs.rudder);
    current.pilot.gearDown = inputs.gearDown;
}

PilotInputs pilotInputs() { return current.pilot; }

}  // namespace standin
