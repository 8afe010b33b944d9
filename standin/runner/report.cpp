#include "standin/runner/report.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "standin/standin.h"

namespace standin::runner {

namespace {

constexpr size_t kLineWidth = 78;
// Message numbers this large are plug-in signatures and read best in hex.
constexpr uint32_t kFirstHexMessage = 0x10000;

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string messageNumber(int message) {
    const uint32_t bits = static_cast<uint32_t>(message);
    if (bits < kFirstHexMessage) return std::to_string(message);
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(bits));
    return text;
}

// Items joined by ", ", broken into indented lines that fit the report.
void writeWrapped(std::ostream& out, const std::vector<std::string>& items, const char* indent) {
    std::string line = indent;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
        if (line.size() > std::strlen(indent) && line.size() + 1 + item.size() > kLineWidth) {
            out << line << "\n";
            line = indent;
        }
        line += (line.size() > std::strlen(indent) ? " " : "") + item;
    }
    out << line << "\n";
}

std::string pluginName(const std::vector<PluginInfo>& loaded, XPLMPluginID id) {
    if (id == XPLM_PLUGIN_XPLANE) return "simulator";
    if (id == XPLM_NO_PLUGIN_ID) return "all";
    for (const PluginInfo& plugin : loaded)
        if (plugin.id == id) return plugin.name;
    return "plug-in " + std::to_string(id);
}

void writePlugins(std::ostream& out, XPLMPluginID pluginUnderTest) {
    out << "Plug-ins\n";
    for (const PluginInfo& plugin : plugins()) {
        out << "  " << plugin.name << " (" << plugin.signature << ")"
            << (plugin.id == pluginUnderTest ? ", under test" : "")
            << (plugin.enabled ? "" : ", disabled") << "\n    " << plugin.path << "\n";
    }
}

void writeHost(std::ostream& out, const RunOutcome& outcome) {
    const HostConfig& config = hostConfig();
    const std::string aircraft = aircraftPath();
    out << "Aircraft  " << (aircraft.empty() ? "none" : aircraft) << "\n"
        << "Window    " << config.windowWidth << " x " << config.windowHeight << ", renderer "
        << (config.graphics ? graphicsRenderer() : "none (graphics off)") << "\n"
        << "Run       " << outcome.frames << " frames, "
        << formatted("%.2f", outcome.seconds) << " s\n";
}

// The simulator's flight plan as the run left it, the entry flown to marked.
void writeFlightPlan(std::ostream& out) {
    const std::vector<FmsEntry> plan = flightPlan();
    out << "Flight plan: " << (plan.empty() ? "none" : std::to_string(plan.size()) + " entries")
        << "\n";
    if (plan.empty()) return;
    std::vector<std::string> items;
    for (size_t i = 0; i < plan.size(); ++i) {
        const bool flownTo = static_cast<int>(i) == destinationEntry();
        items.push_back((flownTo ? "-> " : "") + plan[i].id + " " + std::to_string(plan[i].altitude) +
                        " ft");
    }
    writeWrapped(out, items, "  ");
}

void writeUsage(std::ostream& out, const FrameUsage& usage) {
    out << "SDK calls per frame: " << usage.lastFrameSdkCalls << " in the last frame";
    if (usage.pastStartup) out << ", at most " << usage.peakSdkCalls << " after start-up";
    out << "\n";
    std::vector<std::pair<std::string, long>> calls = usage.lastFrameCalls;
    std::stable_sort(calls.begin(), calls.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<std::string> items;
    for (const auto& [function, count] : calls) items.push_back(function + " " + std::to_string(count));
    if (!items.empty()) writeWrapped(out, items, "  ");

    out << "Heap allocations: " << usage.startupAllocations << " at start-up (loading and the first "
        << formatted("%g", kStartupSeconds) << " s), ";
    if (usage.pastStartup) out << "at most " << usage.peakAllocations << " per frame after it\n";
    else out << "no frame after it\n";
}

// Messages from the simulator and between plug-ins, grouped by sender,
// receiver and number, in the order first seen.
void writeMessages(std::ostream& out) {
    struct Group {
        long count = 0;
        long firstFrame = 0;
        size_t order = 0;
    };
    std::map<std::tuple<XPLMPluginID, XPLMPluginID, int>, Group> groups;
    for (const MessageRecord& record : messageLog()) {
        Group& group = groups[{record.from, record.to, record.message}];
        if (group.count++ == 0) {
            group.firstFrame = record.frame;
            group.order = groups.size();
        }
    }
    out << "Messages sent: " << (groups.empty() ? "none" : std::to_string(messageLog().size()))
        << "\n";
    std::vector<std::pair<size_t, std::string>> lines;
    const std::vector<PluginInfo> loaded = plugins();
    for (const auto& [key, group] : groups) {
        const auto& [from, to, message] = key;
        lines.emplace_back(group.order, "  " + pluginName(loaded, from) + " -> " +
                                            pluginName(loaded, to) + ": " + messageNumber(message) +
                                            " x" + std::to_string(group.count) + " (first in frame " +
                                            std::to_string(group.firstFrame) + ")");
    }
    std::sort(lines.begin(), lines.end());
    for (const auto& line : lines) out << line.second << "\n";
}

// Commands run, by whom is not known; simulator commands the host has no
// effect for are marked, as nothing happened.
void writeCommands(std::ostream& out) {
    std::vector<std::string> items;
    for (const CommandInfo& command : commands()) {
        if (command.begins == 0) continue;
        items.push_back(command.name + " x" + std::to_string(command.begins) +
                        (command.simulator && !command.hostAction ? " (no effect in the host)" : ""));
    }
    out << "Commands run: " << (items.empty() ? "none" : std::to_string(items.size())) << "\n";
    if (!items.empty()) writeWrapped(out, items, "  ");
}

void writeLog(std::ostream& out, const RunOutcome& outcome) {
    out << "Log: " << debugLog().size() << " lines (log.txt), "
        << outcome.loggedErrors.size() << " error(s)\n";
    for (const std::string& line : outcome.loggedErrors) out << "  " << line << "\n";
}

void writeScreenshots(std::ostream& out, const std::vector<ScreenshotResult>& screenshots) {
    out << "Screenshots: " << (screenshots.empty() ? "none" : std::to_string(screenshots.size()))
        << "\n";
    for (const ScreenshotResult& shot : screenshots)
        out << "  " << shot.path << (shot.written ? "" : " (not written: " + shot.note + ")") << "\n";
}

const char* stationKind(StationKind kind) {
    switch (kind) {
        case StationKind::Vor: return "VOR";
        case StationKind::Localizer: return "LOC";
        case StationKind::GlideSlope: return "G/S";
        case StationKind::OuterMarker: return "outer marker";
        case StationKind::MiddleMarker: return "middle marker";
        case StationKind::InnerMarker: return "inner marker";
    }
    return "?";
}

void writeStations(std::ostream& out) {
    const std::vector<RadioStation> stations = radioStations();
    if (stations.empty()) return;
    out << "Radio stations: " << stations.size() << "\n";
    std::vector<std::string> items;
    for (const RadioStation& station : stations) {
        std::string item = stationKind(station.kind) + std::string(" ") + station.id;
        if (station.frequency != 0) item += " " + formatted("%.2f", station.frequency / 100.0);
        items.push_back(item);
    }
    writeWrapped(out, items, "  ");
}

void writeTrace(std::ostream& out, const TraceResult& trace) {
    if (!trace.started) return;
    out << "Trace: " << trace.csvPath << " (" << trace.rows << " rows)\n";
    if (!trace.plotPath.empty()) out << "  plot " << trace.plotPath << "\n";
    if (!trace.note.empty()) out << "  " << trace.note << "\n";
}

void writeExpectations(std::ostream& out, const RunOutcome& outcome) {
    const int failed = failedExpectations(outcome);
    out << "Expectations: " << outcome.expectations.size() - failed << " met, " << failed
        << " failed\n";
    for (const ExpectationResult& result : outcome.expectations) {
        out << (result.met ? "  met     " : "  FAILED  ") << result.where << "  " << result.source
            << "  (" << (result.met ? "" : "found ") << result.actual << ")\n";
    }
}

}  // namespace

FrameUsage beginUsage() {
    FrameUsage usage;
    usage.startupAllocations = totalCounts().allocations;
    return usage;
}

void noteFrame(FrameUsage& usage, double runSeconds) {
    const FrameCounts frame = lastFrameCounts();
    usage.lastFrameSdkCalls = frame.sdkCalls;
    usage.lastFrameCalls = lastFrameCallsByFunction();
    if (runSeconds <= kStartupSeconds + kTimeSlackSeconds) {
        usage.startupAllocations = totalCounts().allocations;
        return;
    }
    usage.pastStartup = true;
    usage.peakSdkCalls = std::max(usage.peakSdkCalls, frame.sdkCalls);
    usage.peakAllocations = std::max(usage.peakAllocations, frame.allocations);
}

int failedExpectations(const RunOutcome& outcome) {
    return static_cast<int>(std::count_if(outcome.expectations.begin(), outcome.expectations.end(),
                                          [](const ExpectationResult& e) { return !e.met; }));
}

bool runFailed(const RunOutcome& outcome) {
    return failedExpectations(outcome) > 0 || !outcome.problems.empty() ||
           !outcome.loggedErrors.empty() || outcome.fault.has_value();
}

namespace {

// "E/" at the start of a word, then a capitalised subsystem and a colon.
bool taggedAsError(const std::string& line) {
    for (size_t at = line.find("E/"); at != std::string::npos; at = line.find("E/", at + 1)) {
        if (at > 0 && line[at - 1] != ' ') continue;
        size_t end = at + 2;
        while (end < line.size() && std::isupper(static_cast<unsigned char>(line[end]))) ++end;
        if (end > at + 2 && end < line.size() && line[end] == ':') return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> errorLines(const std::vector<std::string>& log) {
    // Lua reports an error that nothing caught by its message and then a
    // stack traceback, whatever tag the plug-in gave the message.
    constexpr char kTraceback[] = "stack traceback:";
    std::vector<std::string> errors;
    for (size_t i = 0; i < log.size(); ++i) {
        const bool beforeTraceback = i + 1 < log.size() && log[i + 1].rfind(kTraceback, 0) == 0;
        if (taggedAsError(log[i]) || beforeTraceback) errors.push_back(log[i]);
    }
    return errors;
}

std::string formatReport(const RunOutcome& outcome, XPLMPluginID pluginUnderTest) {
    return formatReportBody(outcome, pluginUnderTest) + formatReportEnding(outcome);
}

std::string formatReportBody(const RunOutcome& outcome, XPLMPluginID pluginUnderTest) {
    std::ostringstream out;
    writePlugins(out, pluginUnderTest);
    writeHost(out, outcome);
    writeFlightPlan(out);
    writeUsage(out, outcome.usage);
    writeMessages(out);
    writeCommands(out);
    writeScreenshots(out, outcome.screenshots);
    writeStations(out);
    writeTrace(out, outcome.trace);
    if (!outcome.books.empty()) {
        out << "Books\n";
        for (const std::string& line : outcome.books) out << "  " << line << "\n";
    }
    writeLog(out, outcome);
    writeExpectations(out, outcome);
    if (!outcome.problems.empty()) {
        out << "Actions not carried out: " << outcome.problems.size() << "\n";
        for (const std::string& problem : outcome.problems) out << "  " << problem << "\n";
    }
    return out.str();
}

std::string formatReportEnding(const RunOutcome& outcome) {
    std::ostringstream out;
    if (const std::optional<PluginFault>& fault = outcome.fault) {
        out << "Run ended: " << fault->pluginName << " threw in " << fault->callback << ": "
            << fault->what << "\n  frame " << fault->frame << " at "
            << formatted("%.3f", fault->time) << " s of simulator time\n";
    }
    out << "Result: " << (runFailed(outcome) ? "FAILED" : "ok") << "\n";
    return out.str();
}

bool writeTextFile(const std::string& path, const std::string& text, std::string* error) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        *error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace standin::runner
