#include "host/config.h"

#include <cstdio>
#include <vector>

#include "XPLMPlanes.h"
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

int ReadConfiguration() {
    std::vector<char> text;
    if (!readWholeFile(ConfigurationPath(), text)) return -1;
    return 0;
}

}  // namespace quil
