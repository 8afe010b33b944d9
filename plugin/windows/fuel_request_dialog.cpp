#include "windows/fuel_request_dialog.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include "XPLMDataAccess.h"
#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "sim/settings.h"
#include "sim/sim_binding.h"
#include "systems/fuel.h"
#include "systems/refuelling.h"
#include "windows/fuel_station_window.h"
#include "windows/popup_window.h"
#include "windows/sheet_tables.h"
#include "windows/version_check.h"

namespace quil {
namespace {

constexpr char kTitle[] = "quil fuel request";
constexpr char kBackground[] = "Background";
constexpr int kHalfWidthPx = 256;
constexpr int kHalfHeightPx = 177;

// Layout below the window's top, in pixels.
constexpr int kBannerTopPx = 20;
constexpr int kFirstRowTopPx = 126;
constexpr int kRowPx = 24;
constexpr int kFieldHeightPx = 18;
constexpr int kInsetPx = 20;
// The two columns of name fields: label, then field.
constexpr int kLabelLeftPx[2] = {20, 266};
constexpr int kFieldLeftPx[2] = {110, 356};
constexpr int kFieldWidthPx = 136;
// The quantity rows: label, field, unit and capacity.
constexpr int kQuantityFieldLeftPx = 170;
constexpr int kQuantityFieldWidthPx = 52;
constexpr int kUnitLeftPx = 228;
constexpr int kCapacityLeftPx = 252;
// Buttons along the bottom, left to right.
constexpr int kButtonBottomPx = 20;  // above the window's bottom
constexpr int kButtonHeightPx = 22;
constexpr int kButtonWidthPx = 110;
constexpr int kButtonStepPx = 118;

constexpr int kQuantityCharacters = 5;
constexpr int kMaxRequest = 99999;
constexpr int kDescriptorBytes = 128;
// A name field holds up to kTextSlotLength characters of up to four bytes:
// read whole, the slot's own cut falls between characters.
constexpr int kNameBytes = 4 * static_cast<int>(kTextSlotLength) + 1;
constexpr int kTailNumberBytes = 40;
constexpr float kBannerColour[3] = {1.0f, 1.0f, 1.0f};

struct NameField {
    TextSlot slot;
    const char* label;
};
// In rows of two: captain and first officer, airline and aircraft type,
// flight number and date.
constexpr NameField kNameFields[] = {
    {TextSlot::CaptainName, "Captain"},   {TextSlot::FirstOfficerName, "First officer"},
    {TextSlot::Airline, "Airline"},       {TextSlot::AircraftType, "Aircraft type"},
    {TextSlot::FlightNumber, "Flight no."}, {TextSlot::FlightDate, "Date"},
};
constexpr int kNameFieldCount = static_cast<int>(std::size(kNameFields));

// The first quantity is offered for the crew's own planning and is not
// read; the second is the request.
struct QuantityRow {
    const char* label;
    const char* initial;
};
constexpr QuantityRow kQuantityRows[2] = {{"Planned block fuel", "10000"},
                                          {"Fuel requested", "11300"}};
constexpr int kRequestRow = 1;

enum Button { kManual, kRealtime, kQuick, kCancel, kButtonCount };
constexpr const char* kButtonLabels[kButtonCount] = {"Manual refuel", "Realtime auto",
                                                     "Quick refuel", "Cancel"};

struct FuelRequestDialog {
    XPWidgetID window;
    XPWidgetID names[kNameFieldCount];
    XPWidgetID tailNumber;
    XPWidgetID quantities[2];
    XPWidgetID units[2];
    XPWidgetID capacities[2];
    XPWidgetID status;
    XPWidgetID buttons[kButtonCount];
};

struct Banner {
    int texture;
    SpriteRecord sprite;
};

FuelRequestDialog dialog = {};
Banner banner = {};

const char* unitText() { return CurrentFuelUnit() == FuelUnit::Pounds ? "lb" : "kg"; }

XPWidgetID addWidget(const WidgetRect& r, const char* text, XPWidgetClass widgetClass) {
    return XPCreateWidget(r.left, r.top, r.right, r.bottom, 1, text, 0, dialog.window,
                          widgetClass);
}

XPWidgetID addField(const WidgetRect& r, const char* text, int maxCharacters) {
    XPWidgetID field = addWidget(r, text, xpWidgetClass_TextField);
    XPSetWidgetProperty(field, xpProperty_MaxCharacters, maxCharacters);
    return field;
}

// Manual and realtime refuelling are offered only while the aircraft can
// take fuel; the background looks again at every redraw.
void offerGroundButtons() {
    const bool allowed = RefuellingAllowed();
    for (Button b : {kManual, kRealtime}) {
        if (allowed) {
            XPShowWidget(dialog.buttons[b]);
        } else {
            XPHideWidget(dialog.buttons[b]);
        }
    }
}

// The texts that follow the aircraft and the configuration.
void refresh() {
    for (int i = 0; i < kNameFieldCount; ++i) {
        XPSetWidgetDescriptor(dialog.names[i], GetText(kNameFields[i].slot));
    }
    char tail[kTailNumberBytes + 1] = {};
    XPLMGetDatab(sim.tailNumber, tail, 0, kTailNumberBytes);
    tail[Utf8PrefixLength(tail, kTailNumberBytes - 1)] = '\0';
    char line[kDescriptorBytes];
    std::snprintf(line, sizeof line, "Tail number: %s", tail);
    XPSetWidgetDescriptor(dialog.tailNumber, line);
    const int capacity =
        static_cast<int>(std::lround(TotalFuelCapacity() * FuelQuantityFactor()));
    std::snprintf(line, sizeof line, "(max. %d %s)", capacity, unitText());
    for (int row = 0; row < 2; ++row) {
        XPSetWidgetDescriptor(dialog.units[row], unitText());
        XPSetWidgetDescriptor(dialog.capacities[row], line);
    }
    XPSetWidgetDescriptor(dialog.status, "");
    offerGroundButtons();
}

int backgroundMessage(XPWidgetMessage message, XPWidgetID self, intptr_t, intptr_t) {
    if (message != xpMsg_Draw) return 0;
    offerGroundButtons();
    if (banner.texture != 0) {
        int left = 0, top = 0, right = 0, bottom = 0;
        XPGetWidgetGeometry(self, &left, &top, &right, &bottom);
        DrawSheetSprite(banner.texture, banner.sprite, kBannerColour, static_cast<float>(left),
                        static_cast<float>(bottom));
    }
    return 1;
}

void readNames() {
    char text[kNameBytes];
    for (int i = 0; i < kNameFieldCount; ++i) {
        text[0] = '\0';
        XPGetWidgetDescriptor(dialog.names[i], text, kNameBytes - 1);
        text[kNameBytes - 1] = '\0';
        SetText(kNameFields[i].slot, text);
    }
}

// A requested quantity as typed: a whole number of 1 to 99999 in the
// configured unit, spaces around it allowed. Null for an accepted one,
// else the message the dialog shows.
const char* refuseQuantity(const char* text, int& quantity) {
    quantity = 0;
    if (text == nullptr) return "Requested fuel: type a quantity.";
    const char* c = text;
    while (*c == ' ') ++c;
    if (*c == '\0') return "Requested fuel: type a quantity.";
    if (*c == '-') return "Requested fuel cannot be negative.";
    if (*c == '+') ++c;
    long value = 0;
    const char* digits = c;
    for (; *c >= '0' && *c <= '9'; ++c) {
        if (value <= kMaxRequest) value = value * 10 + (*c - '0');
    }
    const bool anyDigit = c != digits;
    while (*c == ' ') ++c;
    if (!anyDigit || *c != '\0') return "Requested fuel: type a whole number, digits only.";
    if (value > kMaxRequest) return "Requested fuel: at most 99999.";
    if (value < 1) return "Requested fuel: at least 1.";
    quantity = static_cast<int>(value);
    return nullptr;
}

// The request, or the reason it is refused shown in the dialog.
bool readRequest(int& quantity) {
    char text[kDescriptorBytes] = {};
    XPGetWidgetDescriptor(dialog.quantities[kRequestRow], text, kDescriptorBytes - 1);
    const char* refusal = refuseQuantity(text, quantity);
    if (refusal == nullptr) return true;
    XPSetWidgetDescriptor(dialog.status, refusal);
    return false;
}

void pressed(Button button) {
    readNames();
    int quantity = 0;
    if ((button == kQuick || button == kRealtime) && !readRequest(quantity)) return;
    HideFuelRequestDialog();
    if (button != kQuick && !RefuellingAllowed()) {
        ShowFuellingAlert(ShowFuelRequestDialog);
        return;
    }
    switch (button) {
        case kQuick:
            QuickRefuel(static_cast<float>(quantity));
            return;
        case kRealtime:
            OpenFuelStationWindow();
            StartRealtimeRefuelling(static_cast<float>(quantity));
            return;
        case kManual:
            OpenFuelStationWindow();
            return;
        default:
            return;
    }
}

int dialogMessage(XPWidgetMessage message, XPWidgetID, intptr_t param1, intptr_t) {
    if (message == xpMessage_CloseButtonPushed) {
        HideFuelRequestDialog();
        return 1;
    }
    if (message != xpMsg_PushButtonPressed) return 0;
    for (int b = 0; b < kButtonCount; ++b) {
        if (reinterpret_cast<XPWidgetID>(param1) == dialog.buttons[b]) {
            pressed(static_cast<Button>(b));
            return 1;
        }
    }
    return 0;
}

void build() {
    const WidgetRect f = CentredDialogFrame(kHalfWidthPx, kHalfHeightPx);
    dialog.window =
        XPCreateWidget(f.left, f.top, f.right, f.bottom, 1, kTitle, 1, nullptr,
                       xpWidgetClass_MainWindow);
    XPSetWidgetProperty(dialog.window, xpProperty_MainWindowHasCloseBoxes, 1);
    XPCreateCustomWidget(f.left, f.top - kBannerTopPx, f.right,
                         f.top - kBannerTopPx - kFuelRequestSheet.height, 1, kBackground, 0,
                         dialog.window, backgroundMessage);
    int top = f.top - kFirstRowTopPx;
    for (int i = 0; i < kNameFieldCount; ++i) {
        const int column = i % 2;
        if (i > 0 && column == 0) top -= kRowPx;
        const int bottom = top - kFieldHeightPx;
        addWidget({f.left + kLabelLeftPx[column], top, f.left + kFieldLeftPx[column], bottom},
                  kNameFields[i].label, xpWidgetClass_Caption);
        dialog.names[i] = addField({f.left + kFieldLeftPx[column], top,
                                    f.left + kFieldLeftPx[column] + kFieldWidthPx, bottom},
                                   "", static_cast<int>(kTextSlotLength));
    }
    top -= kRowPx;
    dialog.tailNumber = addWidget({f.left + kInsetPx, top, f.right - kInsetPx, top - kFieldHeightPx},
                                  "", xpWidgetClass_Caption);
    for (int row = 0; row < 2; ++row) {
        top -= kRowPx;
        const int bottom = top - kFieldHeightPx;
        addWidget({f.left + kInsetPx, top, f.left + kQuantityFieldLeftPx, bottom},
                  kQuantityRows[row].label, xpWidgetClass_Caption);
        dialog.quantities[row] =
            addField({f.left + kQuantityFieldLeftPx, top,
                      f.left + kQuantityFieldLeftPx + kQuantityFieldWidthPx, bottom},
                     kQuantityRows[row].initial, kQuantityCharacters);
        dialog.units[row] = addWidget({f.left + kUnitLeftPx, top, f.left + kCapacityLeftPx, bottom},
                                      "", xpWidgetClass_Caption);
        dialog.capacities[row] = addWidget(
            {f.left + kCapacityLeftPx, top, f.right - kInsetPx, bottom}, "", xpWidgetClass_Caption);
    }
    top -= kRowPx;
    dialog.status = addWidget({f.left + kInsetPx, top, f.right - kInsetPx, top - kFieldHeightPx},
                              "", xpWidgetClass_Caption);
    for (int b = 0; b < kButtonCount; ++b) {
        const int left = f.left + kInsetPx + b * kButtonStepPx;
        const int bottom = f.bottom + kButtonBottomPx;
        dialog.buttons[b] = AddPushButton(
            dialog.window, {left, bottom + kButtonHeightPx, left + kButtonWidthPx, bottom},
            kButtonLabels[b]);
    }
    XPAddWidgetCallback(dialog.window, dialogMessage);
}

}  // namespace

void OpenFuelRequestDialog() {
    if (RefuellingAllowed()) {
        ShowFuelRequestDialog();
    } else {
        ShowFuellingAlert(ShowFuelRequestDialog);
    }
}

void ShowFuelRequestDialog() {
    if (dialog.window == nullptr) {
        build();
    } else {
        XPShowWidget(dialog.window);
    }
    refresh();
}

void HideFuelRequestDialog() {
    if (dialog.window != nullptr) XPHideWidget(dialog.window);
}

void DestroyFuelRequestDialog() {
    if (dialog.window != nullptr) XPDestroyWidget(dialog.window, 1);
    dialog = {};
}

void LoadFuelRequestBanner() {
    int width = 0, height = 0;
    if (LoadTextureFile(kFuelRequestSheet.file, banner.texture, width, height) == 1) {
        banner.sprite = SheetSpriteRecord(kFuelRequestSheet, kFuelRequestBanner, width, height);
    }
}

void UnloadFuelRequestBanner() { DeleteTexture(banner.texture); }

}  // namespace quil
