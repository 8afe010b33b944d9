#include "systems/engines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "sim/lazy_dataref.h"
#include "sim/snapshot.h"

namespace quil {
namespace {

// Percent: above it the engine drives its hydraulic pump and gives bleed air.
constexpr float kDrivingAccessoriesN1 = 0.2f;
constexpr float kVibrationPerN2 = 0.009f;
constexpr float kHighestPlausibleSpeed = 150.0f;  // percent N1 or N2

// Animation
constexpr float kFanRevolutionsPerN1Second = 0.8625f;  // 86.25 rev/s at 100 % N1
constexpr float kDiskRevolutionsPerSecond = 0.3f;
constexpr float kIncrementSmoothing = 0.2f;      // seconds
constexpr float kFanDetailFadeStart = 0.006f;    // revolutions per frame
constexpr float kFanDetailFadeWidth = 0.01f;     // revolutions per frame
constexpr float kSpinnerDetailLimit = 0.2f;      // revolutions per frame
// A longer interval (a reload, a replay jump) restarts the animation clock
// rather than spinning the fans through it.
constexpr float kLongestAnimationInterval = 1.0f;  // seconds

// N1 limit
constexpr float kLongestN1LimitInterval = 4.0f;  // seconds
constexpr unsigned kTargetRecomputeBit = 16;     // 16 frames of every 32
constexpr float kN1LimitSlewPerSecond = 1.0f / 0.03f;  // percent N1
constexpr float kN1LimitSettleBand = 0.00033f;   // percent N1
constexpr float kWingAntiIceDeduction = 2.0f;    // percent N1
constexpr float kEngineAntiIceDeduction = 1.2f;  // percent N1

// Reversers
constexpr int kReverseThrustPropMode = 3;
constexpr float kReverserTravelSeconds = 1.0f;

// One row per thrust-limit mode: N1 at the corner temperature, rising from
// altitude a0 to a1 and falling off with the temperature's distance from
// the corner, colder or hotter.
struct ThrustRating {
    float a0, a1;            // feet
    float t0, t1;            // corner temperature, °C
    float n0, n1;            // percent N1 at the corner
    float cold0, cold1;      // percent per °C below the corner
    float hot0, hot1;        // percent per °C above the corner
    float lowest, highest;   // temperature clamp, °C; none when either is 0
};

constexpr ThrustRating kThrustRatings[kThrustLimitMaximum + 1] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 9000, 32, 14, 99.9f, 101.0f, 0.148f, 0.139f, 0.146f, 0.118f, -46, 60},
    {0, 9000, 32, 14, 97.9f, 99.0f, 0.148f, 0.139f, 0.146f, 0.118f, -46, 60},
    {0, 36000, 35, -17.5f, 92.5f, 100.0f, 0.161f, 0.17f, 0.151f, 0.17f, -40, 60},
    {0, 37000, 35, -17.5f, 94.0f, 101.3f, 0.161f, 0.161f, 0.151f, 0.17f, -40, 60},
    {29000, 41000, -5, -20, 93.8f, 94.4f, 0.182f, 0.176f, 0.128f, 0.128f, -60, 5},
    {0, 10000, 32, 14, 99.9f, 101.2f, 0.15f, 0.15f, 0.15f, 0.15f, -46, 60},
    {0, 36000, 35, -17.5f, 94.0f, 94.0f, 0, 0, 0, 0, 0, 0},
    {0, 36000, 35, -17.5f, 100.0f, 100.0f, 0, 0, 0, 0, 0, 0},
};

// The climb and cruise ratings take no anti-ice deduction.
bool deductsAntiIce(int mode) { return mode != kThrustLimitClimb && mode != kThrustLimitCruise; }

struct EngineAnimation {
    float xppEngineFanPosition;
    float xppGetSpinnerPos;
    float xppDisk1;
    float xppSmooth_dphi;  // revolutions per frame
    float fanDetail;
    float xppHidestopmotion;
    float previousTime;
    bool started;
};

struct N1Limit {
    uint8_t mode;
    unsigned frameCounter;
    float previousTime;
    float target;
};

// Each phase advances the reverser towards the command and gives its code
// and position; transitions assign the next phase.
struct Reverser;
using ReverserPhase = int (*)(Reverser& reverser, bool reverse, float now, float* position);

struct Reverser {
    ReverserPhase phase;
    float startTime;
    float lastTime;
};

struct Engines {
    EngineAnimation animation[kEngines];
    N1Limit n1Limit;
    Reverser reversers[kEngines];
};

int stowed(Reverser& reverser, bool reverse, float now, float* position);

constexpr Engines kEnginesAtLoad{
    {}, {kThrustLimitTakeoff, 0, 0.0f, 0.0f}, {{stowed, 0.0f, 0.0f}, {stowed, 0.0f, 0.0f}}};
Engines engines = kEnginesAtLoad;

LazyDataRef engineN1 = MakeLazyDataRef("sim/flightmodel/engine/ENGN_N1_");
LazyDataRef engineN2 = MakeLazyDataRef("sim/flightmodel/engine/ENGN_N2_");

bool validEngine(int engine) { return engine >= 0 && engine < kEngines; }

// A speed the simulator cannot give counts as a stopped engine.
float cleanSpeed(float percent) {
    return std::isfinite(percent) ? std::clamp(percent, 0.0f, kHighestPlausibleSpeed) : 0.0f;
}

float readEngine(LazyDataRef& ref, int engine) {
    if (!validEngine(engine)) return 0.0f;
    float value = 0.0f;
    LazyGetArray(ref, &value, engine, 1);
    return cleanSpeed(value);
}

void readBothEngines(LazyDataRef& ref, float (&speeds)[kEngines]) {
    LazyGetArray(ref, speeds, 0, kEngines);
    for (float& percent : speeds) percent = cleanSpeed(percent);
}

float wrapRevolution(float revolutions) { return std::fmod(revolutions, 1.0f); }

// ---- N1 limit ----

float targetFromRating(const ThrustRating& row, float altitude, float temperature) {
    if (row.a1 <= row.a0) return row.n0;
    const float a = std::clamp(altitude, row.a0, row.a1);
    const float f = (a - row.a0) / (row.a1 - row.a0);
    const bool clamped = row.lowest != 0.0f && row.highest != 0.0f;
    const float t = clamped ? std::clamp(temperature, row.lowest, row.highest) : temperature;
    const float corner = row.t0 + (row.t1 - row.t0) * f;
    const float n = row.n0 + (row.n1 - row.n0) * f;
    if (t <= corner) return n - (row.cold0 + (row.cold1 - row.cold0) * f) * (corner - t);
    return n - (row.hot0 + (row.hot1 - row.hot0) * f) * (t - corner);
}

// Mode 0 rates nothing: its target stays 0 whatever bleeds are on.
float n1Target(int mode, float altitude, float temperature, bool wingAntiIce,
               bool engineAntiIce) {
    const ThrustRating& row = kThrustRatings[mode];
    float target = targetFromRating(row, altitude, temperature);
    if (row.a1 <= row.a0 || !deductsAntiIce(mode)) return target;
    if (wingAntiIce) target -= kWingAntiIceDeduction;
    if (engineAntiIce) target -= kEngineAntiIceDeduction;
    return target;
}

float slewTowards(float value, float target, float maxStep) {
    if (!std::isfinite(value) || std::fabs(target - value) <= kN1LimitSettleBand) return target;
    if (value < target) return std::min(value + maxStep, target);
    return std::max(value - maxStep, target);
}

// ---- Reversers ----

int deploying(Reverser& reverser, bool reverse, float now, float* position);
int deployed(Reverser& reverser, bool reverse, float now, float* position);
int stowing(Reverser& reverser, bool reverse, float now, float* position);

// The fraction of the present travel done, 0 to 1.
float travelDone(const Reverser& reverser, float now) {
    return std::clamp((now - reverser.startTime) / kReverserTravelSeconds, 0.0f, 1.0f);
}

// A travel begun midway, after a reversal, starts as far along as the
// reverser already stands.
void startTravel(Reverser& reverser, float now, float done) {
    reverser.startTime = now - done * kReverserTravelSeconds;
}

int stowed(Reverser& reverser, bool reverse, float now, float* position) {
    *position = 0.0f;
    if (!reverse) return kReverserStowed;
    startTravel(reverser, now, 0.0f);
    reverser.phase = deploying;
    return kReverserDeploying;
}

int deploying(Reverser& reverser, bool reverse, float now, float* position) {
    const float done = travelDone(reverser, now);
    if (!reverse) {
        *position = done;
        startTravel(reverser, now, 1.0f - done);
        reverser.phase = stowing;
        return kReverserStowing;
    }
    if (done >= 1.0f) {
        *position = 1.0f;
        reverser.phase = deployed;
        return kReverserDeployed;
    }
    *position = done;
    return kReverserDeploying;
}

int deployed(Reverser& reverser, bool reverse, float now, float* position) {
    *position = 1.0f;
    if (reverse) return kReverserDeployed;
    startTravel(reverser, now, 0.0f);
    reverser.phase = stowing;
    return kReverserStowing;
}

int stowing(Reverser& reverser, bool reverse, float now, float* position) {
    const float done = travelDone(reverser, now);
    if (reverse) {
        *position = 1.0f - done;
        startTravel(reverser, now, 1.0f - done);
        reverser.phase = deploying;
        return kReverserDeploying;
    }
    if (done >= 1.0f) {
        *position = 0.0f;
        reverser.phase = stowed;
        return kReverserStowed;
    }
    *position = 1.0f - done;
    return kReverserStowing;
}

}  // namespace

void RestartEngineModel() { engines = kEnginesAtLoad; }

// ---- Engine speeds ----

float N1(int engine) { return readEngine(engineN1, engine); }
float N2(int engine) { return readEngine(engineN2, engine); }
void N1OfBothEngines(float (&n1)[kEngines]) { readBothEngines(engineN1, n1); }
void N2OfBothEngines(float (&n2)[kEngines]) { readBothEngines(engineN2, n2); }
bool engineRunning(int engine) { return N1(engine) > kDrivingAccessoriesN1; }
bool eitherEngineRunning() { return engineRunning(0) || engineRunning(1); }
float VibrationAtN2(float n2) { return n2 * kVibrationPerN2; }
float VibrationLevel(int engine) { return VibrationAtN2(N2(engine)); }

// ---- Animation ----

void EngineAnimationStep(int engine) {
    if (!validEngine(engine)) return;
    EngineAnimation& a = engines.animation[engine];
    const float now = snapshot.now;
    if (!std::isfinite(now)) return;
    const float dt = now - a.previousTime;
    a.previousTime = now;
    if (!a.started || dt < 0.0f || dt > kLongestAnimationInterval) {
        a.started = true;
        return;
    }

    const float increment = N1(engine) * kFanRevolutionsPerN1Second * dt;
    a.xppEngineFanPosition = wrapRevolution(a.xppEngineFanPosition + increment);
    a.xppGetSpinnerPos = wrapRevolution(a.xppGetSpinnerPos + increment);
    a.xppDisk1 = wrapRevolution(a.xppDisk1 + kDiskRevolutionsPerSecond * dt);

    a.xppSmooth_dphi = (increment * dt + a.xppSmooth_dphi * kIncrementSmoothing) /
                       (dt + kIncrementSmoothing);

    // A fast fan shows as the blur disk; its blades fade out over a band of
    // speeds rather than popping.
    const float blur = (a.xppSmooth_dphi - kFanDetailFadeStart) / kFanDetailFadeWidth;
    a.fanDetail = 1.0f - std::clamp(blur, 0.0f, 1.0f);
    a.xppHidestopmotion = a.xppSmooth_dphi <= kSpinnerDetailLimit ? 1.0f : 0.0f;
}

float FanRotation(int engine) {
    return validEngine(engine) ? engines.animation[engine].xppEngineFanPosition : 0.0f;
}
float SpinnerRotation(int engine) {
    return validEngine(engine) ? engines.animation[engine].xppGetSpinnerPos : 0.0f;
}
float DiskRotation(int engine) {
    return validEngine(engine) ? engines.animation[engine].xppDisk1 : 0.0f;
}
float FanDetail(int engine) {
    return validEngine(engine) ? engines.animation[engine].fanDetail : 0.0f;
}
float SpinnerDetail(int engine) {
    return validEngine(engine) ? engines.animation[engine].xppHidestopmotion : 0.0f;
}

// ---- N1 limit ----

void ComputeN1Limits(int oat, float altitude, int wingAntiIce,
                     const unsigned char engineAntiIce[2], float n1Limit[2], int engineCount) {
    N1Limit& limit = engines.n1Limit;
    const float now = snapshot.now;
    if (!std::isfinite(now) || n1Limit == nullptr) return;
    if (now > limit.previousTime + kLongestN1LimitInterval || now < limit.previousTime) {
        limit.previousTime = now;
    }
    const float dt = now - limit.previousTime;

    const bool recompute = (limit.frameCounter & kTargetRecomputeBit) != 0;
    ++limit.frameCounter;
    if (recompute && std::isfinite(altitude)) {
        // Only engine 1's anti-ice valve counts, open or on its way.
        const bool engineOneAntiIce = engineAntiIce != nullptr && engineAntiIce[0] != 0;
        limit.target = n1Target(limit.mode, altitude, static_cast<float>(oat), wingAntiIce != 0,
                                engineOneAntiIce);
    }

    const int count = std::clamp(engineCount, 0, kEngines);
    for (int e = 0; e < count; ++e) {
        n1Limit[e] = slewTowards(n1Limit[e], limit.target, kN1LimitSlewPerSecond * dt);
    }
    limit.previousTime = now;
}

void SelectThrustLimitTable(int) { engines.n1Limit.mode = kThrustLimitTakeoff; }

void SetThrustLimitMode(int mode) {
    if (mode < kThrustLimitNone || mode > kThrustLimitMaximum) return;
    engines.n1Limit.mode = static_cast<uint8_t>(mode);
}

void ThrustLimitModeUp() {
    SetThrustLimitMode(std::min<int>(ThrustLimitMode() + 1, kThrustLimitMaximum));
}
void ThrustLimitModeDown() {
    SetThrustLimitMode(std::max<int>(ThrustLimitMode() - 1, kThrustLimitNone));
}
ThrustLimit ThrustLimitMode() { return static_cast<ThrustLimit>(engines.n1Limit.mode); }

// ---- Reversers ----

int ReverserState(int engine, float* position) {
    float ignored = 0.0f;
    float* out = position != nullptr ? position : &ignored;
    if (!validEngine(engine)) {
        *out = 0.0f;
        return kReverserStowed;
    }
    Reverser& reverser = engines.reversers[engine];
    float now = snapshot.now;
    if (!std::isfinite(now)) {
        now = reverser.lastTime;
    } else if (now < reverser.lastTime) {
        // Time run backwards keeps the travel made so far.
        reverser.startTime += now - reverser.lastTime;
    }
    reverser.lastTime = now;

    const bool reverse = snapshot.propMode[engine] == kReverseThrustPropMode;
    return reverser.phase(reverser, reverse, now, out);
}

}  // namespace quil
