// The hostile plug-in: misbehaves in one way, chosen by the environment
// variable QUIL_HOSTILE when it starts, so that the stand-in host's tests can
// check that the host survives it, reports it and keeps its output.
//
//   throw-start, throw-enable, throw-message, throw-stop
//                   an entry point throws (XPluginStop throws an int, not a
//                   std::exception)
//   throw-loop, throw-command, throw-accessor, throw-draw
//                   a callback throws: its flight loop, the handler of its
//                   command hostile/fail, the reader of hostile/loop_calls,
//                   its draw callback
//   hang            its flight loop never returns
//   crash           its flight loop writes to an address no process maps
//   allocate        its flight loop keeps 64 MB more each call
//   overread        writes a float array with a count past its own buffer,
//                   which holds only the array's size (the SDK writes no more)
//   flood           publishes hostile/bytes, 64 KB, and writes it whole
//                   every frame
//   interval        its flight loop asks for -1e19 frames until its next call
//   menu            appends 200000 items to its menu when it starts
//
// It logs its case as it starts ("hostile: misbehaving as 'crash'") and
// publishes hostile/loop_calls: the calls of its flight loop.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "XPLMDefs.h"
#include "XPLMDisplay.h"
#include "XPLMMenus.h"
#include "XPLMPlugin.h"
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"

namespace {

constexpr size_t kMegabyte = 1 << 20;
constexpr size_t kAllocationPerCall = 64 * kMegabyte;
constexpr int kFloodBytes = 64 * 1024;
constexpr int kOverreadPast = 64;  // values the count claims beyond the buffer
constexpr int kMenuItems = 200000;
constexpr float kFarFutureFrames = -1e19f;

std::string hostileCase;
int loopCalls = 0;
XPLMCommandRef failCommand = nullptr;
XPLMDataRef loopCallsRef = nullptr;
std::vector<std::vector<char>> kept;

bool is(const char* name) { return hostileCase == name; }

void fail(const char* where) {
    throw std::runtime_error(std::string("hostile plug-in fails in ") + where);
}

void writePastOwnBuffer() {
    XPLMDataRef throttles = XPLMFindDataRef("sim/flightmodel/engine/ENGN_thro");
    const int size = XPLMGetDatavf(throttles, nullptr, 0, 0);
    std::vector<float> values(static_cast<size_t>(size), 0.5f);
    XPLMSetDatavf(throttles, values.data(), 0, size + kOverreadPast);
}

std::vector<char> bytes(kFloodBytes, 'x');

int readBytes(void*, void* out, int offset, int max) {
    if (out == nullptr) return kFloodBytes;
    if (offset < 0 || offset >= kFloodBytes || max <= 0) return 0;
    const int count = std::min(max, kFloodBytes - offset);
    std::memcpy(out, bytes.data() + offset, static_cast<size_t>(count));
    return count;
}

void writeBytes(void*, void* values, int offset, int count) {
    if (offset < 0 || offset >= kFloodBytes || count <= 0) return;
    const size_t taken = static_cast<size_t>(std::min(count, kFloodBytes - offset));
    std::memcpy(bytes.data() + offset, values, taken);
}

XPLMDataRef bytesRef = nullptr;

void flood() { XPLMSetDatab(bytesRef, bytes.data(), 0, kFloodBytes); }

float loop(float, float, int, void*) {
    ++loopCalls;
    if (is("throw-loop")) fail("its flight loop");
    if (is("hang")) {
        for (volatile bool forever = true; forever;) {
        }
    }
    if (is("crash")) {
        // Not null, which the undefined-behaviour sanitizer would catch
        // first: an address no process maps.
        volatile std::uintptr_t unmapped = 64;
        *reinterpret_cast<volatile int*>(unmapped) = 1;
    }
    if (is("allocate")) {
        kept.emplace_back(kAllocationPerCall, 'x');
    }
    if (is("overread")) writePastOwnBuffer();
    if (is("flood")) flood();
    return is("interval") ? kFarFutureFrames : -1.0f;
}

int handleFail(XPLMCommandRef, XPLMCommandPhase, void*) {
    fail("its command handler");
    return 1;
}

int readLoopCalls(void*) {
    if (is("throw-accessor")) fail("its dataref reader");
    return loopCalls;
}

int draw(XPLMDrawingPhase, int, void*) {
    fail("its draw callback");
    return 1;
}

void chooseNothing(void*, void*) {}

void appendMenuItems() {
    XPLMMenuID menu = XPLMCreateMenu("Hostile", nullptr, 0, chooseNothing, nullptr);
    for (int i = 0; i < kMenuItems; ++i) XPLMAppendMenuItem(menu, "item", nullptr, 0);
}

}  // namespace

PLUGIN_API int XPluginStart(char* name, char* signature, char* description) {
    std::strcpy(name, "hostile");
    std::strcpy(signature, "rv.quil.hostile");
    std::strcpy(description, "Misbehaves as QUIL_HOSTILE says, for the host's tests");
    const char* chosen = std::getenv("QUIL_HOSTILE");
    hostileCase = chosen != nullptr ? chosen : "";
    XPLMDebugString(("hostile: misbehaving as '" + hostileCase + "'\n").c_str());
    if (is("throw-start")) fail("XPluginStart");
    XPLMRegisterFlightLoopCallback(loop, -1.0f, nullptr);
    loopCallsRef = XPLMRegisterDataAccessor("hostile/loop_calls", xplmType_Int, 0, readLoopCalls,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr);
    failCommand = XPLMCreateCommand("hostile/fail", "Throws from its handler");
    XPLMRegisterCommandHandler(failCommand, handleFail, 1, nullptr);
    if (is("throw-draw")) XPLMRegisterDrawCallback(draw, xplm_Phase_Window, 0, nullptr);
    if (is("menu")) appendMenuItems();
    if (is("flood"))
        bytesRef = XPLMRegisterDataAccessor("hostile/bytes", xplmType_Data, 1, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, readBytes, writeBytes, nullptr,
                                            nullptr);
    return 1;
}

PLUGIN_API int XPluginEnable() {
    if (is("throw-enable")) fail("XPluginEnable");
    return 1;
}

PLUGIN_API void XPluginDisable() {}

PLUGIN_API void XPluginStop() {
    if (is("throw-stop")) throw 42;
    XPLMUnregisterFlightLoopCallback(loop, nullptr);
    XPLMUnregisterDataAccessor(loopCallsRef);
    XPLMUnregisterDataAccessor(bytesRef);
    XPLMUnregisterCommandHandler(failCommand, handleFail, 1, nullptr);
    kept.clear();
}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID, int, void*) {
    if (is("throw-message")) fail("XPluginReceiveMessage");
}
