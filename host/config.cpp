#include "host/config.h"

#include <cstdio>
#include <vector>

#include "XPLMPlanes.h"
#include "XPLMPlugin.h"
#include "XPLMUtilities.h"

namespace quil {
namespace {

constexpr size_t kFileNameSize = 256;
constexpr size_t kPathSize = 512;

// The whole file as one terminated text, or nothing when it cannot be read
// or is empty.
bool readWholeFile(const std::string& path, std::vector<char>& text) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    bool read = false;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long length = std::ftell(file);
        if (length > 0 && std::fseek(file, 0, SEEK_SET) == 0) {
            text.assign(static_cast<size_t>(length) + 1, '\0');
            read = std::fread(text.data(), 1, static_cast<size_t>(length), file) ==
                   static_cast<size_t>(length);
        }
    }
    std::fclose(file);
    return read;
}

}  // namespace

std::string AircraftFolder() {
    char fileName[kFileNameSize] = {};
    char path[kPathSize] = {};
    XPLMGetNthAircraftModel(0, fileName, path);
    std::string folder = path;
    const size_t separator = folder.rfind(XPLMGetDirectorySeparator()[0]);
    if (separator != std::string::npos) folder.erase(separator + 1);
    return folder;
}

std::string ConfigurationPath() {
    return AircraftFolder() + "conf" + XPLMGetDirectorySeparator() + "quil.cnf";
}

namespace {

bool readable(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// The folder of the plug-in's own binary, ending in the separator.
std::string PluginFolder() {
    char path[kPathSize] = {};
    XPLMGetPluginInfo(XPLMGetMyID(), nullptr, path, nullptr, nullptr);
    std::string folder = path;
    const size_t separator = folder.rfind(XPLMGetDirectorySeparator()[0]);
    folder.erase(separator == std::string::npos ? 0 : separator + 1);
    return folder;
}

}  // namespace

bool ResolveTexturePath(const char* fileName, std::string& path) {
    const std::string textures = std::string("quiltextures") + XPLMGetDirectorySeparator() + fileName;
    path = AircraftFolder() + textures;
    if (readable(path)) return true;
    path = PluginFolder() + textures;
    return readable(path);
}

void PaintPaths(std::string& paintPath, std::string& liteMapPath) {
    char fileName[kFileNameSize] = {};
    char path[kPathSize] = {};
    XPLMGetNthAircraftModel(0, fileName, path);
    std::string stem = path;
    stem.erase(stem.size() >= 4 ? stem.size() - 4 : 0);
    paintPath = stem + "_paint.png";
    liteMapPath = stem + "_paint_lit.png";
}

int ReadConfiguration() {
    std::vector<char> text;
    if (!readWholeFile(ConfigurationPath(), text)) return -1;
    return 0;
}

}  // namespace quil
