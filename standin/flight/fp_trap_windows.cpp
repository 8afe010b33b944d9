// Windows: the exceptions are unmasked in the control word and reported by
// a vectored exception handler, which sees them before any of the plug-in's
// own handlers.
#include "standin/flight/fp_trap.h"

#include <float.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace standin::detail {
namespace {

constexpr unsigned kTrapped = _EM_INVALID | _EM_ZERODIVIDE | _EM_OVERFLOW;
constexpr int kExitFloatingPoint = 3;

bool armed = false;
void* handler = nullptr;
// What runs while the exceptions are unmasked, for the report.
int runningPlugin = 0;
long runningFrame = 0;
double runningTime = 0.0;

const char* describe(DWORD code) {
    switch (code) {
        case STATUS_FLOAT_INVALID_OPERATION: return "invalid operation (NaN)";
        case STATUS_FLOAT_DIVIDE_BY_ZERO: return "division by zero";
        case STATUS_FLOAT_OVERFLOW: return "overflow";
        case STATUS_FLOAT_MULTIPLE_TRAPS: return "floating-point exception (SSE)";
        default: return nullptr;
    }
}

LONG CALLBACK report(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    const char* what = describe(record.ExceptionCode);
    if (what == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<const char*>(record.ExceptionAddress), &module)) {
        GetModuleFileNameA(module, name, sizeof name);
    }
    std::fprintf(stderr,
                 "quil-sim: %s in the flight loop of plug-in %d, frame %ld, %.3f s: code at %p (%s+%#llx)\n",
                 what, runningPlugin, runningFrame, runningTime, record.ExceptionAddress, name,
                 static_cast<unsigned long long>(static_cast<const char*>(record.ExceptionAddress) -
                                                 reinterpret_cast<const char*>(module)));
    std::fflush(stderr);
    std::_Exit(kExitFloatingPoint);
}

}  // namespace

void armFloatingPointReport() {
    if (handler == nullptr) handler = AddVectoredExceptionHandler(1, report);
    armed = true;
}

void disarmFloatingPointReport() { armed = false; }

FloatingPointTrap::FloatingPointTrap(int plugin, long frame, double time)
    : trapping_(armed) {
    if (!trapping_) return;
    runningPlugin = plugin;
    runningFrame = frame;
    runningTime = time;
    _clearfp();
    unsigned ignored = 0;
    _controlfp_s(&ignored, ~kTrapped & _MCW_EM, _MCW_EM);
}

FloatingPointTrap::~FloatingPointTrap() {
    if (!trapping_) return;
    unsigned ignored = 0;
    _controlfp_s(&ignored, _MCW_EM, _MCW_EM);
    _clearfp();
}

}  // namespace standin::detail
