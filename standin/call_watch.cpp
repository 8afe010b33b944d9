// The call watch: which plug-in calls are running, kept where a signal
// handler and the watchdog thread can read them, and the short report that
// ends a run a plug-in crashed, hung or filled the memory with. Nothing here
// allocates or locks once the watch is on: the report is written with a
// fixed buffer and plain system calls, from a signal handler or from the
// watchdog while the plug-in's thread is stuck.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "standin/exit_status.h"
#include "standin/internal.h"
#include "standin/platform.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

constexpr int kDeepestWatched = 16;  // deeper calls are counted, not named
constexpr int kMostPlugins = 64;     // names kept, by plug-in id
constexpr size_t kNameBytes = 256;
constexpr size_t kReportBytes = 8192;
constexpr auto kWatchdogPeriod = std::chrono::milliseconds(10);

struct RunningCall {
    std::atomic<int> plugin{0};
    std::atomic<const char*> callback{nullptr};
};

struct PluginName {
    std::atomic<int> id{0};
    char text[kNameBytes] = {};
};

RunningCall running[kDeepestWatched];
std::atomic<int> depth{0};
std::atomic<long long> outermostStartNs{0};  // 0: no plug-in code running
std::atomic<long> watchedFrame{0};
std::atomic<double> watchedTime{0.0};
PluginName names[kMostPlugins];

char reportPath[4096] = {};
std::atomic<double> callbackLimitSeconds{0.0};
std::atomic<size_t> memoryLimitBytes{0};
std::atomic<bool> ending{false};
std::atomic<bool> watchdogOn{false};
std::thread watchdog;
bool handlerInstalled = false;

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const char* nameOf(int plugin) {
    const PluginName& entry = names[plugin % kMostPlugins];
    return entry.id.load() == plugin && entry.text[0] != '\0' ? entry.text : "a plug-in";
}

// "a flight loop of hostile", the call at `level` (0 outermost).
int describeCall(char* out, size_t size, int level) {
    const RunningCall& call = running[level];
    const char* callback = call.callback.load();
    return std::snprintf(out, size, "%s of %s", callback != nullptr ? callback : "a call",
                         nameOf(call.plugin.load()));
}

struct Text {
    char* buffer;
    size_t size;
    size_t used = 0;

#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    void add(const char* format, ...) {
        if (used >= size) return;
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(buffer + used, size - used, format, args);
        va_end(args);
        if (n > 0) used = std::min(size, used + static_cast<size_t>(n));
    }
    void addCall(int level) {
        if (used >= size) return;
        const int n = describeCall(buffer + used, size - used, level);
        if (n > 0) used = std::min(size, used + static_cast<size_t>(n));
    }
};

// The report and a line on stderr, then the end of the process. A second
// ending meanwhile (the watchdog's while a signal is handled) waits for it.
[[noreturn]] void endRun(int status, const char* event) {
    if (ending.exchange(true)) waitForever();
    writeFatalReport(event);
    static char line[kReportBytes];
    Text text{line, sizeof line};
    text.add("quil-sim: %s, frame %ld at %.3f s", event, watchedFrame.load(), watchedTime.load());
    if (reportPath[0] != '\0') text.add("; see %s", reportPath);
    text.add("\n");
    writeErrorInCrash(line, text.used);
    std::_Exit(status);
}

// The innermost call running, as the event's place: " in a flight loop of
// hostile", or nothing outside plug-in code.
void addWhere(Text& text) {
    const int levels = std::min(depth.load(), kDeepestWatched);
    if (levels == 0) {
        text.add(" in the host's own code");
        return;
    }
    text.add(" in ");
    text.addCall(levels - 1);
}

void onCrash(const char* fault) {
    static char event[kReportBytes];
    Text text{event, sizeof event};
    text.add("%s", fault);
    addWhere(text);
    endRun(kExitPluginCrashed, event);
}

void watch() {
    static char event[kReportBytes];
    while (watchdogOn.load()) {
        std::this_thread::sleep_for(kWatchdogPeriod);
        const double limit = callbackLimitSeconds.load();
        const long long start = outermostStartNs.load();
        if (limit > 0 && start != 0 && (nowNs() - start) * 1e-9 > limit) {
            Text text{event, sizeof event};
            text.addCall(0);
            text.add(" ran longer than the limit of %g s", limit);
            endRun(kExitCallbackTooLong, event);
        }
        const size_t memory = memoryLimitBytes.load();
        const size_t inUse = heapBytesInUse();
        if (memory > 0 && inUse > memory) {
            Text text{event, sizeof event};
            text.add("the heap passed the limit of %zu MB (%zu MB in use)", memory >> 20,
                     inUse >> 20);
            addWhere(text);
            endRun(kExitMemoryLimit, event);
        }
    }
}

}  // namespace

void enterWatchedCall(XPLMPluginID plugin, const char* callback) {
    const int level = depth.load(std::memory_order_relaxed);
    if (level < kDeepestWatched) {
        running[level].plugin.store(plugin, std::memory_order_relaxed);
        running[level].callback.store(callback, std::memory_order_relaxed);
    }
    if (level == 0) outermostStartNs.store(nowNs(), std::memory_order_relaxed);
    depth.store(level + 1, std::memory_order_release);
}

void leaveWatchedCall() {
    const int level = depth.load(std::memory_order_relaxed) - 1;
    depth.store(level, std::memory_order_release);
    if (level == 0) outermostStartNs.store(0, std::memory_order_relaxed);
}

void notePluginName(XPLMPluginID plugin, const std::string& name) {
    PluginName& entry = names[plugin % kMostPlugins];
    entry.id.store(0);
    std::snprintf(entry.text, sizeof entry.text, "%s", name.c_str());
    entry.id.store(plugin);
}

void noteWatchedFrame(long frame, double time) {
    watchedFrame.store(frame, std::memory_order_relaxed);
    watchedTime.store(time, std::memory_order_relaxed);
}

void writeFatalReport(const char* event) {
    if (reportPath[0] == '\0') return;
    static char report[kReportBytes];
    Text text{report, sizeof report};
    text.add("Run ended: %s\n  frame %ld at %.3f s of simulator time\n", event,
             watchedFrame.load(), watchedTime.load());
    const int levels = std::min(depth.load(), kDeepestWatched);
    if (levels > 0) text.add("  plug-in calls running, innermost first:\n");
    for (int level = levels - 1; level >= 0; --level) {
        text.add("    ");
        text.addCall(level);
        text.add("\n");
    }
    text.add("Log: log.txt, as far as the plug-ins had written it\nResult: FAILED\n");
    writeFileInCrash(reportPath, report, text.used);
}

}  // namespace standin::detail

namespace standin {

void watchCalls(const CallWatch& settings) {
    using namespace detail;
    stopWatchingCalls();
    std::snprintf(reportPath, sizeof reportPath, "%s", settings.reportPath.c_str());
    callbackLimitSeconds = settings.callbackLimitSeconds;
    memoryLimitBytes = settings.memoryLimitBytes;
    installCrashHandler(onCrash);
    handlerInstalled = true;
    if (settings.callbackLimitSeconds > 0 || settings.memoryLimitBytes > 0) {
        watchdogOn = true;
        watchdog = std::thread(watch);
    }
}

void stopWatchingCalls() {
    using namespace detail;
    if (watchdog.joinable()) {
        watchdogOn = false;
        watchdog.join();
    }
    if (!handlerInstalled) return;
    removeCrashHandler();
    handlerInstalled = false;
    reportPath[0] = '\0';
    callbackLimitSeconds = 0.0;
    memoryLimitBytes = 0;
}

}  // namespace standin
