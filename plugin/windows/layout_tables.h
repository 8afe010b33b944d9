// Where each popup window's controls and lamps sit, in window pixels, read
// by the window's click zones and drawing and by the artwork generator.
// Controls or lamps of one kind (the pumps, the window heat switches)
// follow each other in the order their model numbers them.
#pragma once

#include "windows/window_layout.h"

namespace quil {

// ---- AC/DC meter panel --------------------------------------------------------

enum MeterControl : int {
    kMeterClose,
    kMeterBattery,       // guarded; lower part ON, middle the switch, upper the guard
    kMeterStandbyPower,  // guarded; left the guard, then towards BAT, towards AUTO
    kMeterDrive,         // generator drives 1 and 2, guarded like the battery
    kMeterDcSelector = kMeterDrive + 2,  // turned about its centre, cut in quadrants
    kMeterAcSelector,
    kMeterTwoPosition,
    kMeterControlCount
};

constexpr ControlLayout kMeterLayout[kMeterControlCount] = {
    {{1, 332, 28, 348}, {}, {}, ControlMount::CloseButton, {1, 332, 28, 346}},
    {{19, 130, 49, 183}, {147, 162}, {18, 140}, ControlMount::Plate, {21, 132, 47, 181}},
    {{50, 59, 114, 89}, {77, 96}, {66, 58}, ControlMount::Plate, {64, 62, 100, 86}},
    {{20, 24, 48, 85}, {39, 57}, {18, 38}, ControlMount::Plate, {22, 26, 46, 83}},
    {{123, 24, 151, 85}, {39, 57}, {121, 38}, ControlMount::Plate, {125, 26, 149, 83}},
    {{13, 180, 64, 223}, {39, 202}, {38.5f, 201.5f}, ControlMount::KnobScale, kSameAsZone},
    {{93, 180, 144, 223}, {119, 202}, {118.5f, 201.5f}, ControlMount::KnobScale, kSameAsZone},
    {{91, 143, 113, 167}, {156}, {92, 142}, ControlMount::Plate, {92, 144, 112, 166}},
};

enum MeterLamp : int {
    kMeterBatteryDischargeLamp,
    kMeterTrUnitLamp,
    kMeterElecLamp,
    kMeterStandbyPowerOffLamp,
    kMeterDriveLamp,  // generator drives 1 and 2 under one lens
    kMeterLampCount
};

constexpr LampLayout kMeterLamps[kMeterLampCount] = {
    {{8, 250, 50, 264}, "BAT DISCH"},
    {{8, 236, 50, 248}, "TR UNIT"},
    {{120, 146, 160, 160}, "ELEC"},
    {{58, 104, 110, 116}, "STBY PWR OFF"},
    {{56, 24, 114, 38}, "DRIVE", 2},
};

// ---- APU and generator panel ------------------------------------------------

enum ApuControl : int {
    kApuClose,
    kApuSwitch,  // lower part towards START, upper towards OFF
    kApuBusTransfer,  // guarded; left the guard, then the switch, then AUTO
    kApuExternalPower,
    kApuGenerator1,
    kApuApuGenerator1,
    kApuApuGenerator2,
    kApuGenerator2,
    kApuStartSwitch,  // engine 1's; cut in quadrants
    kApuControlCount
};

constexpr ControlLayout kApuLayout[kApuControlCount] = {
    {{1, 239, 24, 254}, {}, {}, ControlMount::CloseButton, kSameAsZone},
    {{81, 12, 115, 56}, {34}, {80, 16}, ControlMount::KnobScale, {80, 10, 116, 58}},
    {{57, 156, 113, 178}, {85, 100}, {69, 149}, ControlMount::None, {}},
    {{70, 190, 100, 224}, {208}, {75, 194}, ControlMount::Plate, {74, 192, 96, 222}},
    {{14, 101, 44, 132}, {117}, {19, 104}, ControlMount::Plate, {16, 103, 42, 130}},
    {{46, 101, 76, 132}, {117}, {51, 104}, ControlMount::Plate, {48, 103, 74, 130}},
    {{94, 101, 124, 132}, {117}, {99, 104}, ControlMount::Plate, {96, 103, 122, 130}},
    {{126, 101, 156, 132}, {117}, {131, 104}, ControlMount::Plate, {128, 103, 154, 130}},
    {{113, 5, 156, 59}, {135, 32}, {117, 14}, ControlMount::KnobScale, {114, 4, 156, 60}},
};

enum ApuLamp : int {
    kApuGroundPowerLamp,  // a click on it brings the ground power unit
    kApuTransferBusOffLamp,  // sides 1 and 2
    kApuSourceOffLamp = kApuTransferBusOffLamp + 2,  // sides 1 and 2 under one lens
    kApuLowOilLamp,
    kApuFaultLamp,
    kApuLampCount
};

constexpr LampLayout kApuLamps[kApuLampCount] = {
    {{69, 236, 100, 250}, "GRD PWR"},
    {{6, 140, 50, 152}, "XFR BUS OFF"},
    {{120, 140, 164, 152}, "XFR BUS OFF"},
    {{63, 140, 107, 152}, "SOURCE OFF", 2},
    {{6, 70, 40, 82}, "LOW OIL"},
    {{42, 70, 76, 82}, "FAULT"},
};

// ---- Cabin utilities strip ----------------------------------------------------

enum CabinControl : int {
    kCabinClose,
    kCabinStartSwitch,  // engine 2's; cut in quadrants
    kCabinExitLights,   // guarded; lower part down, middle up, upper the guard
    kCabinWiper,        // left and right
    kCabinSupplySwitch = kCabinWiper + 2,  // cabin and entertainment supplies
    kCabinControlCount = kCabinSupplySwitch + 2
};

constexpr ControlLayout kCabinLayout[kCabinControlCount] = {
    {{1, 640, 24, 656}, {}, {}, ControlMount::CloseButton, {1, 640, 24, 655}},
    {{22, 5, 65, 59}, {44, 32}, {26, 14}, ControlMount::KnobScale, {21, 3, 66, 61}},
    {{25, 229, 60, 294}, {248, 267}, {26, 246}, ControlMount::None, {}},
    {{12, 176, 30, 215}, {196}, {11, 176}, ControlMount::Plate, {12, 178, 30, 213}},
    {{54, 176, 72, 215}, {196}, {53, 176}, ControlMount::Plate, {54, 178, 72, 213}},
    {{9, 328, 27, 368}, {349}, {8, 335}, ControlMount::Plate, {10, 330, 26, 366}},
    {{54, 328, 72, 368}, {349}, {53, 335}, ControlMount::Plate, {55, 330, 71, 366}},
};

// ---- Anti-ice panel -------------------------------------------------------------

// The levers are ON down: the lower part of each zone.
enum AntiIceControl : int {
    kIceClose,
    kIceWindowHeat,  // by channel, left to right
    kIceTestSwitch = kIceWindowHeat + 4,  // lower part power test, upper overheat
    kIceProbeHeat,                        // A and B
    kIceWing = kIceProbeHeat + 2,
    kIceEngine,  // engines 1 and 2
    kIceControlCount = kIceEngine + 2
};

constexpr ControlLayout kAntiIceLayout[kIceControlCount] = {
    {{1, 239, 24, 254}, {}, {}, ControlMount::CloseButton, kSameAsZone},
    {{9, 174, 28, 204}, {189}, {10, 177}, ControlMount::Plate, {10, 175, 27, 203}},
    {{41, 174, 60, 204}, {189}, {42, 177}, ControlMount::Plate, {42, 175, 59, 203}},
    {{107, 174, 126, 204}, {189}, {108, 177}, ControlMount::Plate, {108, 175, 125, 203}},
    {{137, 174, 156, 204}, {189}, {140, 177}, ControlMount::Plate, {140, 175, 157, 203}},
    {{74, 181, 93, 207}, {194}, {76, 181}, ControlMount::Plate, {75, 182, 92, 206}},
    {{57, 133, 77, 161}, {148}, {59, 135}, ControlMount::Plate, {58, 134, 76, 160}},
    {{91, 133, 111, 161}, {148}, {91, 135}, ControlMount::Plate, {92, 134, 110, 160}},
    {{38, 11, 60, 42}, {27}, {40, 13}, ControlMount::Plate, {39, 12, 59, 41}},
    {{84, 6, 106, 35}, {21}, {87, 8}, ControlMount::Plate, {85, 7, 105, 34}},
    {{120, 6, 142, 35}, {21}, {122, 8}, ControlMount::Plate, {121, 7, 141, 34}},
};

// ---- Fuel panel and its two auxiliary strips ------------------------------------

// The pump switches are ON down: the lower part of each zone.
enum FuelControl : int {
    kFuelClose,
    kFuelPump,  // by pump: left aft and forward, centre left and right, right forward and aft
    kFuelCrossfeed = kFuelPump + 6,
    kFuelControlCount
};

constexpr ControlLayout kFuelLayout[kFuelControlCount] = {
    {{1, 239, 24, 254}, {}, {}, ControlMount::CloseButton, kSameAsZone},
    {{19, 24, 37, 65}, {45}, {18, 32}, ControlMount::Plate, {20, 26, 36, 63}},
    {{52, 24, 70, 65}, {45}, {51, 32}, ControlMount::Plate, {53, 26, 69, 63}},
    {{57, 78, 75, 118}, {99}, {56, 86}, ControlMount::Plate, {58, 80, 74, 116}},
    {{94, 78, 112, 118}, {99}, {93, 86}, ControlMount::Plate, {95, 80, 111, 116}},
    {{101, 24, 119, 65}, {45}, {100, 32}, ControlMount::Plate, {102, 26, 118, 63}},
    {{135, 24, 153, 65}, {45}, {134, 32}, ControlMount::Plate, {136, 26, 152, 63}},
    {{67, 138, 102, 171}, {}, {67, 137}, ControlMount::KnobScale, {66, 136, 103, 173}},
};

enum FuelLamp : int {
    kFuelCrossfeedLamp,
    kFuelLowPressureLamp,  // the left pumps' and the right pumps'
    kFuelLampCount = kFuelLowPressureLamp + 2
};

constexpr LampLayout kFuelLamps[kFuelLampCount] = {
    {{60, 190, 110, 202}, "VALVE OPEN"},
    {{8, 90, 50, 102}, "LOW PRESS"},
    {{120, 90, 162, 102}, "LOW PRESS"},
};

enum FuelBleedStripControl : int {
    kBleedStripClose,
    kBleedStripSwitch,  // forward and aft; ON down
    kBleedStripAuxMode = kBleedStripSwitch + 2,  // OFF, ground transfer, ON from the bottom
    kBleedStripControlCount
};

constexpr ControlLayout kFuelBleedStripLayout[kBleedStripControlCount] = {
    {{1, 31, 19, 56}, {}, {}, ControlMount::CloseButton, kSameAsZone},
    {{19, 10, 39, 51}, {31}, {19, 18}, ControlMount::Plate, {20, 10, 38, 51}},
    {{57, 10, 79, 51}, {31}, {58, 18}, ControlMount::Plate, {58, 10, 78, 51}},
    {{112, 0, 140, 51}, {12, 31}, {111, 10}, ControlMount::KnobScale, {110, 0, 142, 51}},
};

enum FuelTransferStripControl : int {
    kTransferStripClose,
    kTransferStripSwitch,  // the four transfer switches; ON down
    kTransferStripControlCount = kTransferStripSwitch + 4
};

constexpr ControlLayout kFuelTransferStripLayout[kTransferStripControlCount] = {
    {{1, 25, 18, 51}, {}, {}, ControlMount::CloseButton, {1, 25, 18, 50}},
    {{19, 2, 40, 45}, {25}, {20, 11}, ControlMount::Plate, {20, 3, 39, 44}},
    {{57, 2, 78, 45}, {25}, {58, 11}, ControlMount::Plate, {58, 3, 77, 44}},
    {{93, 2, 114, 45}, {25}, {94, 11}, ControlMount::Plate, {94, 3, 113, 44}},
    {{130, 2, 152, 45}, {25}, {131, 11}, ControlMount::Plate, {131, 3, 151, 44}},
};

// ---- Auxiliary fuel control panel -----------------------------------------------

// The keys show through openings in the frame.
enum AuxFuelControl : int {
    kAfcpClose,
    kAfcpTestKey,
    kAfcpListAKey,
    kAfcpListBKey,
    kAfcpControlCount
};

constexpr ControlLayout kAuxFuelLayout[kAfcpControlCount] = {
    {{1, 119, 12, 142}, {}, {}, ControlMount::CloseButton, kSameAsZone},
    {{13, 119, 31, 142}, {}, {}, ControlMount::Opening, kSameAsZone},
    {{41, 71, 63, 95}, {}, {41, 73}, ControlMount::Opening, {41, 73, 62, 94}},
    {{41, 39, 63, 62}, {}, {41, 41}, ControlMount::Opening, {41, 41, 62, 62}},
};

// ---- Clock ------------------------------------------------------------------------

enum ClockControl : int {
    kClockClose,
    kClockChronographButton,
    kClockModeButton,
    kClockSetButton,
    kClockResetButton,
    kClockElapsedTimeButton,
    kClockSlewForwardButton,
    kClockSlewBackButton,
    kClockControlCount
};

constexpr ControlLayout kClockLayout[kClockControlCount] = {
    {{1, 104, 13, 117}, {}, {}, ControlMount::CloseButton, kSameAsZone},
    {{7, 95, 23, 111}, {}, {}, ControlMount::Plate, kSameAsZone},
    {{89, 104, 103, 117}, {}, {}, ControlMount::Plate, kSameAsZone},
    {{103, 89, 115, 104}, {}, {}, ControlMount::Plate, kSameAsZone},
    {{14, 3, 27, 18}, {}, {}, ControlMount::Plate, kSameAsZone},
    {{1, 16, 14, 30}, {}, {}, ControlMount::Plate, kSameAsZone},
    {{89, 3, 103, 17}, {}, {}, ControlMount::Plate, kSameAsZone},
    {{103, 16, 115, 30}, {}, {}, ControlMount::Plate, kSameAsZone},
};

// ---- Fuel station and its aux window ----------------------------------------------

enum FuelStationControl : int {
    kStationClose,
    kStationTestSwitch,  // lower part the other position, upper TEST
    kStationValveSwitch,  // by channel; lower part closed, upper open
    kStationControlCount = kStationValveSwitch + 3
};

constexpr ControlLayout kFuelStationLayout[kStationControlCount] = {
    {{1, 130, 24, 147}, {}, {}, ControlMount::CloseButton, {1, 130, 24, 146}},
    {{14, 68, 35, 107}, {88}, {15, 75}, ControlMount::Plate, {15, 70, 34, 105}},
    {{77, 86, 98, 125}, {106}, {78, 93}, ControlMount::Plate, {78, 88, 97, 123}},
    {{142, 86, 164, 125}, {106}, {143, 93}, ControlMount::Plate, {143, 88, 163, 123}},
    {{210, 86, 232, 125}, {106}, {211, 93}, ControlMount::Plate, {211, 88, 231, 123}},
};

enum FuelStationAuxControl : int {
    kStationAuxSelect,  // lower part the aux tanks, upper the mains
    kStationAuxControlCount
};

constexpr ControlLayout kFuelStationAuxLayout[kStationAuxControlCount] = {
    {{93, 24, 113, 71}, {48}, {93, 35}, ControlMount::Plate, {94, 25, 112, 70}},
};

}  // namespace quil
