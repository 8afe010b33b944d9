// The simulator's identity, its directory separator, its log, folder
// listings and the joystick command buttons that plug-ins press and release.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "XPLMUtilities.h"
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

// An X-Plane 11.55 host at the SDK level our declarations describe.
constexpr int kDefaultXPlaneVersion = 11550;
constexpr int kDefaultXplmVersion = 210;

struct Identity {
    int xplaneVersion = kDefaultXPlaneVersion;
    int xplmVersion = kDefaultXplmVersion;
    int hostId = xplm_Host_XPlane;
};

// A chatty plug-in cannot fill the memory: the log keeps its latest lines,
// each cut to a sane length.
constexpr size_t kLogLineLimit = 100000;
constexpr size_t kLogLineLength = 4096;

Identity identity;
std::vector<ButtonEvent> buttonEvents;
std::vector<int> heldButtons;
std::vector<std::string> logLines;
std::string partialLine;  // text written without its line end yet

// The log file the host config names: each line goes out as it is kept,
// unbuffered, so that a crash or a hang loses none of it.
struct LogFile {
    std::FILE* file = nullptr;
    size_t written = 0;
};
LogFile logFile;

void closeLogFile() {
    if (logFile.file != nullptr) std::fclose(logFile.file);
    logFile = LogFile{};
}

void openLogFile(const std::string& path) {
    closeLogFile();
    if (path.empty()) return;
    logFile.file = std::fopen(path.c_str(), "wb");
    if (logFile.file != nullptr) std::setvbuf(logFile.file, nullptr, _IONBF, 0);
}

void streamLine(const std::string& line) {
    if (logFile.file == nullptr) return;
    std::string text = line + "\n";
    const bool full = logFile.written + text.size() > kLogFileLimitBytes;
    if (full) {
        text = "quil-sim: the log is cut here, at its limit of " +
               std::to_string(kLogFileLimitBytes >> 20) + " MB\n";
    }
    std::fwrite(text.data(), 1, text.size(), logFile.file);
    logFile.written += text.size();
    if (full) closeLogFile();
}

void keepLine(std::string line) {
    streamLine(line);
    if (logLines.size() >= kLogLineLimit)
        logLines.erase(logLines.begin(), logLines.begin() + kLogLineLimit / 2);
    logLines.push_back(std::move(line));
}

void appendToLog(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            keepLine(std::move(partialLine));
            partialLine.clear();
        } else if (partialLine.size() < kLogLineLength) {
            partialLine += *c;
        }
    }
}

// The names in a folder, sorted so that every run lists them alike.
std::vector<std::string> folderEntries(const char* path) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

void setButtonHeld(int button, bool pressed) {
    buttonEvents.push_back({currentFrame(), button, pressed});
    auto held = std::find(heldButtons.begin(), heldButtons.end(), button);
    if (pressed && held == heldButtons.end()) heldButtons.push_back(button);
    if (!pressed && held != heldButtons.end()) heldButtons.erase(held);
}

void logLine(const std::string& line) { keepLine(line.substr(0, kLogLineLength)); }

void resetUtilities() {
    identity = Identity{};
    buttonEvents.clear();
    heldButtons.clear();
    logLines.clear();
    partialLine.clear();
    openLogFile(hostConfig().logPath);
}

}  // namespace standin::detail

using namespace standin::detail;

namespace standin {

void setVersions(int xplaneVersion, int xplmVersion, int hostId) {
    identity = {xplaneVersion, xplmVersion, hostId};
}

const std::vector<ButtonEvent>& buttonLog() { return buttonEvents; }

bool buttonHeld(int button) {
    return std::find(heldButtons.begin(), heldButtons.end(), button) != heldButtons.end();
}

std::vector<std::string> debugLog() {
    std::vector<std::string> lines = logLines;
    if (!partialLine.empty()) lines.push_back(partialLine);
    return lines;
}

}  // namespace standin

extern "C" {

const char* XPLMGetDirectorySeparator() {
    SdkCall call(SdkFunction::XPLMGetDirectorySeparator);
    return call.returns("/");
}

void XPLMGetVersions(int* outXPlaneVersion, int* outXplmVersion,
                     XPLMHostApplicationID* outHostId) {
    SdkCall call(SdkFunction::XPLMGetVersions);
    call.results(identity.xplaneVersion, identity.xplmVersion, identity.hostId);
    if (outXPlaneVersion != nullptr) *outXPlaneVersion = identity.xplaneVersion;
    if (outXplmVersion != nullptr) *outXplmVersion = identity.xplmVersion;
    if (outHostId != nullptr) *outHostId = identity.hostId;
}

void XPLMCommandButtonPress(XPLMCommandButtonID button) {
    SdkCall call(SdkFunction::XPLMCommandButtonPress, button);
    setButtonHeld(button, true);
}

void XPLMCommandButtonRelease(XPLMCommandButtonID button) {
    SdkCall call(SdkFunction::XPLMCommandButtonRelease, button);
    setButtonHeld(button, false);
}

void XPLMDebugString(const char* text) {
    SdkCall call(SdkFunction::XPLMDebugString, text);
    if (text != nullptr) appendToLog(text);
}

int XPLMGetDirectoryContents(const char* path, int firstReturn, char* names, int namesSize,
                             char** indices, int indexCount, int* totalFiles,
                             int* returnedFiles) {
    SdkCall call(SdkFunction::XPLMGetDirectoryContents, path, firstReturn, namesSize, indexCount);
    const std::vector<std::string> entries =
        path != nullptr ? folderEntries(path) : std::vector<std::string>{};
    const size_t first = static_cast<size_t>(std::max(firstReturn, 0));
    // Names go in while they fit with their ends, and while the index has
    // room; the closing empty name and null index only where room is left.
    size_t used = 0, returned = 0;
    const size_t capacity = names != nullptr ? static_cast<size_t>(std::max(namesSize, 0)) : 0;
    const size_t indexCapacity =
        indices != nullptr ? static_cast<size_t>(std::max(indexCount, 0)) : 0;
    for (size_t i = first; i < entries.size(); ++i) {
        const std::string& name = entries[i];
        if (used + name.size() + 1 > capacity) break;
        if (indices != nullptr && returned >= indexCapacity) break;
        std::copy(name.begin(), name.end(), names + used);
        names[used + name.size()] = '\0';
        if (indices != nullptr) indices[returned] = names + used;
        used += name.size() + 1;
        ++returned;
    }
    if (used < capacity) names[used] = '\0';
    if (returned < indexCapacity) indices[returned] = nullptr;
    if (totalFiles != nullptr) *totalFiles = static_cast<int>(entries.size());
    if (returnedFiles != nullptr) *returnedFiles = static_cast<int>(returned);
    call.results(static_cast<int>(returned), static_cast<int>(entries.size()));
    return call.returns(first + returned >= entries.size() ? 1 : 0);
}

}  // extern "C"
