// The stand-in host: our own implementation of the simulator's plug-in SDK,
// for running and testing plug-ins without the simulator.
//
// The SDK functions themselves are exported with C linkage from this library;
// a plug-in loaded with loadPlugin() resolves them here. This header is the
// control side that tests and tools use to drive the host: load plug-ins,
// run frames, set and inspect datarefs, click, press widget buttons and read
// back pixels. Everything runs on the calling thread, like the simulator's
// main thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "XPLMDefs.h"
#include "XPLMDisplay.h"
#include "XPLMMenus.h"
#include "XPWidgetDefs.h"

namespace standin {

// ---- Host lifetime ---------------------------------------------------------

struct HostConfig {
    int windowWidth = 1024;   // pixels; also the window-size datarefs
    int windowHeight = 1024;
    float frameInterval = 1.0f / 30.0f;  // simulator seconds per frame
    float startTime = 2.0f;   // total running time before the first frame
    bool graphics = true;     // offscreen OpenGL context, drawing every frame
                              // (off when no context can be made)
    // When set, every line of the log is also written to this file as it is
    // kept, so that it survives the process; the file stops growing at
    // kLogFileLimitBytes.
    std::string logPath;
};
constexpr size_t kLogFileLimitBytes = size_t{64} << 20;

// Starts a fresh host: every simulator dataref at its parked-aircraft
// default, no plug-ins, windows, widgets or callbacks. Any host already
// running is stopped first.
void startHost(const HostConfig& config = HostConfig());
// Unloads every plug-in (disable, stop, unload) and clears all state.
void stopHost();
const HostConfig& hostConfig();

// ---- Plug-ins --------------------------------------------------------------

struct PluginInfo {
    XPLMPluginID id = XPLM_NO_PLUGIN_ID;
    std::string path, name, signature, description;
    bool enabled = false;
};

// Opens a plug-in binary, calls XPluginStart then XPluginEnable. Returns its
// id, or XPLM_NO_PLUGIN_ID with the reason in *error (missing file, missing
// SDK symbol, missing entry point, start returned 0).
XPLMPluginID loadPlugin(const std::string& path, std::string* error = nullptr);
// XPluginDisable (when enabled), XPluginStop, then unloads the binary. Every
// callback, window, widget and dataref accessor it left behind is dropped.
void unloadPlugin(XPLMPluginID id);
bool enablePlugin(XPLMPluginID id);
void disablePlugin(XPLMPluginID id);
std::vector<PluginInfo> plugins();
PluginInfo pluginInfo(XPLMPluginID id);

// A message from the simulator (sender 0) to every enabled plug-in, or to
// the one given.
void sendSimMessage(int message, intptr_t param = 0, XPLMPluginID to = XPLM_NO_PLUGIN_ID);

// Every message sent, by the simulator or a plug-in, in order; whether or
// not any enabled plug-in received it.
struct MessageRecord {
    long frame;
    XPLMPluginID from;
    XPLMPluginID to;  // XPLM_NO_PLUGIN_ID: to every plug-in
    int message;
    intptr_t param;
};
const std::vector<MessageRecord>& messageLog();
void clearMessageLog();

// The first exception a plug-in let out of a call from the host. It stops
// at the call, which returns as if the plug-in had done nothing (a flight
// loop goes idle, XPluginStart counts as 0); the host runs on, and a runner
// ends the run. Kept until the host starts afresh.
struct PluginFault {
    XPLMPluginID plugin = XPLM_NO_PLUGIN_ID;
    std::string pluginName;  // its name, or its file before XPluginStart returned
    std::string callback;    // "XPluginStart", "a flight loop", "a dataref reader", ...
    std::string what;        // the exception's text
    long frame = 0;
    float time = 0.0f;  // total running time
};
const std::optional<PluginFault>& pluginFault();

// ---- Watching the plug-ins' calls (call_watch.cpp) ---------------------------

// What ends the process from outside the plug-ins' calls: a fatal signal
// (invalid memory access, abort, ...), a call into a plug-in that runs past
// its limit, or the heap growing past its limit. Each ends it at once with
// its exit status (exit_status.h) and a short report on stderr and in
// reportPath: what happened, the plug-in calls that were running (plug-in
// and callback, innermost first), the frame and the time.
struct CallWatch {
    std::string reportPath;            // empty: stderr only
    double callbackLimitSeconds = 0;   // 0: no limit
    size_t memoryLimitBytes = 0;       // 0: no limit
};
// From the calling thread, which runs the plug-ins, until stopWatchingCalls.
void watchCalls(const CallWatch& watch);
void stopWatchingCalls();

// ---- Aircraft --------------------------------------------------------------

// Makes the aircraft file the user's aircraft (index 0). Its author,
// description, tail number, Vno and Mmo are read from the file's
// "P acf/_author ..." style lines when present and written to the aircraft
// datarefs; the light map "<file without .acf>_paint_lit.png" becomes
// texture 2 when it exists. Returns false when the file cannot be read (the
// path is still taken, as the simulator would with a broken file).
bool setAircraft(const std::string& acfPath);
// setAircraft followed by the aircraft-loaded message (102, index 0).
bool loadAircraft(const std::string& acfPath);
std::string aircraftPath();

// ---- Frames and time -------------------------------------------------------

// One simulator frame: time advances (unless paused), flight loops run by
// their interval rules, then, with graphics, the draw phases and windows.
void runFrame();
void runFrames(int count);
void runSeconds(double seconds);
long frameNumber();           // frames run since startHost
float simTime();              // sim/time/total_running_time_sec
void setPaused(bool paused);  // paused frames keep the running time
bool paused();
void setFrameInterval(float seconds);
// With graphics, the cockpit is drawn every `frames`-th frame (1, the
// default, every frame; 0 never): a long run draws where it needs the
// panel, whose click spots are placed as it is drawn.
void setDrawInterval(int frames);
// Moves the running time by a jump, as the simulator does after a hitch or
// a replay; the next frame sees the jump.
void jumpTime(float seconds);

// What plug-ins have registered, in registration order.
struct DrawCallbackInfo {
    XPLMPluginID owner;
    XPLMDrawingPhase phase;
    bool before;
};
std::vector<DrawCallbackInfo> drawCallbacks();
// A frame runs the held commands, the flight loops that come before the
// flight model, the flight model, then the others (and those registered
// with XPLMRegisterFlightLoopCallback). XPLMGetElapsedTime counts every
// frame's interval, paused or not.
struct FlightLoopInfo {
    XPLMPluginID owner;
    float interval;  // as last registered or returned: < 0 frames, > 0 seconds, 0 idle
    bool beforeFlightModel;
};
std::vector<FlightLoopInfo> flightLoops();

// ---- Datarefs --------------------------------------------------------------

bool hasDataRef(const std::string& name);  // findable by XPLMFindDataRef
std::vector<std::string> dataRefNames();    // every findable one, simulator's and published
XPLMDataTypeID dataRefTypes(const std::string& name);
// The elements of an array dataref, as XPLMGetDatavf/vi with no buffer
// gives them; 1 for one that is not an array, 0 for one not findable.
int dataRefSize(const std::string& name);
// From now on XPLMFindDataRef does not find the name (a host that lacks it).
void markDataRefAbsent(const std::string& name);
// A read-only double for plug-ins, which the host itself writes: what a
// run checks. Added once; an existing name is kept as it is.
void addCheckDataRef(const std::string& name);

// Host-side access, as the simulator itself changes its variables: writes
// ignore writability, values convert to the dataref's own type, arrays are
// addressed by element `index`, and plug-in accessors are reached like by
// any other caller. Setters return false for an unknown name or an element
// outside the array; getters then return 0.
bool setInt(const std::string& name, int value, int index = 0);
bool setFloat(const std::string& name, float value, int index = 0);
bool setDouble(const std::string& name, double value, int index = 0);
bool setBytes(const std::string& name, const std::string& value);  // with its zero byte
int getInt(const std::string& name, int index = 0);
float getFloat(const std::string& name, int index = 0);
double getDouble(const std::string& name, int index = 0);
std::string getBytes(const std::string& name);  // up to the first zero byte

// Every write a plug-in made through XPLMSetData*, in order. Writes to
// read-only simulator datarefs are logged with applied = false.
struct DataRefWrite {
    long frame;
    XPLMPluginID writer;
    std::string name;
    XPLMDataTypeID type;  // the call's type
    int offset;           // array/byte writes
    std::vector<double> values;  // bytes are logged one value per byte
    bool applied;
};
// The log keeps the latest writes within this many bytes of logged values
// (and their records).
constexpr size_t kWriteLogLimitBytes = size_t{64} << 20;
const std::vector<DataRefWrite>& writeLog();
void clearWriteLog();

// ---- Commands ----------------------------------------------------------------

// Every command made so far: by plug-ins, and the simulator's ("sim/...")
// as they were first asked for. The host carries out the simulator
// commands it knows (starters, anti-ice, lights, pause) on its datarefs;
// the others are counted and noted once in the log.
struct CommandInfo {
    std::string name, description;
    bool simulator = false;
    bool hostAction = false;  // a simulator command the host carries out
    long begins = 0;          // times it was started, once or held
    int held = 0;             // begun and not yet ended
};
std::vector<CommandInfo> commands();
// As a plug-in's XPLMCommandOnce/Begin/End. False for a name that is no
// command (and, for an end, when the command is not held).
bool commandOnce(const std::string& name);
bool commandBegin(const std::string& name);
bool commandEnd(const std::string& name);

// ---- Menus -------------------------------------------------------------------

struct MenuInfo {
    XPLMMenuID id;
    XPLMPluginID owner;  // XPLM_PLUGIN_XPLANE: the plug-ins menu
    std::string name;
    XPLMMenuID parent;   // null: in the menu bar
    std::vector<std::string> items;
};
std::vector<MenuInfo> menus();  // the plug-ins menu first
// Calls the menu's handler with the item's reference, as choosing it does;
// false when there is no such item or handler.
bool chooseMenuItem(XPLMMenuID menu, int item);

// ---- The log -----------------------------------------------------------------

// What plug-ins wrote with XPLMDebugString, and the host's own notes, line
// by line (the latest 100000, each cut at 4096 bytes).
std::vector<std::string> debugLog();

// ---- The call log ------------------------------------------------------------

// From now on every SDK call a plug-in makes is written to the file, one
// line each in the order made: the calling plug-in's id, the function, its
// arguments and, after "=", its results (the value returned, then what it
// wrote into the plug-in's buffers); a line "frame N" opens each frame.
// Datarefs and commands are named, windows, widgets, menus and flight
// loops numbered as the host numbers them, and callbacks and references
// left out, so the same plug-ins and scenario give the same file byte for
// byte. False when the file cannot be made.
bool openCallLog(const std::string& path);
// False when the file could not be written in full.
bool closeCallLog();

// ---- Counting --------------------------------------------------------------

// SDK calls and heap allocations made by plug-in code. A frame's counts cover
// everything plug-ins did inside runFrame(); allocations made by the host on
// a plug-in's behalf (inside an SDK call) are not counted.
struct FrameCounts {
    long sdkCalls = 0;
    long allocations = 0;
};
FrameCounts lastFrameCounts();
FrameCounts totalCounts();  // since startHost, frames and the rest
// Bytes of the largest single heap request plug-in code made since startHost.
size_t largestAllocation();
// Bytes of the heap blocks the process holds now, plug-ins and host alike;
// freed blocks the allocator keeps for reuse are not among them.
size_t heapBytesInUse();
// Calls of one SDK function (by its name) in the last frame.
long lastFrameCalls(const std::string& function);
// Every SDK function called in the last frame with its count.
std::vector<std::pair<std::string, long>> lastFrameCallsByFunction();

// ---- Windows and mouse -----------------------------------------------------

struct WindowInfo {
    XPLMWindowID id;
    XPLMPluginID owner;
    int left, top, right, bottom;
    bool visible;
};
std::vector<WindowInfo> windows();  // front-most first

// Mouse input in window pixels (origin bottom-left). A press goes to the
// front-most visible window containing it that takes it; drags and the
// release go to the window that took the press. Returns whether a plug-in
// window took the press (false: it reached the simulator).
bool mouseDown(int x, int y);
void mouseDrag(int x, int y);
void mouseUp(int x, int y);
bool click(int x, int y);  // down and up at one point, no frame between
void setMouseLocation(int x, int y);

// ---- Widgets ---------------------------------------------------------------

struct WidgetInfo {
    XPWidgetID id;
    XPWidgetClass widgetClass;  // -1 for a custom widget
    int left, top, right, bottom;
    std::string descriptor;
    bool visible;   // its own flag
    bool root;
    XPWidgetID parent;
    std::vector<XPWidgetID> children;
};
std::vector<WidgetInfo> widgets();  // in creation order
WidgetInfo widgetInfo(XPWidgetID id);
bool widgetExists(XPWidgetID id);
// Visible on screen: its own flag, its parents' flags, and rooted.
bool widgetShown(XPWidgetID id);
// The first widget whose descriptor contains the text, or 0.
XPWidgetID findWidget(const std::string& descriptorPart);
intptr_t widgetProperty(XPWidgetID id, XPWidgetPropertyID property);
// A click-and-release on a push button: the pressed message goes to the
// button, then up its parents. False when the widget is not a shown button.
bool pressButton(XPWidgetID button);
// The close box of a main window: the close message goes to the window,
// then up its parents. False when it is not a shown main window with close
// boxes.
bool pushCloseBox(XPWidgetID window);
// Typing into the text field under window point (x, y) of the newest shown
// dialog there: its whole text is replaced, as when the user selects it and
// types, cut to the field's limit in UTF-8 characters; the field hears that its
// descriptor and its text changed. False when no shown text field is there.
bool typeText(int x, int y, const std::string& text);
// Sends a message to a widget with the given dispatch mode, as a plug-in
// would; returns whether a callback handled it.
int sendWidgetMessage(XPWidgetID id, XPWidgetMessage message, XPDispatchMode mode,
                      intptr_t param1, intptr_t param2);

// ---- Flight plan -----------------------------------------------------------

struct FmsEntry {
    int type = 0;  // XPLMNavType
    std::string id;
    int ref = -1;
    int altitude = 0;
    float lat = 0, lon = 0;
};
void setFlightPlan(const std::vector<FmsEntry>& entries);  // at most 100 kept
std::vector<FmsEntry> flightPlan();
void setDestinationEntry(int index);
int destinationEntry();

// ---- Flight model ----------------------------------------------------------

// A flight for the host's own flight model: from startFlight on, every
// frame first moves the aircraft by what the cockpit commands (the trims
// the plug-in's autopilot writes, the pilot's inputs, throttles, start
// levers, starter buttons, flap lever, brakes) and writes the resulting
// flight state to the simulator's datarefs, then runs the flight loops.
// Without a flight the host leaves the flight datarefs alone.
struct FlightStart {
    double latitude = 55.6280, longitude = 12.6630;  // degrees
    // Above sea level; on the ground the aircraft stands at the field
    // elevation and this is ignored.
    double altitudeFt = 5000.0;
    double fieldElevationFt = 17.0;
    double airspeedKt = 250.0;  // indicated; 0 on the ground
    double headingDeg = 217.0;  // magnetic
    double flaps = 0.0;         // flap ratio
    bool gearDown = false;
    bool enginesRunning = true;
    bool onGround = false;
    double massKg = 65000.0;    // total; the fuel in the tanks is part of it
};
// Values beyond what the aircraft flies (NaN, a mass over the maximum, an
// airspeed below 100 or over 400 kt airborne, ...) are taken at the nearest
// it does. The wind is at most 150 kt.
void startFlight(const FlightStart& start);
bool flightStarted();
void setWind(double fromDegreesTrue, double knots);

// The pilot's hands and feet. Yoke and pedals add to the trims (−1 … 1:
// nose up, right wing down, nose right positive).
struct PilotInputs {
    double yokePitch = 0.0, yokeRoll = 0.0, rudder = 0.0;
    bool gearDown = false;
};
void setPilotInputs(const PilotInputs& inputs);
PilotInputs pilotInputs();

// ---- Radio aids -------------------------------------------------------------

// Ground stations the simulator's NAV radios receive. A localizer and a
// glide slope on one frequency make an ILS; markers need no tuning.
enum class StationKind { Vor, Localizer, GlideSlope, OuterMarker, MiddleMarker, InnerMarker };

struct RadioStation {
    StationKind kind = StationKind::Vor;
    std::string id;
    double lat = 0.0, lon = 0.0;  // degrees, of the antenna
    float elevationFt = 0.0f;     // of the antenna, above sea level
    int frequency = 0;            // as nav1_freq_hz holds it: 11030 for 110.30 MHz
    float courseMag = 0.0f;       // localizer and glide slope: the front course
    float slopeDeg = 0.0f;        // glide slope: the glide path angle
};

// Places a station; false (nothing placed) for a value out of its range or
// a full list (the simulator's radios find at most 256 here).
bool addRadioStation(const RadioStation& station);
std::vector<RadioStation> radioStations();
// While on, every frame, before the flight loops, the host computes the
// NAV1 and NAV2 receivers (by their frequency datarefs), the marker lights
// and the GPS (from the flight plan's active leg) from the aircraft's
// position datarefs, as the simulator does. Off (after startHost), those
// datarefs keep whatever was written to them.
void simulateRadios(bool on);
bool radiosSimulated();
// The GPS's distance from the active leg in nautical miles, positive right
// of it; 0 without a leg or while the radios are not simulated.
double gpsCrossTrackNm();

// ---- Simulator identity and buttons ---------------------------------------

void setVersions(int xplaneVersion, int xplmVersion, int hostId);

struct ButtonEvent {
    long frame;
    int button;
    bool pressed;  // false: released
};
const std::vector<ButtonEvent>& buttonLog();
bool buttonHeld(int button);

// ---- Graphics --------------------------------------------------------------

bool graphicsAvailable();       // an offscreen context could be made
std::string graphicsRenderer(); // GL_RENDERER of that context, or why none
struct Rgba {
    uint8_t r, g, b, a;
};
// Pixels of the last drawn frame, origin bottom-left.
Rgba readPixel(int x, int y);
// Writes the last drawn frame as an RGBA PNG, top row first. False when
// there is no graphics or the file cannot be written.
bool saveScreenshot(const std::string& path, std::string* error = nullptr);
// The GL name behind XPLMGetTexture(which), or 0.
int simulatorTexture(int which);
// Plug-in draw callbacks and window draws that returned, and host text
// drawn for a plug-in that was asked, with a client array (vertices,
// texture coordinates, colours, normals) left enabled, since the graphics
// were opened.
long drawsLeavingClientArrays();
// Textures still alive under the names the host handed out, to plug-ins
// and to the simulator's own artwork; 0 without graphics.
int texturesHeld();

}  // namespace standin
