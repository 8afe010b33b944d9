// How quil-sim ends, as its exit status: the runner's own endings and the
// ones the host forces when a plug-in breaks the run (call_watch.cpp,
// flight/fp_trap.cpp).
#pragma once

namespace standin {

constexpr int kExitOk = 0;
constexpr int kExitRunFailed = 1;       // an expectation failed, an action could not run,
                                        // or a plug-in logged an error
constexpr int kExitCannotRun = 2;       // bad command line, plug-in, aircraft, scenario or output
constexpr int kExitFloatingPoint = 3;   // a floating-point exception in a flight loop
constexpr int kExitPluginThrew = 4;     // a plug-in let an exception out of a call
constexpr int kExitPluginCrashed = 5;   // a fatal signal: invalid memory access, abort, ...
constexpr int kExitCallbackTooLong = 6; // a call into a plug-in ran past --callback-limit
constexpr int kExitMemoryLimit = 7;     // the heap grew past --memory-limit

}  // namespace standin
