// What the stand-in host's modules share among themselves. Not for plug-ins
// or tests: they use standin.h and the SDK.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "XPLMDefs.h"
#include "XPLMDisplay.h"

namespace standin {
struct FmsEntry;
}

namespace standin::detail {

// ---- SDK functions and call accounting (calls.cpp) -------------------------

#define STANDIN_SDK_FUNCTIONS(X)                                                   \
    X(XPLMFindDataRef) X(XPLMGetDatai) X(XPLMSetDatai) X(XPLMGetDataf) X(XPLMSetDataf)  \
    X(XPLMGetDatad) X(XPLMGetDatavi) X(XPLMSetDatavi) X(XPLMGetDatavf) X(XPLMSetDatavf) \
    X(XPLMGetDatab) X(XPLMSetDatab) X(XPLMRegisterDataAccessor)                       \
    X(XPLMUnregisterDataAccessor) X(XPLMRegisterDrawCallback)                          \
    X(XPLMUnregisterDrawCallback) X(XPLMRegisterFlightLoopCallback)                    \
    X(XPLMUnregisterFlightLoopCallback) X(XPLMCreateWindow) X(XPLMDestroyWindow)       \
    X(XPLMGetWindowIsVisible) X(XPLMSetWindowIsVisible) X(XPLMGetWindowGeometry)       \
    X(XPLMSetWindowGeometry) X(XPLMBringWindowToFront) X(XPLMGetMouseLocation)         \
    X(XPLMSetGraphicsState) X(XPLMGenerateTextureNumbers) X(XPLMBindTexture2d)         \
    X(XPLMGetTexture) X(XPLMDrawString) X(XPLMGetFMSEntryInfo)                         \
    X(XPLMGetDestinationFMSEntry) X(XPLMSetDestinationFMSEntry)                        \
    X(XPLMSendMessageToPlugin) X(XPLMGetMyID) X(XPLMGetPluginInfo)                     \
    X(XPLMGetNthAircraftModel) X(XPLMGetDirectorySeparator) X(XPLMGetVersions)         \
    X(XPLMCommandButtonPress) X(XPLMCommandButtonRelease) X(XPCreateWidget)            \
    X(XPCreateCustomWidget) X(XPSetWidgetProperty) X(XPAddWidgetCallback)              \
    X(XPShowWidget) X(XPHideWidget) X(XPDestroyWidget) X(XPSetWidgetDescriptor)        \
    X(XPGetWidgetDescriptor) X(XPGetWidgetGeometry)                                  \
    X(XPLMSetDatad) X(XPLMIsDataRefGood) X(XPLMGetDataRefTypes) X(XPLMFindCommand)     \
    X(XPLMCreateCommand) X(XPLMCommandBegin) X(XPLMCommandEnd) X(XPLMCommandOnce)      \
    X(XPLMRegisterCommandHandler) X(XPLMUnregisterCommandHandler)                      \
    X(XPLMFindPluginsMenu) X(XPLMCreateMenu) X(XPLMDestroyMenu) X(XPLMAppendMenuItem)  \
    X(XPLMGetElapsedTime) X(XPLMCreateFlightLoop) X(XPLMDestroyFlightLoop)             \
    X(XPLMScheduleFlightLoop) X(XPLMDebugString) X(XPLMGetDirectoryContents)           \
    X(XPLMFindPluginBySignature) X(XPLMIsPluginEnabled) X(XPLMHasFeature)              \
    X(XPLMIsFeatureEnabled) X(XPLMEnableFeature)

enum class SdkFunction {
#define STANDIN_ENUM_ENTRY(name) name,
    STANDIN_SDK_FUNCTIONS(STANDIN_ENUM_ENTRY)
#undef STANDIN_ENUM_ENTRY
    Count
};
const char* sdkFunctionName(SdkFunction function);
bool allocationCountingOn();  // alloc_count.cpp

// What the call log writes for an argument or a result (call_log.cpp):
// numbers, texts, and handles named by what they refer to, never by address.
struct LoggedHandle {
    const char* kind;  // "window", "widget", "menu", "loop"
    uintptr_t serial;  // the host's own number for it
};
inline LoggedHandle loggedHandle(const char* kind, const void* handle) {
    return {kind, reinterpret_cast<uintptr_t>(handle)};
}
struct LoggedInts {
    const int* values;
    int count;
};
struct LoggedFloats {
    const float* values;
    int count;
};
struct LoggedBytes {
    const void* bytes;
    int count;
};
bool callLogOpen();
void beginLoggedCall(SdkFunction function);
void endLoggedCall();
void beginLoggedResults();
void logItem(int value);
void logItem(long value);
void logItem(float value);
void logItem(double value);
void logItem(const char* text);  // null as "null"
void logItem(const std::string& text);
void logItem(LoggedHandle handle);
void logItem(LoggedInts values);
void logItem(LoggedFloats values);
void logItem(LoggedBytes bytes);
// A frame's first line in the call log.
void logFrame(long frame);

// Opens every SDK function: counts the call, keeps what the host allocates
// on the plug-in's behalf out of the plug-in's allocation count, and, while
// the call log is open, writes the call with its arguments and results.
class SdkCall {
public:
    template <typename... Arguments>
    explicit SdkCall(SdkFunction function, const Arguments&... arguments)
        : savedCounting_(allocationCountingOn()) {
        count(function);
        logging_ = callLogOpen();
        if (!logging_) return;
        beginLoggedCall(function);
        (logItem(arguments), ...);
    }
    ~SdkCall();
    SdkCall(const SdkCall&) = delete;
    SdkCall& operator=(const SdkCall&) = delete;

    // What the call gives back, through its value or its out parameters.
    template <typename... Results>
    void results(const Results&... values) {
        if (!logging_) return;
        beginLoggedResults();
        (logItem(values), ...);
    }
    template <typename T>
    T returns(T value) {
        results(value);
        return value;
    }

private:
    void count(SdkFunction function);
    bool savedCounting_;
    bool logging_ = false;
};

// Wraps every call from the host into a plug-in: makes it the calling
// plug-in (XPLMGetMyID, message senders), counts its allocations and tells
// the call watch what runs. `callback` names the call in reports
// ("XPluginStart", "a flight loop") and must outlive the process.
class PluginCall {
public:
    PluginCall(XPLMPluginID plugin, const char* callback);
    ~PluginCall();
    PluginCall(const PluginCall&) = delete;
    PluginCall& operator=(const PluginCall&) = delete;

private:
    XPLMPluginID savedPlugin_;
    bool savedCounting_;
};

XPLMPluginID currentPlugin();  // XPLM_PLUGIN_XPLANE outside plug-in code

// Keeps the first exception a plug-in let out of a call as the host's
// plug-in fault (plugins.cpp); `what` is null for one that is not a
// std::exception.
void notePluginException(XPLMPluginID plugin, const char* callback, const char* what);
void resetPluginFault();

// Every call into a plug-in goes through here: an exception stops at the
// boundary, as the simulator's own would stop the plug-in, and becomes the
// plug-in fault. True when the call returned.
template <typename Call>
bool callPlugin(XPLMPluginID plugin, const char* callback, Call&& call) {
    PluginCall guard(plugin, callback);
    try {
        call();
        return true;
    } catch (const std::exception& error) {
        notePluginException(plugin, callback, error.what());
    } catch (...) {
        notePluginException(plugin, callback, nullptr);
    }
    return false;
}

// ---- The call watch (call_watch.cpp) ------------------------------------------

// The plug-in calls running, entered and left by PluginCall.
void enterWatchedCall(XPLMPluginID plugin, const char* callback);
void leaveWatchedCall();
// The name a plug-in goes by in a fatal report: its file while it starts.
void notePluginName(XPLMPluginID plugin, const std::string& name);
void noteWatchedFrame(long frame, double time);
// Writes the report of a run ended by `event` to the watch's report path,
// with what the watch knows; safe in a signal handler.
void writeFatalReport(const char* event);

// Copies a text into a plug-in's fixed-size buffer, always terminated; a
// null buffer is left alone (text_out.cpp).
void copyText(char* out, const std::string& text, size_t capacity);
void beginFrameCounts();
void endFrameCounts();
void resetCounts();

// alloc_count.cpp: heap allocations on this thread while counting is on.
void setAllocationCounting(bool on);
long allocationsCounted();
void forgetLargestAllocation();
// Counts from now on the allocations asked for by the code of these loaded
// plug-ins (and by the PNG and zlib libraries).
void countAllocationsOf(const std::vector<void*>& pluginLibraries);

// ---- Plug-ins (plugins.cpp) ------------------------------------------------

bool pluginEnabled(XPLMPluginID id);  // callbacks and messages reach it
void unloadAllPlugins();               // latest first

// ---- Commands (commands.cpp), menus (menus.cpp) ------------------------------

// The continue phase of every command held down, once a frame.
void runHeldCommands();
void resetCommands();
void forgetPluginCommands(XPLMPluginID id);
void resetMenus();
void forgetPluginMenus(XPLMPluginID id);

// ---- The log and the joystick buttons (utilities.cpp) -----------------------

// A line of the host's own into the simulator's log.
void logLine(const std::string& line);
void setButtonHeld(int button, bool pressed);

// ---- Frames (frames.cpp) ---------------------------------------------------

long currentFrame();

// ---- Host-side dataref access by handle (datarefs.cpp) ----------------------

// The handle of a simulator dataref, looked up once, for the host's own
// models that read and write it every frame; null for an unknown name.
// Reads and writes work like getDouble/setDouble (any type, array
// elements by index) and never reach the write log.
XPLMDataRef hostHandle(const std::string& name);
double hostRead(XPLMDataRef handle, int index = 0);
void hostWrite(XPLMDataRef handle, double value, int index = 0);

// ---- Flight plan (fms.cpp) and flight model (flight/flight_model.cpp) --------

// The flight plan as held, for the host's own per-frame use (no copy).
const std::vector<FmsEntry>& flightPlanEntries();
// One step of the flight model, before the frame's flight loops; nothing
// without a flight.
void stepFlight(double dt);
void resetFlight();

// ---- Per-module state, cleared by startHost and on plug-in unload ----------

void resetDataRefs();
void forgetPluginDataRefs(XPLMPluginID id);
void forgetPluginFlightLoops(XPLMPluginID id);
void resetDisplay();  // draw callbacks, windows, mouse
void forgetPluginDrawCallbacks(XPLMPluginID id);
void forgetPluginWindows(XPLMPluginID id);
void resetWidgets();
void forgetPluginWidgets(XPLMPluginID id);
void resetFms();
void resetUtilities();
void resetMessages();
void resetAircraft();
void resetFrames(float startTime, float frameInterval);

// ---- Drawing (display.cpp, widgets.cpp, graphics.cpp) ----------------------

// Calls the draw callbacks of one phase, before or after; returns whether
// the simulator may draw the phase itself (no before-callback returned 0).
bool runDrawCallbacks(XPLMDrawingPhase phase, bool before);
// Draws the windows from the back to the front.
void drawWindows();

// Window and widget corners are kept within this distance of the origin, so
// that the sum or difference of any two stays an int whatever a plug-in asks.
constexpr int kCoordinateLimitPx = 1 << 24;
int saneCoordinate(int value);

// A window owned by the host (the widget library's windows), in the same
// stack as the plug-ins' windows.
XPLMWindowID createWindow(XPLMPluginID owner, int left, int top, int right, int bottom,
                          bool visible, XPLMDrawWindow_f draw,
                          XPLMHandleMouseClick_f mouse, void* refcon);
void destroyWindow(XPLMWindowID window);
void setWindowGeometry(XPLMWindowID window, int left, int top, int right, int bottom);
void setWindowVisible(XPLMWindowID window, bool visible);
void bringWindowToFront(XPLMWindowID window);

// Graphics context (graphics.cpp). All of these do nothing without one.
bool openGraphics(int width, int height);  // makes or resizes the context
void closeGraphics();
// Drops the texture cache and the aircraft's textures, and leaves the host
// without graphics until openGraphics.
void resetGraphicsState();
void beginDrawFrame();   // clears, sets the window projection
void beginDrawPhase();   // projection and state the simulator leaves in a phase
void endDrawFrame();     // keeps the frame for readPixel and screenshots
// After a plug-in's draw callback or window draw, and before the host draws
// for a plug-in (text): a client array it left enabled is counted and
// disabled, as the simulator draws with them off.
void checkClientArrays();
void drawSimulatorPanel();  // the simulator's own panel background (phase 40)
void loadAircraftTextures(const std::string& acfPath);
// A filled rectangle and a text in window pixels, for the host's own
// drawing (widgets).
void drawFilledRect(int left, int top, int right, int bottom, const float rgba[4]);
void drawFrameRect(int left, int top, int right, int bottom, const float rgba[4]);
void drawText(int x, int y, const char* text, const float rgb[3]);
int textWidth(const char* text);

// ---- Radios (radio_aids.cpp) ---------------------------------------------

// The flight plan as held, for the host's own per-frame use (no copy).
const std::vector<FmsEntry>& flightPlanEntries();
void resetRadios();
// The radios' frame: receivers, markers and GPS from the aircraft's
// position; before the frame's flight loops.
void stepRadios();

}  // namespace standin::detail
