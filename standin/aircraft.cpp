// The user's aircraft: its file, and the identity the simulator reads from
// it into the aircraft datarefs.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

#include "XPLMPlanes.h"
#include "XPLMPlugin.h"
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

constexpr size_t kFileNameBufferSize = 256;
constexpr size_t kPathBufferSize = 512;

std::string userAircraftPath;

// An aircraft file holds its properties as "P acf/_name value" lines.
struct AircraftProperty {
    const char* key;
    const char* dataRef;
    bool text;
};

constexpr AircraftProperty kProperties[] = {
    {"acf/_author", "sim/aircraft/view/acf_author", true},
    {"acf/_descrip", "sim/aircraft/view/acf_descrip", true},
    {"acf/_tailnum", "sim/aircraft/view/acf_tailnum", true},
    {"acf/_Vno", "sim/aircraft/view/acf_Vno", false},
    {"acf/_Mmo", "sim/aircraft/view/acf_Mmo", false},
};

void applyProperty(const std::string& line) {
    if (line.compare(0, 2, "P ") != 0) return;
    for (const AircraftProperty& property : kProperties) {
        const std::string prefix = std::string("P ") + property.key + " ";
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        std::string value = line.substr(prefix.size());
        if (!value.empty() && value.back() == '\r') value.pop_back();
        if (property.text) {
            setBytes(property.dataRef, value);
        } else {
            setFloat(property.dataRef, std::strtof(value.c_str(), nullptr));
        }
    }
}

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}


}  // namespace

void resetAircraft() { userAircraftPath.clear(); }

}  // namespace standin::detail

namespace standin {

bool setAircraft(const std::string& acfPath) {
    detail::userAircraftPath = acfPath;
    for (const char* text : {"sim/aircraft/view/acf_author", "sim/aircraft/view/acf_descrip",
                             "sim/aircraft/view/acf_tailnum"}) {
        setBytes(text, std::string(500, '\0'));
    }
    // The paint follows the path even when the file cannot be read, so the
    // previous aircraft's textures never linger.
    detail::loadAircraftTextures(acfPath);
    std::ifstream file(acfPath);
    if (!file) return false;
    std::string line;
    while (std::getline(file, line)) detail::applyProperty(line);
    return true;
}

bool loadAircraft(const std::string& acfPath) {
    const bool readable = setAircraft(acfPath);
    sendSimMessage(XPLM_MSG_PLANE_LOADED, 0);
    return readable;
}

std::string aircraftPath() { return detail::userAircraftPath; }

}  // namespace standin

extern "C" void XPLMGetNthAircraftModel(int index, char* outFileName, char* outPath) {
    using namespace standin::detail;
    SdkCall call(SdkFunction::XPLMGetNthAircraftModel, index);
    // Only the user's aircraft flies in the stand-in; other slots are empty.
    const std::string path = index == 0 ? userAircraftPath : std::string();
    call.results(path);
    copyText(outFileName, fileNameOf(path), kFileNameBufferSize);
    copyText(outPath, path, kPathBufferSize);
}
