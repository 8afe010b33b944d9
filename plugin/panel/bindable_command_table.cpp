// The commands, one row each, in the order the README lists them: the MCP,
// the overhead windows' switches and guards, the windows themselves. A
// window's control is named by the part of its layout row that a click
// takes, so the command lands in the click's own zone.
#include "autoflight/modes.h"
#include "panel/bindable_commands.h"
#include "systems/anti_ice.h"
#include "systems/electrical.h"
#include "systems/fuel.h"
#include "windows/aux_fuel_window.h"
#include "windows/clock_window.h"
#include "windows/fuel_request_dialog.h"
#include "windows/fuel_station_window.h"
#include "windows/layout_tables.h"
#include "windows/overhead.h"
#include "windows/popup_window.h"
#include "windows/popups.h"

namespace quil {
namespace {

// A control of the panel or the MCP, with the simulator's command that
// stands for it, if any.
constexpr CommandRow mcp(const char* name, const char* description, ClickAction action,
                         const char* simulator, int argument = 0) {
    return {name, description, simulator, action, argument, nullptr, {}};
}

constexpr CommandRow act(const char* name, const char* description, ClickAction action,
                         int argument = 0) {
    return mcp(name, description, action, nullptr, argument);
}

// A control of a popup window.
constexpr CommandRow press(const char* name, const char* description, PopupWindow& window,
                           const WindowBox& part) {
    return {name, description, nullptr, nullptr, 0, &window, part};
}

template <PopupWindow& window>
void toggleWindow(int, int, int status, int) {
    if (isPress(status)) ToggleWindowAlone(window);
}

// A knob command steps by one, as the inner half of its wheel does: each
// press, and at the wheel's pace while held.
constexpr int kOneStep = 1;

constexpr const ControlLayout& kBattery = kMeterLayout[kMeterBattery];
constexpr const ControlLayout& kStandby = kMeterLayout[kMeterStandbyPower];
constexpr const ControlLayout* kDrive = &kMeterLayout[kMeterDrive];
constexpr const ControlLayout& kDcSelector = kMeterLayout[kMeterDcSelector];
constexpr const ControlLayout& kAcSelector = kMeterLayout[kMeterAcSelector];
constexpr const ControlLayout& kApuSelector = kApuLayout[kApuSwitch];
constexpr const ControlLayout& kBusTransfer = kApuLayout[kApuBusTransfer];
constexpr const ControlLayout& kExternalPower = kApuLayout[kApuExternalPower];
constexpr const ControlLayout& kStart1 = kApuLayout[kApuStartSwitch];
constexpr const ControlLayout& kStart2 = kCabinLayout[kCabinStartSwitch];
constexpr const ControlLayout* kWiper = &kCabinLayout[kCabinWiper];
constexpr const ControlLayout* kSupply = &kCabinLayout[kCabinSupplySwitch];
constexpr const ControlLayout& kExitLights = kCabinLayout[kCabinExitLights];
constexpr const ControlLayout* kWindowHeat = &kAntiIceLayout[kIceWindowHeat];
constexpr const ControlLayout& kHeatTest = kAntiIceLayout[kIceTestSwitch];
constexpr const ControlLayout* kProbeHeat = &kAntiIceLayout[kIceProbeHeat];
constexpr const ControlLayout& kWing = kAntiIceLayout[kIceWing];
constexpr const ControlLayout* kEngineAntiIce = &kAntiIceLayout[kIceEngine];
constexpr const ControlLayout* kPump = &kFuelLayout[kFuelPump];
constexpr const ControlLayout* kBleed = &kFuelBleedStripLayout[kBleedStripSwitch];
constexpr const ControlLayout& kAuxMode = kFuelBleedStripLayout[kBleedStripAuxMode];
constexpr const ControlLayout* kTransfer = &kFuelTransferStripLayout[kTransferStripSwitch];
constexpr const ControlLayout& kStationTest = kFuelStationLayout[kStationTestSwitch];
constexpr const ControlLayout* kStationValve = &kFuelStationLayout[kStationValveSwitch];
constexpr const ControlLayout& kAuxSelectSwitch = kFuelStationAuxLayout[kStationAuxSelect];

constexpr const WindowBox& clockButton(int control) { return kClockLayout[control].zone; }

// Switches that are ON with the lever down: part 0 of the rows on, 1 off.
constexpr WindowBox onPart(const ControlLayout& control) { return RowPart(control, 0); }
constexpr WindowBox offPart(const ControlLayout& control) { return RowPart(control, 1); }

constexpr CommandRow kRows[] = {
    // ---- Mode control panel ----
    mcp("quil/mcp/at_arm_toggle", "MCP A/T ARM switch: arm or disarm the autothrottle",
        mcpButton<mcpAtArm>, "sim/autopilot/autothrottle_toggle"),
    mcp("quil/mcp/at_arm_on", "MCP A/T ARM switch: arm the autothrottle",
        mcpButton<mcpAtArm, kMcpOn>, "sim/autopilot/autothrottle_on"),
    mcp("quil/mcp/at_arm_off", "MCP A/T ARM switch: disarm the autothrottle",
        mcpButton<mcpAtArm, kMcpOff>, "sim/autopilot/autothrottle_off"),
    act("quil/mcp/n1", "MCP N1 button", mcpButton<mcpN1>),
    act("quil/mcp/speed", "MCP SPEED button", mcpButton<mcpSpeed>),
    mcp("quil/mcp/speed_changeover", "MCP IAS/MACH changeover", onPress<McpSpeedChangeover>,
        "sim/autopilot/knots_mach_toggle"),
    mcp("quil/mcp/lvl_chg", "MCP LVL CHG button", mcpButton<mcpLvlChg>,
        "sim/autopilot/level_change"),
    mcp("quil/mcp/vnav", "MCP VNAV button", mcpButton<mcpVnav>, "sim/autopilot/vnav"),
    mcp("quil/mcp/hdg_sel", "MCP HDG SEL button", mcpButton<mcpHdgSel>, "sim/autopilot/heading"),
    mcp("quil/mcp/lnav", "MCP LNAV button", mcpButton<mcpLnav>, "sim/autopilot/FMS"),
    mcp("quil/mcp/vor_loc", "MCP VOR/LOC button", mcpButton<mcpVorLoc>, "sim/autopilot/NAV"),
    mcp("quil/mcp/app", "MCP APP button", mcpButton<mcpApp>, "sim/autopilot/approach"),
    mcp("quil/mcp/alt_hold", "MCP ALT HLD button", altHoldButton, "sim/autopilot/altitude_hold"),
    mcp("quil/mcp/vs", "MCP V/S button", mcpButton<mcpVs>, "sim/autopilot/vertical_speed"),
    mcp("quil/mcp/flight_director", "MCP flight director switch",
        onPress<FlightDirectorSwitchToggle>, "sim/autopilot/fdir_toggle"),
    // TO/GA engages N1: take-off thrust on the ground, go-around thrust in
    // the air. The pitch and roll modes have no TO/GA of their own.
    mcp("quil/mcp/toga", "TO/GA switch: autothrottle N1 (with A/T armed)",
        mcpButton<mcpN1, kMcpOn>, "sim/autopilot/take_off_go_around"),
    mcp("quil/mcp/speed_up", "MCP speed knob: up", knobCommand<kSpeedWheel, McpSpeedUp>,
        "sim/autopilot/airspeed_up", kOneStep),
    mcp("quil/mcp/speed_down", "MCP speed knob: down", knobCommand<kSpeedWheel, McpSpeedDown>,
        "sim/autopilot/airspeed_down", kOneStep),
    mcp("quil/mcp/heading_up", "MCP heading knob: right", knobCommand<kHeadingWheel, McpHdgUp>,
        "sim/autopilot/heading_up", kOneStep),
    mcp("quil/mcp/heading_down", "MCP heading knob: left",
        knobCommand<kHeadingWheel, McpHdgDown>, "sim/autopilot/heading_down", kOneStep),
    mcp("quil/mcp/altitude_up", "MCP altitude knob: up", knobCommand<kAltitudeWheel, McpAltUp>,
        "sim/autopilot/altitude_up", kOneStep),
    mcp("quil/mcp/altitude_down", "MCP altitude knob: down",
        knobCommand<kAltitudeWheel, McpAltDown>, "sim/autopilot/altitude_down", kOneStep),
    mcp("quil/mcp/vertical_speed_up", "MCP vertical speed wheel: up",
        knobCommand<kVsWheel, McpVsUp>, "sim/autopilot/vertical_speed_up", kOneStep),
    mcp("quil/mcp/vertical_speed_down", "MCP vertical speed wheel: down",
        knobCommand<kVsWheel, McpVsDown>, "sim/autopilot/vertical_speed_down", kOneStep),

    // ---- Electrical: battery, standby power, generator drives, meters ----
    press("quil/electrical/battery_guard", "Battery switch guard: open, or close (the switch ON)",
          meterWindow, RowPart(kBattery, 2)),
    press("quil/electrical/battery_switch", "Battery switch: OFF (its guard opened first)",
          meterWindow, RowPart(kBattery, 1)),
    press("quil/electrical/battery_on", "Battery switch: ON", meterWindow, RowPart(kBattery, 0)),
    press("quil/electrical/standby_power_guard", "Standby power switch guard: open or close",
          meterWindow, ColumnPart(kStandby, 0)),
    press("quil/electrical/standby_power_bat", "Standby power switch: a step towards BAT",
          meterWindow, ColumnPart(kStandby, 1)),
    press("quil/electrical/standby_power_auto", "Standby power switch: a step towards AUTO",
          meterWindow, ColumnPart(kStandby, 2)),
    press("quil/electrical/drive_1_guard", "Generator drive 1 disconnect guard: open or close",
          meterWindow, RowPart(kDrive[0], 2)),
    press("quil/electrical/drive_1_disconnect",
          "Generator drive 1 disconnect switch (its guard opened first)",
          meterWindow, RowPart(kDrive[0], 1)),
    press("quil/electrical/drive_2_guard", "Generator drive 2 disconnect guard: open or close",
          meterWindow, RowPart(kDrive[1], 2)),
    press("quil/electrical/drive_2_disconnect",
          "Generator drive 2 disconnect switch (its guard opened first)",
          meterWindow, RowPart(kDrive[1], 1)),
    press("quil/electrical/dc_meter_left", "DC meter selector: a step left", meterWindow,
          QuadrantPart(kDcSelector, kLowerLeft)),
    press("quil/electrical/dc_meter_right", "DC meter selector: a step right", meterWindow,
          QuadrantPart(kDcSelector, kLowerRight)),
    press("quil/electrical/ac_meter_left", "AC meter selector: a step left", meterWindow,
          QuadrantPart(kAcSelector, kLowerLeft)),
    press("quil/electrical/ac_meter_right", "AC meter selector: a step right", meterWindow,
          QuadrantPart(kAcSelector, kLowerRight)),
    press("quil/electrical/meter_switch_down", "Meter panel two-position switch: down",
          meterWindow, RowPart(kMeterLayout[kMeterTwoPosition], 0)),
    press("quil/electrical/meter_switch_up", "Meter panel two-position switch: up",
          meterWindow, RowPart(kMeterLayout[kMeterTwoPosition], 1)),

    // ---- APU, ground power, generators, bus transfer ----
    press("quil/apu/switch_start", "APU switch: a step towards START (held: START)", apuWindow,
          RowPart(kApuSelector, 0)),
    press("quil/apu/switch_off", "APU switch: a step towards OFF", apuWindow,
          RowPart(kApuSelector, 1)),
    press("quil/electrical/ground_power_request", "Ask for the ground power unit, or send it away",
          apuWindow, kApuLamps[kApuGroundPowerLamp].lens),
    press("quil/electrical/ground_power_on", "Ground power switch: ON (spring-loaded)", apuWindow,
          RowPart(kExternalPower, 0)),
    press("quil/electrical/ground_power_off", "Ground power switch: OFF (spring-loaded)",
          apuWindow, RowPart(kExternalPower, 1)),
    press("quil/electrical/generator_1_on", "Generator 1 switch: ON (spring-loaded)", apuWindow,
          onPart(kApuLayout[kApuGenerator1])),
    press("quil/electrical/generator_1_off", "Generator 1 switch: OFF (spring-loaded)",
          apuWindow, offPart(kApuLayout[kApuGenerator1])),
    press("quil/electrical/apu_generator_1_on", "APU generator switch, bus 1: ON", apuWindow,
          onPart(kApuLayout[kApuApuGenerator1])),
    press("quil/electrical/apu_generator_1_off", "APU generator switch, bus 1: OFF", apuWindow,
          offPart(kApuLayout[kApuApuGenerator1])),
    press("quil/electrical/apu_generator_2_on", "APU generator switch, bus 2: ON", apuWindow,
          onPart(kApuLayout[kApuApuGenerator2])),
    press("quil/electrical/apu_generator_2_off", "APU generator switch, bus 2: OFF", apuWindow,
          offPart(kApuLayout[kApuApuGenerator2])),
    press("quil/electrical/generator_2_on", "Generator 2 switch: ON (spring-loaded)", apuWindow,
          onPart(kApuLayout[kApuGenerator2])),
    press("quil/electrical/generator_2_off", "Generator 2 switch: OFF (spring-loaded)",
          apuWindow, offPart(kApuLayout[kApuGenerator2])),
    press("quil/electrical/bus_transfer_guard", "Bus transfer switch guard: open or close",
          apuWindow, ColumnPart(kBusTransfer, 0)),
    press("quil/electrical/bus_transfer_off", "Bus transfer switch: OFF (its guard opened first)",
          apuWindow, ColumnPart(kBusTransfer, 1)),
    press("quil/electrical/bus_transfer_auto", "Bus transfer switch: AUTO", apuWindow,
          ColumnPart(kBusTransfer, 2)),

    // ---- Engine start switches ----
    press("quil/engines/start_1_left", "Engine 1 start switch: a step towards GRD", apuWindow,
          QuadrantPart(kStart1, kUpperLeft)),
    press("quil/engines/start_1_right", "Engine 1 start switch: a step towards FLT", apuWindow,
          QuadrantPart(kStart1, kLowerRight)),
    press("quil/engines/start_2_left", "Engine 2 start switch: a step towards GRD",
          cabinUtilitiesWindow, QuadrantPart(kStart2, kUpperLeft)),
    press("quil/engines/start_2_right", "Engine 2 start switch: a step towards FLT",
          cabinUtilitiesWindow, QuadrantPart(kStart2, kLowerRight)),

    // ---- Cabin utilities: supplies, wipers, emergency exit lights ----
    act("quil/electrical/cabin_utility_toggle", "Cabin utility power switch",
        toggleSwitch<CabinUtilitySwitchOn, SetCabinUtilitySwitch>, kCabinSupply),
    press("quil/electrical/cabin_utility_on", "Cabin utility power switch: ON",
          cabinUtilitiesWindow, onPart(kSupply[kCabinSupply])),
    press("quil/electrical/cabin_utility_off", "Cabin utility power switch: OFF",
          cabinUtilitiesWindow, offPart(kSupply[kCabinSupply])),
    act("quil/electrical/ife_toggle", "Passenger entertainment power switch",
        toggleSwitch<CabinUtilitySwitchOn, SetCabinUtilitySwitch>, kEntertainmentSupply),
    press("quil/electrical/ife_on", "Passenger entertainment power switch: ON",
          cabinUtilitiesWindow, onPart(kSupply[kEntertainmentSupply])),
    press("quil/electrical/ife_off", "Passenger entertainment power switch: OFF",
          cabinUtilitiesWindow, offPart(kSupply[kEntertainmentSupply])),
    press("quil/wipers/left_up", "Left wiper selector: a step up", cabinUtilitiesWindow,
          RowPart(kWiper[0], 0)),
    press("quil/wipers/left_down", "Left wiper selector: a step down", cabinUtilitiesWindow,
          RowPart(kWiper[0], 1)),
    press("quil/wipers/right_up", "Right wiper selector: a step up", cabinUtilitiesWindow,
          RowPart(kWiper[1], 0)),
    press("quil/wipers/right_down", "Right wiper selector: a step down", cabinUtilitiesWindow,
          RowPart(kWiper[1], 1)),
    press("quil/lights/exit_lights_guard", "Emergency exit lights guard: open or close",
          cabinUtilitiesWindow, RowPart(kExitLights, 2)),
    press("quil/lights/exit_lights_up", "Emergency exit lights switch: a step towards OFF",
          cabinUtilitiesWindow, RowPart(kExitLights, 1)),
    press("quil/lights/exit_lights_down", "Emergency exit lights switch: a step towards ON",
          cabinUtilitiesWindow, RowPart(kExitLights, 0)),

    // ---- Window heat, probe heat, anti-ice ----
    act("quil/anti_ice/window_heat_1_toggle", "Window heat switch 1 (leftmost)",
        toggleSwitch<WindowHeatSwitch, SetWindowHeatSwitch>, 0),
    press("quil/anti_ice/window_heat_1_on", "Window heat switch 1 (leftmost): ON", antiIceWindow,
          onPart(kWindowHeat[0])),
    press("quil/anti_ice/window_heat_1_off", "Window heat switch 1 (leftmost): OFF", antiIceWindow,
          offPart(kWindowHeat[0])),
    act("quil/anti_ice/window_heat_2_toggle", "Window heat switch 2",
        toggleSwitch<WindowHeatSwitch, SetWindowHeatSwitch>, 1),
    press("quil/anti_ice/window_heat_2_on", "Window heat switch 2: ON", antiIceWindow,
          onPart(kWindowHeat[1])),
    press("quil/anti_ice/window_heat_2_off", "Window heat switch 2: OFF", antiIceWindow,
          offPart(kWindowHeat[1])),
    act("quil/anti_ice/window_heat_3_toggle", "Window heat switch 3",
        toggleSwitch<WindowHeatSwitch, SetWindowHeatSwitch>, 2),
    press("quil/anti_ice/window_heat_3_on", "Window heat switch 3: ON", antiIceWindow,
          onPart(kWindowHeat[2])),
    press("quil/anti_ice/window_heat_3_off", "Window heat switch 3: OFF", antiIceWindow,
          offPart(kWindowHeat[2])),
    act("quil/anti_ice/window_heat_4_toggle", "Window heat switch 4 (rightmost)",
        toggleSwitch<WindowHeatSwitch, SetWindowHeatSwitch>, 3),
    press("quil/anti_ice/window_heat_4_on", "Window heat switch 4 (rightmost): ON", antiIceWindow,
          onPart(kWindowHeat[3])),
    press("quil/anti_ice/window_heat_4_off", "Window heat switch 4 (rightmost): OFF", antiIceWindow,
          offPart(kWindowHeat[3])),
    press("quil/anti_ice/window_heat_power_test", "Window heat test switch: PWR TEST (held)",
          antiIceWindow, RowPart(kHeatTest, 0)),
    press("quil/anti_ice/window_heat_overheat_test", "Window heat test switch: OVHT (held)",
          antiIceWindow, RowPart(kHeatTest, 1)),
    act("quil/anti_ice/probe_heat_a_toggle", "Probe heat A switch",
        toggleSwitch<ProbeHeatSwitch, SetProbeHeatSwitch>, 0),
    press("quil/anti_ice/probe_heat_a_on", "Probe heat A switch: ON", antiIceWindow,
          onPart(kProbeHeat[0])),
    press("quil/anti_ice/probe_heat_a_off", "Probe heat A switch: OFF", antiIceWindow,
          offPart(kProbeHeat[0])),
    act("quil/anti_ice/probe_heat_b_toggle", "Probe heat B switch",
        toggleSwitch<ProbeHeatSwitch, SetProbeHeatSwitch>, 1),
    press("quil/anti_ice/probe_heat_b_on", "Probe heat B switch: ON", antiIceWindow,
          onPart(kProbeHeat[1])),
    press("quil/anti_ice/probe_heat_b_off", "Probe heat B switch: OFF", antiIceWindow,
          offPart(kProbeHeat[1])),
    act("quil/anti_ice/wing_toggle", "Wing anti-ice switch",
        toggleSwitch<singleSwitchOn<WingAntiIceSwitch>, singleSwitch<SetWingAntiIceSwitch>>),
    press("quil/anti_ice/wing_on", "Wing anti-ice switch: ON", antiIceWindow, onPart(kWing)),
    press("quil/anti_ice/wing_off", "Wing anti-ice switch: OFF", antiIceWindow, offPart(kWing)),
    act("quil/anti_ice/engine_1_toggle", "Engine 1 anti-ice switch",
        toggleSwitch<EngineAntiIceSwitch, SetEngineAntiIceSwitch>, 0),
    press("quil/anti_ice/engine_1_on", "Engine 1 anti-ice switch: ON", antiIceWindow,
          onPart(kEngineAntiIce[0])),
    press("quil/anti_ice/engine_1_off", "Engine 1 anti-ice switch: OFF", antiIceWindow,
          offPart(kEngineAntiIce[0])),
    act("quil/anti_ice/engine_2_toggle", "Engine 2 anti-ice switch",
        toggleSwitch<EngineAntiIceSwitch, SetEngineAntiIceSwitch>, 1),
    press("quil/anti_ice/engine_2_on", "Engine 2 anti-ice switch: ON", antiIceWindow,
          onPart(kEngineAntiIce[1])),
    press("quil/anti_ice/engine_2_off", "Engine 2 anti-ice switch: OFF", antiIceWindow,
          offPart(kEngineAntiIce[1])),

    // ---- Fuel pumps and crossfeed; the aux tanks' strips ----
    act("quil/fuel/pump_left_aft_toggle", "Fuel pump L AFT switch",
        toggleSwitch<FuelPumpSwitch, SetFuelPumpSwitch>, 0),
    press("quil/fuel/pump_left_aft_on", "Fuel pump L AFT switch: ON", fuelWindow, onPart(kPump[0])),
    press("quil/fuel/pump_left_aft_off", "Fuel pump L AFT switch: OFF", fuelWindow,
          offPart(kPump[0])),
    act("quil/fuel/pump_left_fwd_toggle", "Fuel pump L FWD switch",
        toggleSwitch<FuelPumpSwitch, SetFuelPumpSwitch>, 1),
    press("quil/fuel/pump_left_fwd_on", "Fuel pump L FWD switch: ON", fuelWindow, onPart(kPump[1])),
    press("quil/fuel/pump_left_fwd_off", "Fuel pump L FWD switch: OFF", fuelWindow,
          offPart(kPump[1])),
    act("quil/fuel/pump_center_left_toggle", "Fuel pump CTR L switch",
        toggleSwitch<FuelPumpSwitch, SetFuelPumpSwitch>, 2),
    press("quil/fuel/pump_center_left_on", "Fuel pump CTR L switch: ON", fuelWindow,
          onPart(kPump[2])),
    press("quil/fuel/pump_center_left_off", "Fuel pump CTR L switch: OFF", fuelWindow,
          offPart(kPump[2])),
    act("quil/fuel/pump_center_right_toggle", "Fuel pump CTR R switch",
        toggleSwitch<FuelPumpSwitch, SetFuelPumpSwitch>, 3),
    press("quil/fuel/pump_center_right_on", "Fuel pump CTR R switch: ON", fuelWindow,
          onPart(kPump[3])),
    press("quil/fuel/pump_center_right_off", "Fuel pump CTR R switch: OFF", fuelWindow,
          offPart(kPump[3])),
    act("quil/fuel/pump_right_fwd_toggle", "Fuel pump R FWD switch",
        toggleSwitch<FuelPumpSwitch, SetFuelPumpSwitch>, 4),
    press("quil/fuel/pump_right_fwd_on", "Fuel pump R FWD switch: ON", fuelWindow,
          onPart(kPump[4])),
    press("quil/fuel/pump_right_fwd_off", "Fuel pump R FWD switch: OFF", fuelWindow,
          offPart(kPump[4])),
    act("quil/fuel/pump_right_aft_toggle", "Fuel pump R AFT switch",
        toggleSwitch<FuelPumpSwitch, SetFuelPumpSwitch>, 5),
    press("quil/fuel/pump_right_aft_on", "Fuel pump R AFT switch: ON", fuelWindow,
          onPart(kPump[5])),
    press("quil/fuel/pump_right_aft_off", "Fuel pump R AFT switch: OFF", fuelWindow,
          offPart(kPump[5])),
    press("quil/fuel/crossfeed_toggle", "Crossfeed selector: open or close", fuelWindow,
          kFuelLayout[kFuelCrossfeed].zone),
    press("quil/fuel/aux_bleed_fwd_on", "Aux tank bleed FWD switch: ON", fuelAuxBleedWindow,
          onPart(kBleed[kAuxBleedForward])),
    press("quil/fuel/aux_bleed_fwd_off", "Aux tank bleed FWD switch: OFF", fuelAuxBleedWindow,
          offPart(kBleed[kAuxBleedForward])),
    press("quil/fuel/aux_bleed_aft_on", "Aux tank bleed AFT switch: ON", fuelAuxBleedWindow,
          onPart(kBleed[kAuxBleedAft])),
    press("quil/fuel/aux_bleed_aft_off", "Aux tank bleed AFT switch: OFF", fuelAuxBleedWindow,
          offPart(kBleed[kAuxBleedAft])),
    press("quil/fuel/aux_mode_off", "Aux tank mode selector: OFF", fuelAuxBleedWindow,
          RowPart(kAuxMode, 0)),
    press("quil/fuel/aux_mode_ground_transfer", "Aux tank mode selector: GND XFR",
          fuelAuxBleedWindow, RowPart(kAuxMode, 1)),
    press("quil/fuel/aux_mode_on", "Aux tank mode selector: ON", fuelAuxBleedWindow,
          RowPart(kAuxMode, 2)),
    press("quil/fuel/aux_transfer_fwd_a_on", "Aux transfer FWD A switch: ON",
          fuelAuxTransferWindow, onPart(kTransfer[kAuxTransferForwardA])),
    press("quil/fuel/aux_transfer_fwd_a_off", "Aux transfer FWD A switch: OFF",
          fuelAuxTransferWindow, offPart(kTransfer[kAuxTransferForwardA])),
    press("quil/fuel/aux_transfer_fwd_b_on", "Aux transfer FWD B switch: ON",
          fuelAuxTransferWindow, onPart(kTransfer[kAuxTransferForwardB])),
    press("quil/fuel/aux_transfer_fwd_b_off", "Aux transfer FWD B switch: OFF",
          fuelAuxTransferWindow, offPart(kTransfer[kAuxTransferForwardB])),
    press("quil/fuel/aux_transfer_aft_a_on", "Aux transfer AFT A switch: ON",
          fuelAuxTransferWindow, onPart(kTransfer[kAuxTransferAftA])),
    press("quil/fuel/aux_transfer_aft_a_off", "Aux transfer AFT A switch: OFF",
          fuelAuxTransferWindow, offPart(kTransfer[kAuxTransferAftA])),
    press("quil/fuel/aux_transfer_aft_b_on", "Aux transfer AFT B switch: ON",
          fuelAuxTransferWindow, onPart(kTransfer[kAuxTransferAftB])),
    press("quil/fuel/aux_transfer_aft_b_off", "Aux transfer AFT B switch: OFF",
          fuelAuxTransferWindow, offPart(kTransfer[kAuxTransferAftB])),

    // ---- Clock, auxiliary fuel control panel, fuelling station ----
    press("quil/clock/chrono", "Clock CHR button", clockWindow,
          clockButton(kClockChronographButton)),
    press("quil/clock/mode", "Clock mode button", clockWindow, clockButton(kClockModeButton)),
    press("quil/clock/set", "Clock SET button", clockWindow, clockButton(kClockSetButton)),
    press("quil/clock/reset", "Clock RESET button", clockWindow, clockButton(kClockResetButton)),
    press("quil/clock/elapsed_time", "Clock ET button", clockWindow,
          clockButton(kClockElapsedTimeButton)),
    press("quil/clock/slew_forward", "Clock slew: forward", clockWindow,
          clockButton(kClockSlewForwardButton)),
    press("quil/clock/slew_back", "Clock slew: back", clockWindow,
          clockButton(kClockSlewBackButton)),
    press("quil/fuel/afcp_test", "Aux fuel control panel: lamp test key (held)", auxFuelWindow,
          kAuxFuelLayout[kAfcpTestKey].zone),
    press("quil/fuel/afcp_list_a", "Aux fuel control panel: list A key", auxFuelWindow,
          kAuxFuelLayout[kAfcpListAKey].zone),
    press("quil/fuel/afcp_list_b", "Aux fuel control panel: list B key", auxFuelWindow,
          kAuxFuelLayout[kAfcpListBKey].zone),
    press("quil/refuel/test", "Fuelling station test switch: TEST", fuelStationWindow,
          RowPart(kStationTest, 1)),
    press("quil/refuel/test_off", "Fuelling station test switch: the other position",
          fuelStationWindow, RowPart(kStationTest, 0)),
    press("quil/refuel/valve_1_open", "Fuelling station valve 1: OPEN", fuelStationWindow,
          RowPart(kStationValve[0], 1)),
    press("quil/refuel/valve_1_close", "Fuelling station valve 1: CLOSED", fuelStationWindow,
          RowPart(kStationValve[0], 0)),
    press("quil/refuel/valve_2_open", "Fuelling station valve 2: OPEN", fuelStationWindow,
          RowPart(kStationValve[1], 1)),
    press("quil/refuel/valve_2_close", "Fuelling station valve 2: CLOSED", fuelStationWindow,
          RowPart(kStationValve[1], 0)),
    press("quil/refuel/valve_3_open", "Fuelling station valve 3: OPEN", fuelStationWindow,
          RowPart(kStationValve[2], 1)),
    press("quil/refuel/valve_3_close", "Fuelling station valve 3: CLOSED", fuelStationWindow,
          RowPart(kStationValve[2], 0)),
    press("quil/refuel/aux_select_mains", "Fuelling station outer channels: main tanks",
          fuelStationAuxWindow, RowPart(kAuxSelectSwitch, 1)),
    press("quil/refuel/aux_select_aux", "Fuelling station outer channels: aux tanks",
          fuelStationAuxWindow, RowPart(kAuxSelectSwitch, 0)),

    // ---- The popup windows and the fuel request ----
    act("quil/windows/meter_panel", "Open or close the AC/DC meter panel",
        toggleWindow<meterWindow>),
    act("quil/windows/apu_panel", "Open or close the APU and generator panel",
        toggleWindow<apuWindow>),
    act("quil/windows/cabin_utilities", "Open or close the cabin utilities panel",
        toggleWindow<cabinUtilitiesWindow>),
    act("quil/windows/anti_ice_panel", "Open or close the anti-ice panel",
        toggleWindow<antiIceWindow>),
    act("quil/windows/fuel_panel", "Open or close the fuel panel", toggleWindow<fuelWindow>),
    act("quil/windows/overhead", "Open or close the whole overhead",
        onPress<ToggleOverheadArrangement>),
    act("quil/windows/clock", "Open or close the clock", toggleWindow<clockWindow>),
    act("quil/windows/aux_fuel_panel", "Open or close the auxiliary fuel control panel",
        toggleWindow<auxFuelWindow>),
    act("quil/windows/fuel_request", "Make a fuel request (on the ground, parking brake set)",
        onPress<OpenFuelRequestDialog>),
    act("quil/windows/fuel_request_close", "Close the fuel request dialog",
        onPress<HideFuelRequestDialog>),
};

constexpr int kRowCount = static_cast<int>(sizeof kRows / sizeof kRows[0]);
static_assert(kRowCount <= kMaxCommands, "the registration holds at most kMaxCommands commands");

}  // namespace

CommandTable Commands() { return {kRows, kRowCount}; }

}  // namespace quil
