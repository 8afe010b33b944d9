#include "standin/flight/fp_trap.h"

#include <dlfcn.h>
#include <fenv.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "standin/exit_status.h"
#include "standin/internal.h"

namespace standin::detail {
namespace {

constexpr int kTrapped = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

bool armed = false;
// What runs while the exceptions are unmasked, for the report.
int runningPlugin = 0;
long runningFrame = 0;
double runningTime = 0.0;

const char* describe(int code) {
    switch (code) {
        case FPE_FLTINV: return "invalid operation (NaN)";
        case FPE_FLTDIV: return "division by zero";
        case FPE_FLTOVF: return "overflow";
        default: return "floating-point exception";
    }
}

void report(int, siginfo_t* info, void*) {
    Dl_info where{};
    const bool found = info != nullptr && dladdr(info->si_addr, &where) != 0;
    const void* base = found ? where.dli_fbase : nullptr;
    static char event[1024];
    const int length = std::snprintf(
        event, sizeof event,
        "%s in the flight loop of plug-in %d, frame %ld, %.3f s: code at %p (%s+%#lx, %s)",
        describe(info ? info->si_code : 0), runningPlugin, runningFrame, runningTime,
        info ? info->si_addr : nullptr, found && where.dli_fname ? where.dli_fname : "?",
        static_cast<unsigned long>(static_cast<const char*>(info ? info->si_addr : nullptr) -
                                   static_cast<const char*>(base)),
        found && where.dli_sname ? where.dli_sname : "no symbol");
    if (length > 0) {
        const size_t written = std::min(static_cast<size_t>(length), sizeof event - 1);
        for (const auto& [text, size] : {std::pair<const char*, size_t>{"quil-sim: ", 10},
                                         {event, written}, {"\n", 1}}) {
            const ssize_t ignored = write(STDERR_FILENO, text, size);
            (void)ignored;
        }
    }
    writeFatalReport(event);
    _exit(kExitFloatingPoint);
}

}  // namespace

void armFloatingPointReport() {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = report;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGFPE, &action, nullptr);
    armed = true;
}

void disarmFloatingPointReport() { armed = false; }

FloatingPointTrap::FloatingPointTrap(int plugin, long frame, double time)
    : trapping_(armed) {
    if (!trapping_) return;
    runningPlugin = plugin;
    runningFrame = frame;
    runningTime = time;
    feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(kTrapped);
}

FloatingPointTrap::~FloatingPointTrap() {
    if (!trapping_) return;
    fedisableexcept(kTrapped);
    feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace standin::detail
