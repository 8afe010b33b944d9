#include "sim/paths.h"

#include <cstdio>
#include <cstring>

#include "XPLMPlanes.h"
#include "XPLMPlugin.h"
#include "XPLMUtilities.h"
#include "platform/files.h"

namespace quil {
namespace {

// The host's buffers for the aircraft file's name and path and for the
// plug-in's path.
constexpr size_t kAircraftFileNameBytes = 256;
constexpr size_t kAircraftPathBytes = 512;
constexpr size_t kPluginPathBytes = 256;

constexpr char kConfigurationFolder[] = "conf";
constexpr char kConfigurationFile[] = "quil.cnf";
constexpr char kTextureFolder[] = "quiltextures";
constexpr char kPaintSuffix[] = "_paint.png";
constexpr char kLiteMapPaintSuffix[] = "_paint_lit.png";
constexpr size_t kAircraftExtensionLength = 4;  // ".acf"

bool readable(const std::string& path) {
    FILE* file = OpenRegularFile(path.c_str()).file;
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

char separator() {
    const char* text = XPLMGetDirectorySeparator();
    return text != nullptr && text[0] != '\0' ? text[0] : '/';
}

// A path the host wrote into a buffer of `size` bytes. One that fills the
// buffer may have been cut short and would name another file: empty.
std::string hostPath(const char* buffer, size_t size) {
    const size_t length = strnlen(buffer, size);
    return length + 1 < size ? std::string(buffer, length) : std::string();
}

std::string aircraftFilePath() {
    char fileName[kAircraftFileNameBytes] = {};
    char path[kAircraftPathBytes] = {};
    XPLMGetNthAircraftModel(0, fileName, path);
    return hostPath(path, sizeof path);
}

std::string pluginFilePath() {
    char path[kPluginPathBytes] = {};
    XPLMGetPluginInfo(XPLMGetMyID(), nullptr, path, nullptr, nullptr);
    return hostPath(path, sizeof path);
}

// The path up to and with its last separator; a path without one is taken
// whole.
std::string folderOf(const std::string& path) {
    const size_t last = path.rfind(separator());
    return last == std::string::npos ? path : path.substr(0, last + 1);
}

}  // namespace

std::string AircraftFolder() {
    const std::string aircraft = aircraftFilePath();
    return aircraft.empty() ? aircraft : folderOf(aircraft);
}

std::string ConfigurationPath() {
    const std::string folder = AircraftFolder();
    if (folder.empty()) return folder;
    return folder + kConfigurationFolder + separator() + kConfigurationFile;
}

bool ResolveTexturePath(const char* fileName, std::string& path) {
    path.clear();
    if (fileName == nullptr) return false;
    const std::string inTextureFolder = kTextureFolder + std::string(1, separator()) + fileName;
    const std::string aircraftFolder = AircraftFolder();
    if (!aircraftFolder.empty()) {
        path = aircraftFolder + inTextureFolder;
        if (readable(path)) return true;
    }
    const std::string plugin = pluginFilePath();
    path = plugin.empty() ? plugin : folderOf(plugin) + inTextureFolder;
    return !path.empty() && readable(path);
}

bool PaintPaths(std::string& paintPath, std::string& liteMapPath) {
    const std::string aircraft = aircraftFilePath();
    if (aircraft.size() <= kAircraftExtensionLength) {
        paintPath.clear();
        liteMapPath.clear();
        return false;
    }
    const std::string stem = aircraft.substr(0, aircraft.size() - kAircraftExtensionLength);
    paintPath = stem + kPaintSuffix;
    liteMapPath = stem + kLiteMapPaintSuffix;
    return true;
}

}  // namespace quil
