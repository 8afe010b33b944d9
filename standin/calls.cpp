// Accounting of what plug-in code does: SDK calls per frame and the calling
// plug-in's identity.
#include <array>

#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

constexpr int kFunctionCount = static_cast<int>(SdkFunction::Count);

constexpr const char* kFunctionNames[kFunctionCount] = {
#define STANDIN_NAME_ENTRY(name) #name,
    STANDIN_SDK_FUNCTIONS(STANDIN_NAME_ENTRY)
#undef STANDIN_NAME_ENTRY
};

struct CallCounts {
    std::array<long, kFunctionCount> thisFrame{};
    std::array<long, kFunctionCount> lastFrame{};
    long totalCalls = 0;
    long allocationsAtReset = 0;
    long allocationsAtFrameStart = 0;
    FrameCounts lastFrameTotals;
};

CallCounts counts;
XPLMPluginID callingPlugin = XPLM_PLUGIN_XPLANE;

long sum(const std::array<long, kFunctionCount>& calls) {
    long total = 0;
    for (long n : calls) total += n;
    return total;
}

}  // namespace

const char* sdkFunctionName(SdkFunction function) {
    return kFunctionNames[static_cast<int>(function)];
}

void SdkCall::count(SdkFunction function) {
    setAllocationCounting(false);
    ++counts.thisFrame[static_cast<int>(function)];
    ++counts.totalCalls;
}

SdkCall::~SdkCall() {
    if (logging_) endLoggedCall();
    setAllocationCounting(savedCounting_);
}

PluginCall::PluginCall(XPLMPluginID plugin, const char* callback)
    : savedPlugin_(callingPlugin), savedCounting_(allocationCountingOn()) {
    callingPlugin = plugin;
    enterWatchedCall(plugin, callback);
    setAllocationCounting(true);
}

PluginCall::~PluginCall() {
    setAllocationCounting(savedCounting_);
    leaveWatchedCall();
    callingPlugin = savedPlugin_;
}

XPLMPluginID currentPlugin() { return callingPlugin; }

void beginFrameCounts() {
    counts.thisFrame.fill(0);
    counts.allocationsAtFrameStart = allocationsCounted();
}

void endFrameCounts() {
    counts.lastFrame = counts.thisFrame;
    counts.lastFrameTotals.sdkCalls = sum(counts.lastFrame);
    counts.lastFrameTotals.allocations = allocationsCounted() - counts.allocationsAtFrameStart;
    counts.thisFrame.fill(0);
}

void resetCounts() {
    counts = CallCounts{};
    counts.allocationsAtReset = allocationsCounted();
    forgetLargestAllocation();
    callingPlugin = XPLM_PLUGIN_XPLANE;
}

}  // namespace standin::detail

namespace standin {

FrameCounts lastFrameCounts() { return detail::counts.lastFrameTotals; }

FrameCounts totalCounts() {
    return {detail::counts.totalCalls,
            detail::allocationsCounted() - detail::counts.allocationsAtReset};
}

long lastFrameCalls(const std::string& function) {
    for (int i = 0; i < detail::kFunctionCount; ++i) {
        if (function == detail::kFunctionNames[i]) return detail::counts.lastFrame[i];
    }
    return 0;
}

std::vector<std::pair<std::string, long>> lastFrameCallsByFunction() {
    std::vector<std::pair<std::string, long>> calls;
    for (int i = 0; i < detail::kFunctionCount; ++i) {
        if (detail::counts.lastFrame[i] > 0) {
            calls.emplace_back(detail::kFunctionNames[i], detail::counts.lastFrame[i]);
        }
    }
    return calls;
}

}  // namespace standin
