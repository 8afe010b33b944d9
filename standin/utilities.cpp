// The simulator's identity, its directory separator and the joystick
// command buttons that plug-ins press and release.
#include <algorithm>
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

Identity identity;
std::vector<ButtonEvent> buttonEvents;
std::vector<int> heldButtons;

void recordButton(int button, bool pressed) {
    buttonEvents.push_back({currentFrame(), button, pressed});
    auto held = std::find(heldButtons.begin(), heldButtons.end(), button);
    if (pressed && held == heldButtons.end()) heldButtons.push_back(button);
    if (!pressed && held != heldButtons.end()) heldButtons.erase(held);
}

}  // namespace

void resetUtilities() {
    identity = Identity{};
    buttonEvents.clear();
    heldButtons.clear();
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

}  // namespace standin

extern "C" {

const char* XPLMGetDirectorySeparator() {
    SdkCall call(SdkFunction::XPLMGetDirectorySeparator);
    return "/";
}

void XPLMGetVersions(int* outXPlaneVersion, int* outXplmVersion,
                     XPLMHostApplicationID* outHostId) {
    SdkCall call(SdkFunction::XPLMGetVersions);
    if (outXPlaneVersion != nullptr) *outXPlaneVersion = identity.xplaneVersion;
    if (outXplmVersion != nullptr) *outXplmVersion = identity.xplmVersion;
    if (outHostId != nullptr) *outHostId = identity.hostId;
}

void XPLMCommandButtonPress(XPLMCommandButtonID button) {
    SdkCall call(SdkFunction::XPLMCommandButtonPress);
    recordButton(button, true);
}

void XPLMCommandButtonRelease(XPLMCommandButtonID button) {
    SdkCall call(SdkFunction::XPLMCommandButtonRelease);
    recordButton(button, false);
}

}  // extern "C"
