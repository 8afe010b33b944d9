#include "windows/version_check.h"

#include <cstdint>
#include <cstring>

#include "XPLMDataAccess.h"
#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "sim/settings.h"
#include "sim/sim_binding.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"

namespace quil {
namespace {

constexpr int kDescriptionBytes = 260;              // the simulator's whole description
constexpr size_t kDescriptionBufferBytes = 512;     // stays terminated after any read
constexpr char kMissingDescription[] = "0";
constexpr char kVersionTag[] = "qversion_";
constexpr int kOldestAcceptedVersion = 271;
constexpr int kFirstNewerVersion = 282;

// Dialog layout in window pixels.
constexpr int kCaptionInsetPx = 20;
constexpr int kFirstCaptionTopPx = 36;  // below the window's top
constexpr int kCaptionLinePx = 12;

constexpr char kUnderstood[] = "Understood";

constexpr int kConflictHalfWidthPx = 150;
constexpr int kConflictHalfHeightPx = 85;
constexpr char kConflictTitle[] = "quil Version conflict";
constexpr const char* kConflictCaptions[] = {
    "The version of the  737 aircraft you are using",
    "is  older  than  the  one  released  with this",
    "plugin. Although you can fly now we  strongly",
    "recommend that you download the latest version",
    "of the aircraft from its maker's download page",
    "for  perfect compatibilty  and  performance!",
};
constexpr int kConflictButtonInsetPx = 110;
constexpr int kConflictButtonTopPx = 130;  // below the window's top
constexpr int kConflictButtonBottomPx = 150;

constexpr int kAlertHalfWidthPx = 180;
constexpr int kAlertHalfHeightPx = 95;
constexpr char kAlertTitle[] = "quil fuelling alert";
constexpr const char* kAlertCaptions[] = {
    "Oh, no parkbrake set, or even in the air? Sorry, but the",
    "Boeing 737 aircraft do not have air fuelling capabilities.",
    "If you are short of fuel please look for a nearby airport.",
    "Good luck, my friend!",
};
constexpr char kIgnore[] = "Ignore...";
constexpr int kAlertButtonNearPx = 70;  // from the window's nearer side
constexpr int kAlertButtonFarPx = 170;
constexpr int kAlertButtonTopPx = 40;  // above the window's bottom
constexpr int kAlertButtonBottomPx = 20;

// ---- The description --------------------------------------------------------

// The description as bound, or "0" on a host that lacks it.
void readDescription(char* out) {
    if (sim.description == nullptr) {
        std::strcpy(out, kMissingDescription);
        return;
    }
    XPLMGetDatab(sim.description, out, 0, kDescriptionBytes);
}

// ---- Dialogs ----------------------------------------------------------------

struct VersionConflictDialog {
    XPWidgetID window;
    XPWidgetID understood;
};

struct FuellingAlertDialog {
    XPWidgetID window;
    XPWidgetID ignore;
    XPWidgetID understood;
    void (*openFuelRequest)();
};

VersionConflictDialog versionConflict = {};
FuellingAlertDialog fuellingAlert = {};

template <size_t lineCount>
XPWidgetID createDialog(const WidgetRect& frame, const char* title,
                        const char* const (&captions)[lineCount]) {
    XPWidgetID window = XPCreateWidget(frame.left, frame.top, frame.right, frame.bottom, 1, title,
                                       1, nullptr, xpWidgetClass_MainWindow);
    XPSetWidgetProperty(window, xpProperty_Refcon, 0);
    XPSetWidgetProperty(window, xpProperty_MainWindowHasCloseBoxes, 1);
    for (size_t line = 0; line < lineCount; ++line) {
        const int top = frame.top - kFirstCaptionTopPx - kCaptionLinePx * static_cast<int>(line);
        XPCreateWidget(frame.left + kCaptionInsetPx, top, frame.right - kCaptionInsetPx,
                       top - kCaptionLinePx, 1, captions[line], 0, window, xpWidgetClass_Caption);
    }
    return window;
}

bool pressed(XPWidgetMessage message, intptr_t param1, XPWidgetID button) {
    return message == xpMsg_PushButtonPressed && reinterpret_cast<XPWidgetID>(param1) == button;
}

// Messages are left for the host to go on with.
int versionConflictMessage(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    if (message == xpMessage_CloseButtonPushed ||
        pressed(message, param1, versionConflict.understood)) {
        XPHideWidget(versionConflict.window);
    }
    return 0;
}

int fuellingAlertMessage(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    const bool ignore = pressed(message, param1, fuellingAlert.ignore);
    if (message == xpMessage_CloseButtonPushed || ignore ||
        pressed(message, param1, fuellingAlert.understood)) {
        XPHideWidget(fuellingAlert.window);
    }
    if (ignore && fuellingAlert.openFuelRequest != nullptr) fuellingAlert.openFuelRequest();
    return 0;
}

void buildVersionConflict() {
    const WidgetRect frame = CentredDialogFrame(kConflictHalfWidthPx, kConflictHalfHeightPx);
    versionConflict.window = createDialog(frame, kConflictTitle, kConflictCaptions);
    versionConflict.understood = AddPushButton(
        versionConflict.window,
        {frame.left + kConflictButtonInsetPx, frame.top - kConflictButtonTopPx,
         frame.right - kConflictButtonInsetPx, frame.top - kConflictButtonBottomPx},
        kUnderstood);
    XPAddWidgetCallback(versionConflict.window, versionConflictMessage);
}

void buildFuellingAlert() {
    const WidgetRect frame = CentredDialogFrame(kAlertHalfWidthPx, kAlertHalfHeightPx);
    const int buttonTop = frame.bottom + kAlertButtonTopPx;
    const int buttonBottom = frame.bottom + kAlertButtonBottomPx;
    fuellingAlert.window = createDialog(frame, kAlertTitle, kAlertCaptions);
    fuellingAlert.ignore = AddPushButton(
        fuellingAlert.window,
        {frame.left + kAlertButtonNearPx, buttonTop, frame.left + kAlertButtonFarPx, buttonBottom},
        kIgnore);
    fuellingAlert.understood = AddPushButton(
        fuellingAlert.window,
        {frame.right - kAlertButtonFarPx, buttonTop, frame.right - kAlertButtonNearPx, buttonBottom},
        kUnderstood);
    XPAddWidgetCallback(fuellingAlert.window, fuellingAlertMessage);
}

// A dialog is built visible on its first show and only shown afterwards.
void showOrBuild(XPWidgetID window, void (*build)()) {
    if (window != nullptr) {
        XPShowWidget(window);
    } else {
        build();
    }
}

void destroyWithChildren(XPWidgetID window) {
    if (window != nullptr) XPDestroyWidget(window, 1);
}

}  // namespace

// A window size that no screen has still leaves the whole dialog on a sane
// one.
WidgetRect CentredDialogFrame(int halfWidth, int halfHeight) {
    const float width = ClampFinite(snapshot.windowWidth, 2.0f * halfWidth, kLargestScreenPx);
    const float height = ClampFinite(snapshot.windowHeight, 2.0f * halfHeight, kLargestScreenPx);
    const int cx = TruncToInt(width / 2.0f);
    const int cy = TruncToInt(height / 2.0f);
    return {cx - halfWidth, cy + halfHeight, cx + halfWidth, cy - halfHeight};
}

XPWidgetID AddPushButton(XPWidgetID window, const WidgetRect& rect, const char* label) {
    XPWidgetID id = XPCreateWidget(rect.left, rect.top, rect.right, rect.bottom, 1, label,
                                   0, window, xpWidgetClass_Button);
    XPSetWidgetProperty(id, xpProperty_ButtonType, xpPushButton);
    return id;
}

int AircraftVersion() {
    char text[kDescriptionBufferBytes] = {};
    readDescription(text);
    if (std::strstr(text, kServedDescription) == nullptr) return 0;
    const char* tag = std::strstr(text, kVersionTag);
    if (tag == nullptr) return 0;
    return DecimalValue(tag + std::strlen(kVersionTag));
}

bool AircraftVersionAccepted() {
    const int version = AircraftVersion();
    return version >= kOldestAcceptedVersion && version < kFirstNewerVersion;
}

void ShowVersionConflict() { showOrBuild(versionConflict.window, buildVersionConflict); }

void DestroyVersionConflict() {
    destroyWithChildren(versionConflict.window);
    versionConflict = {};
}

void ShowFuellingAlert(void (*openFuelRequest)()) {
    fuellingAlert.openFuelRequest = openFuelRequest;
    showOrBuild(fuellingAlert.window, buildFuellingAlert);
}

void DestroyFuellingAlert() {
    destroyWithChildren(fuellingAlert.window);
    fuellingAlert = {};
}

}  // namespace quil
