// The overhead popup windows: the AC/DC meter panel, the APU and generator
// panel, the cabin utilities strip, the anti-ice panel and the fuel panel
// with its two auxiliary fuel strips; and the switch states that the
// windows hold themselves.
#pragma once

#include "render/primitives.h"
#include "windows/popup_window.h"

namespace quil {

extern PopupWindow meterWindow;
extern PopupWindow apuWindow;
extern PopupWindow cabinUtilitiesWindow;
extern PopupWindow antiIceWindow;
extern PopupWindow fuelWindow;
extern PopupWindow fuelAuxBleedWindow;     // bleed switches and the aux mode
extern PopupWindow fuelAuxTransferWindow;  // the four aux transfer switches

// ---- Meter panel -----------------------------------------------------------

// Battery switch and its guard.
constexpr int kBatteryGuardClosed = 0;  // switch ON
constexpr int kBatteryOffState = 1;
constexpr int kBatteryGuardOpen = 2;  // switch ON
// Standby power switch and its guard.
constexpr int kStandbyGuardClosed = 0;  // AUTO
constexpr int kStandbyGuardOpen = 1;    // AUTO
constexpr int kStandbyOffState = 2;
constexpr int kStandbyBatState = 3;
// Generator drive disconnect switches and their guards.
constexpr int kDriveGuardClosed = 0;
constexpr int kDriveDisconnected = 1;
constexpr int kDriveGuardOpen = 2;

constexpr int kDcMeterPositions = 8;
constexpr int kAcMeterPositions = 7;

// The model reset's step for the meter window: cold, the battery switch
// goes off and standby power to OFF; otherwise both on, guards closed.
void ResetMeterWindow(bool cold);
int BatteryGuardState();
int StandbyPowerState();
int DriveDisconnectState(int side);
int DcMeterSelector();
int AcMeterSelector();
int MeterTwoPositionSwitch();

// ---- APU and generator panel -----------------------------------------------

constexpr int kBusTransferGuardClosed = 0;  // AUTO
constexpr int kBusTransferOffState = 1;
constexpr int kBusTransferGuardOpen = 2;  // AUTO
int BusTransferState();

// ---- Cabin utilities strip -------------------------------------------------

// The emergency exit lights selector: guarded at ARMED, OFF above, ON below.
constexpr int kExitLightsGuardClosed = 0;
constexpr int kExitLightsOff = 1;
constexpr int kExitLightsArmed = 2;  // guard open
constexpr int kExitLightsOn = 3;

// ---- Shared drawing --------------------------------------------------------

// A lamp of an overhead window, at window pixels from its lower-left
// corner (left, bottom): lit in its colour, drawn without the cockpit
// lighting, or off in dark grey under it.
void DrawWindowLamp(int left, int bottom, const PixelRect& lamp, const float* litColour, bool lit);
// The same for lamp n under a lens of the window's layout.
void DrawWindowLamp(int left, int bottom, const LampLayout& lens, int n, const float* litColour,
                    bool lit);

}  // namespace quil
