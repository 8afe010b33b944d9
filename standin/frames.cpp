// Simulator time and the frame: the running time advances, flight loops run
// by their interval rules, then the cockpit is drawn phase by phase.
#include <algorithm>
#include <cmath>
#include <vector>

#include "XPLMDataAccess.h"
#include "XPLMProcessing.h"
#include "standin/flight/fp_trap.h"
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

constexpr float kSecondsPerDay = 86400.0f;
constexpr int kDaysPerYear = 365;
// A loop due within this much of a frame's time runs in that frame, so
// intervals that are whole numbers of frames do not slip by one.
constexpr double kDueTolerance = 1e-4;
// An interval of more frames than this waits for ever: clamped, it stays
// within a long however far the frame count runs on.
constexpr float kMostFramesAhead = 1e18f;

// One registered flight loop. An interval < 0 counts frames, > 0 seconds,
// and 0 leaves the callback registered but idle. Loops registered the old
// way run after the flight model, where the host has always run them.
struct FlightLoop {
    XPLMFlightLoop_f callback;
    void* refcon;
    XPLMPluginID owner;
    bool beforeFlightModel = false;
    uintptr_t id = 0;  // made by XPLMCreateFlightLoop; 0: registered the old way
    long dueFrame = 0;
    double dueTime = 0.0;
    bool idle = true;
    bool byFrames = false;
    float interval = 0.0f;
    double lastCallTime = 0.0;
    long lastCallFrame = 0;
    bool removed = false;
};

struct Clock {
    long frame = 0;
    double now = 0.0;  // kept in double so that long runs do not drift
    float interval = 1.0f / 30.0f;
    float elapsed = 0.0f;  // this frame's step
    float pendingJump = 0.0f;
    bool paused = false;
    double wall = 0.0;  // counts on while paused, without jumps
};

Clock clock;
int drawInterval = 1;  // frames from one drawing to the next; 0 none
std::vector<FlightLoop> loops;
bool runningLoops = false;
uintptr_t lastLoopId = 0;  // IDs are never reused, so a stale one finds nothing

// Loops are only marked while they are being run, and dropped as soon as
// they are not, so that registering and unregistering without frames
// between never piles up.
void dropRemovedLoops() {
    if (runningLoops) return;
    loops.erase(std::remove_if(loops.begin(), loops.end(),
                               [](const FlightLoop& loop) { return loop.removed; }),
                loops.end());
}

// From now, or from the loop's last call (its registration before that).
void schedule(FlightLoop& loop, float interval, bool fromNow = true) {
    loop.interval = interval;
    loop.idle = interval == 0.0f || !std::isfinite(interval);
    loop.byFrames = interval < 0.0f;
    if (loop.idle) return;
    if (loop.byFrames) {
        loop.dueFrame = (fromNow ? clock.frame : loop.lastCallFrame) +
                        std::max(1L, std::lround(std::min(-interval, kMostFramesAhead)));
    } else {
        loop.dueTime = (fromNow ? clock.now : loop.lastCallTime) + interval;
    }
}

bool due(const FlightLoop& loop) {
    if (loop.removed || loop.idle || !pluginEnabled(loop.owner)) return false;
    return loop.byFrames ? loop.dueFrame <= clock.frame
                         : loop.dueTime <= clock.now + kDueTolerance;
}

// Returns whether the clock rolled over midnight. A time of day or a date
// that a plug-in wrote out of range is brought back into the day and year.
bool advanceTimeOfDay(const char* dataRef) {
    const float written = getFloat(dataRef);
    const float seconds =
        (std::isfinite(written) ? std::fmod(written, kSecondsPerDay) : 0.0f) + clock.elapsed;
    float wrapped = std::fmod(seconds, kSecondsPerDay);
    if (wrapped < 0.0f) wrapped += kSecondsPerDay;
    setFloat(dataRef, wrapped < kSecondsPerDay ? wrapped : 0.0f);  // a hair below 0 rounds up
    return seconds >= kSecondsPerDay;
}

int dayOfYear(int day) {
    const int inYear = day % kDaysPerYear;
    return inYear < 0 ? inYear + kDaysPerYear : inYear;
}

void advanceTime() {
    clock.elapsed = clock.paused ? 0.0f : clock.interval + clock.pendingJump;
    clock.pendingJump = 0.0f;
    clock.now += clock.elapsed;
    clock.wall += clock.interval;
    setFloat("sim/time/total_running_time_sec", static_cast<float>(clock.now));
    setFloat("sim/operation/misc/frame_rate_period", clock.elapsed);
    setFloat("sim/network/misc/network_time_sec", static_cast<float>(clock.wall));
    setInt("sim/time/paused", clock.paused ? 1 : 0);
    // The clocks of the day run with the simulator; local midnight turns the date.
    const int nextDay = advanceTimeOfDay("sim/time/local_time_sec") ? 1 : 0;
    setInt("sim/time/local_date_days",
           dayOfYear(dayOfYear(getInt("sim/time/local_date_days")) + nextDay));
    advanceTimeOfDay("sim/time/zulu_time_sec");
}

void runFlightLoops(bool beforeFlightModel) {
    // Loops registered by a loop run from the next frame on.
    runningLoops = true;
    const size_t count = loops.size();
    for (size_t i = 0; i < count; ++i) {
        if (loops[i].beforeFlightModel != beforeFlightModel || !due(loops[i])) continue;
        FlightLoop& loop = loops[i];
        const float sinceLastCall = static_cast<float>(clock.now - loop.lastCallTime);
        loop.lastCallTime = clock.now;
        loop.lastCallFrame = clock.frame;
        const XPLMFlightLoop_f callback = loop.callback;
        void* const refcon = loop.refcon;
        // A loop that threw is left idle.
        float next = 0.0f;
        {
            FloatingPointTrap trap(loop.owner, clock.frame, clock.now);
            callPlugin(loop.owner, "a flight loop", [&] {
                next = callback(sinceLastCall, clock.elapsed, static_cast<int>(clock.frame), refcon);
            });
        }
        if (!loops[i].removed) schedule(loops[i], next);
    }
    runningLoops = false;
    dropRemovedLoops();
}

void drawCockpit() {
    beginDrawFrame();
    for (XPLMDrawingPhase phase : {xplm_Phase_FirstCockpit, xplm_Phase_Panel, xplm_Phase_Gauges,
                                   xplm_Phase_Window, xplm_Phase_LastCockpit}) {
        beginDrawPhase();
        const bool simulatorDraws = runDrawCallbacks(phase, true);
        if (simulatorDraws && phase == xplm_Phase_Panel) drawSimulatorPanel();
        if (phase == xplm_Phase_Window) drawWindows();
        beginDrawPhase();
        runDrawCallbacks(phase, false);
    }
    endDrawFrame();
}

FlightLoop* findLoop(XPLMFlightLoop_f callback, void* refcon) {
    for (FlightLoop& loop : loops) {
        if (!loop.removed && loop.id == 0 && loop.callback == callback && loop.refcon == refcon)
            return &loop;
    }
    return nullptr;
}

FlightLoop* findLoop(XPLMFlightLoopID id) {
    const auto wanted = reinterpret_cast<uintptr_t>(id);
    for (FlightLoop& loop : loops) {
        if (!loop.removed && wanted != 0 && loop.id == wanted) return &loop;
    }
    return nullptr;
}

}  // namespace

long currentFrame() { return clock.frame; }

void resetFrames(float startTime, float frameInterval) {
    clock = Clock{};
    drawInterval = 1;
    clock.now = startTime;
    clock.wall = startTime;
    clock.interval = frameInterval;
    loops.clear();
    setFloat("sim/time/total_running_time_sec", startTime);
}

void forgetPluginFlightLoops(XPLMPluginID id) {
    for (FlightLoop& loop : loops) {
        if (loop.owner == id) loop.removed = true;
    }
    dropRemovedLoops();
}

}  // namespace standin::detail

using namespace standin::detail;

namespace standin {

void runFrame() {
    beginFrameCounts();
    ++clock.frame;
    logFrame(clock.frame);
    advanceTime();
    noteWatchedFrame(clock.frame, clock.now);
    runHeldCommands();
    runFlightLoops(true);
    stepFlight(clock.elapsed);
    stepRadios();
    runFlightLoops(false);
    if (hostConfig().graphics && drawInterval > 0 && clock.frame % drawInterval == 0) drawCockpit();
    endFrameCounts();
}

void setDrawInterval(int frames) { drawInterval = std::max(0, frames); }

void runFrames(int count) {
    for (int i = 0; i < count; ++i) runFrame();
}

void runSeconds(double seconds) {
    runFrames(static_cast<int>(std::lround(seconds / clock.interval)));
}

std::vector<FlightLoopInfo> flightLoops() {
    std::vector<FlightLoopInfo> infos;
    for (const FlightLoop& loop : loops) {
        if (!loop.removed) infos.push_back({loop.owner, loop.interval, loop.beforeFlightModel});
    }
    return infos;
}

long frameNumber() { return clock.frame; }
float simTime() { return static_cast<float>(clock.now); }
void setPaused(bool paused) { clock.paused = paused; }
bool paused() { return clock.paused; }

void setFrameInterval(float seconds) {
    if (seconds > 0.0f && std::isfinite(seconds)) clock.interval = seconds;
}

void jumpTime(float seconds) {
    if (std::isfinite(seconds)) clock.pendingJump += seconds;
}

}  // namespace standin

extern "C" {

void XPLMRegisterFlightLoopCallback(XPLMFlightLoop_f callback, float interval, void* refcon) {
    SdkCall call(SdkFunction::XPLMRegisterFlightLoopCallback, interval);
    if (callback == nullptr) return;
    FlightLoop* loop = findLoop(callback, refcon);
    if (loop == nullptr) {
        loops.push_back({callback, refcon, currentPlugin()});
        loop = &loops.back();
        loop->lastCallTime = clock.now;
        loop->lastCallFrame = clock.frame;
    }
    schedule(*loop, interval);
}

// Safe from inside the callback itself too: the loop is only marked, and
// dropped once the frame's loops have run.
void XPLMUnregisterFlightLoopCallback(XPLMFlightLoop_f callback, void* refcon) {
    SdkCall call(SdkFunction::XPLMUnregisterFlightLoopCallback);
    if (FlightLoop* loop = findLoop(callback, refcon)) loop->removed = true;
    dropRemovedLoops();
}

float XPLMGetElapsedTime() {
    SdkCall call(SdkFunction::XPLMGetElapsedTime);
    return call.returns(static_cast<float>(clock.wall));
}

XPLMFlightLoopID XPLMCreateFlightLoop(XPLMCreateFlightLoop_t* params) {
    SdkCall call(SdkFunction::XPLMCreateFlightLoop,
                 params != nullptr ? params->phase : xplm_FlightLoop_Phase_BeforeFlightModel);
    // An older, smaller structure would lack fields the host reads.
    if (params == nullptr || params->structSize < static_cast<int>(sizeof(XPLMCreateFlightLoop_t)) ||
        params->callbackFunc == nullptr ||
        (params->phase != xplm_FlightLoop_Phase_BeforeFlightModel &&
         params->phase != xplm_FlightLoop_Phase_AfterFlightModel))
        return nullptr;
    FlightLoop loop{params->callbackFunc, params->refcon, currentPlugin()};
    loop.beforeFlightModel = params->phase == xplm_FlightLoop_Phase_BeforeFlightModel;
    loop.id = ++lastLoopId;
    loop.lastCallTime = clock.now;
    loop.lastCallFrame = clock.frame;
    loops.push_back(loop);
    call.results(LoggedHandle{"loop", loop.id});
    return reinterpret_cast<XPLMFlightLoopID>(loop.id);
}

// Safe from inside the callback itself too, like unregistering.
void XPLMDestroyFlightLoop(XPLMFlightLoopID id) {
    SdkCall call(SdkFunction::XPLMDestroyFlightLoop, loggedHandle("loop", id));
    if (FlightLoop* loop = findLoop(id)) loop->removed = true;
    dropRemovedLoops();
}

void XPLMScheduleFlightLoop(XPLMFlightLoopID id, float interval, int relativeToNow) {
    SdkCall call(SdkFunction::XPLMScheduleFlightLoop, loggedHandle("loop", id), interval, relativeToNow);
    if (FlightLoop* loop = findLoop(id)) schedule(*loop, interval, relativeToNow != 0);
}

}  // extern "C"
