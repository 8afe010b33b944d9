#include "windows/overhead.h"

#include "windows/placement.h"
#include "windows/sheet_tables.h"

namespace quil {
namespace {

// Zone ids, by window: each starts with its close button and ends with
// the body that drags it.
enum MeterZoneId : int { kMeterZoneClose = 1, kMeterZoneBody = 20 };
enum ApuZoneId : int { kApuZoneClose = 1, kApuZoneBody = 21 };
enum CabinZoneId : int { kCabinZoneClose = 1, kCabinZoneBody = 16 };
enum AntiIceZoneId : int { kIceZoneClose = 1, kIceZoneBody = 22 };
enum FuelZoneId : int { kFuelZoneClose = 1, kFuelZoneBody = 32 };

constexpr ClickZone kMeterZones[] = {
    {1, 28, 332, 348, kMeterZoneClose, kSpriteHoverClick, 0, CloseZoneHandler<meterWindow>},
    {0, 170, 0, 348, kMeterZoneBody, kSpriteHoverClick, 0, BodyZoneHandler<meterWindow>},
    {},
};

constexpr ClickZone kApuZones[] = {
    {1, 24, 239, 254, kApuZoneClose, kSpriteHoverClick, 0, CloseZoneHandler<apuWindow>},
    {0, 256, 0, 256, kApuZoneBody, kSpriteHoverClick, 0, BodyZoneHandler<apuWindow>},
    {},
};

constexpr ClickZone kCabinZones[] = {
    {1, 24, 640, 656, kCabinZoneClose, kSpriteHoverClick, 0,
     CloseZoneHandler<cabinUtilitiesWindow>},
    {0, 82, 0, 657, kCabinZoneBody, kSpriteHoverClick, 0, BodyZoneHandler<cabinUtilitiesWindow>},
    {},
};

constexpr ClickZone kAntiIceZones[] = {
    {1, 24, 239, 254, kIceZoneClose, kSpriteHoverClick, 0, CloseZoneHandler<antiIceWindow>},
    {0, 256, 0, 256, kIceZoneBody, kSpriteHoverClick, 0, BodyZoneHandler<antiIceWindow>},
    {},
};

constexpr ClickZone kFuelZones[] = {
    {1, 24, 239, 254, kFuelZoneClose, kSpriteHoverClick, 0, CloseZoneHandler<fuelWindow>},
    {0, 170, 0, 256, kFuelZoneBody, kSpriteHoverClick, 0, BodyZoneHandler<fuelWindow>},
    {},
};

}  // namespace

PopupWindow meterWindow =
    MakePopupWindow(kMeterSheet, kWindowMeter, kMeterZones, nullptr, nullptr, true);
PopupWindow apuWindow = MakePopupWindow(kApuSheet, kWindowApu, kApuZones, nullptr, nullptr, true);
PopupWindow cabinUtilitiesWindow = MakePopupWindow(kCabinUtilitiesSheet, kWindowCabinUtilities,
                                                   kCabinZones, nullptr, nullptr, true);
PopupWindow antiIceWindow =
    MakePopupWindow(kAntiIceSheet, kWindowAntiIce, kAntiIceZones, nullptr, nullptr, true);
PopupWindow fuelWindow =
    MakePopupWindow(kFuelSheet, kWindowFuel, kFuelZones, nullptr, nullptr, true);

void ResetMeterWindow(bool) {}

}  // namespace quil
