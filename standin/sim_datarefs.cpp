// The simulator's datarefs that the plug-in uses, each with the simulator's
// own type and writability, at their values for a 737-800 parked cold and
// dark at a sea-level airport on a standard day: on the ground with the gear
// carrying its weight, engines stopped, 15 °C and 29.92 inHg.
#include "standin/sim_datarefs.h"
#include "standin/flight/motion.h"
#include "standin/units.h"

namespace standin::detail {
namespace {

constexpr XPLMDataTypeID kInt = xplmType_Int;
constexpr XPLMDataTypeID kFloat = xplmType_Float;
constexpr XPLMDataTypeID kDouble = xplmType_Double;
constexpr XPLMDataTypeID kInts = xplmType_IntArray;
constexpr XPLMDataTypeID kFloats = xplmType_FloatArray;
constexpr XPLMDataTypeID kBytes = xplmType_Data;
constexpr bool kWritable = true;
constexpr bool kReadOnly = false;

constexpr double kOutsideAirC = 15.0;
constexpr double kStandardBaroInHg = 29.92;
constexpr double kAircraftMassKg = 58000.0;
// Lined up on runway 22R of a sea-level airport with 4.5° east variation,
// which the simulator gives as negative (magnetic = true + variation).
constexpr double kFieldElevationFt = 17.0;
constexpr double kLatitudeDeg = 55.6280;
constexpr double kLongitudeDeg = 12.6630;
constexpr double kHeadingTrueDeg = 221.0;
constexpr double kMagneticVariationDeg = -4.5;
constexpr double kRunwayCourseMagDeg = 217.0;
constexpr double kLocalNoonSec = 12.0 * 3600.0;

const SimDataRefSpec kSimDataRefs[] = {
    // Aircraft
    {"sim/aircraft/parts/acf_gear_deploy", kFloats, 10, kWritable, {1, 1, 1}},
    {"sim/aircraft/view/acf_Mmo", kFloat, 1, kWritable, {0.82}},
    {"sim/aircraft/view/acf_Vno", kFloat, 1, kWritable, {340}},
    {"sim/aircraft/view/acf_author", kBytes, 500, kWritable, {}},
    {"sim/aircraft/view/acf_descrip", kBytes, 260, kWritable, {}},
    {"sim/aircraft/view/acf_tailnum", kBytes, 40, kWritable, {}},
    // Autopilot
    {"sim/cockpit/autopilot/airspeed", kFloat, 1, kWritable, {250}},
    {"sim/cockpit/autopilot/airspeed_is_mach", kInt, 1, kWritable, {0}},
    {"sim/cockpit/autopilot/altitude", kFloat, 1, kWritable, {10000}},
    {"sim/cockpit/autopilot/autopilot_mode", kInt, 1, kWritable, {0}},
    {"sim/cockpit/autopilot/flight_director_pitch", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/autopilot/flight_director_roll", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/autopilot/heading_mag", kFloat, 1, kWritable, {kRunwayCourseMagDeg}},
    {"sim/cockpit/autopilot/heading_roll_mode", kInt, 1, kWritable, {0}},
    {"sim/cockpit/autopilot/vertical_velocity", kFloat, 1, kWritable, {0}},
    // Electrical
    {"sim/cockpit/electrical/avionics_on", kInt, 1, kWritable, {0}},
    {"sim/cockpit/electrical/battery_EQ", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit/electrical/battery_array_on", kInts, 8, kWritable, {}},
    {"sim/cockpit/electrical/battery_on", kInt, 1, kWritable, {0}},
    {"sim/cockpit/electrical/beacon_lights_on", kInt, 1, kWritable, {0}},
    {"sim/cockpit/electrical/generator_on", kInts, 8, kWritable, {}},
    {"sim/cockpit/electrical/instrument_brightness", kFloat, 1, kWritable, {1.0}},
    {"sim/cockpit/electrical/landing_lights_on", kInt, 1, kWritable, {0}},
    {"sim/cockpit/electrical/taxi_light_on", kInt, 1, kWritable, {0}},
    // APU and engine controls
    {"sim/cockpit/engine/APU_N1", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/engine/APU_running", kInt, 1, kWritable, {0}},
    {"sim/cockpit/engine/APU_switch", kInt, 1, kWritable, {0}},
    {"sim/cockpit/engine/igniters_on", kInts, 8, kWritable, {}},
    {"sim/cockpit/engine/ignition_on", kInts, 8, kWritable, {}},
    {"sim/cockpit/engine/inverter_on", kInts, 2, kWritable, {}},
    {"sim/cockpit/engine/starter_duration", kFloats, 8, kWritable, {}},
    // Misc cockpit
    {"sim/cockpit/misc/barometer_setting", kFloat, 1, kWritable, {kStandardBaroInHg}},
    {"sim/cockpit/misc/inner_marker_lit", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit/misc/middle_marker_lit", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit/misc/outer_marker_lit", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit/pressure/bleed_air_mode", kInt, 1, kWritable, {0}},
    {"sim/cockpit/pressure/bleed_air_on", kInt, 1, kWritable, {0}},
    {"sim/cockpit/pressure/cabin_altitude_actual_m_msl", kFloat, 1, kReadOnly,
     {kFieldElevationFt * kMetresPerFoot}},
    {"sim/cockpit/pressure/max_allowable_altitude", kFloat, 1, kWritable, {35000}},
    // Radios: NAV1 tuned to 110.30, NAV2 to 113.80, no signal received
    {"sim/cockpit/radios/gps_course_degm", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/gps_dir_degt", kFloat, 1, kReadOnly, {0}},
    {"sim/cockpit/radios/gps_dme_dist_m", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/gps_hdef_dot", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav1_course_degm", kFloat, 1, kWritable, {kRunwayCourseMagDeg}},
    {"sim/cockpit/radios/nav1_dir_degt", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav1_dme_dist_m", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav1_freq_hz", kInt, 1, kWritable, {11030}},
    {"sim/cockpit/radios/nav1_fromto", kInt, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav1_hdef_dot", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav1_obs_degm", kFloat, 1, kWritable, {kRunwayCourseMagDeg}},
    {"sim/cockpit/radios/nav1_slope_degt", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav1_vdef_dot", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav2_course_degm2", kFloat, 1, kWritable, {kRunwayCourseMagDeg}},
    {"sim/cockpit/radios/nav2_dir_degt", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav2_dme_dist_m", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav2_freq_hz", kInt, 1, kWritable, {11380}},
    {"sim/cockpit/radios/nav2_fromto", kInt, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav2_hdef_dot2", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav2_obs_degm", kFloat, 1, kWritable, {kRunwayCourseMagDeg}},
    {"sim/cockpit/radios/nav2_slope_degt", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/radios/nav2_vdef_dot2", kFloat, 1, kWritable, {0}},
    {"sim/cockpit2/radios/indicators/nav1_display_horizontal", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit2/radios/indicators/nav1_display_vertical", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit2/radios/indicators/nav1_flag_glideslope", kInt, 1, kReadOnly, {1}},
    {"sim/cockpit2/radios/indicators/nav2_display_horizontal", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit2/radios/indicators/nav2_display_vertical", kInt, 1, kReadOnly, {0}},
    {"sim/cockpit2/radios/indicators/nav2_flag_glideslope", kInt, 1, kReadOnly, {1}},
    // Switches
    {"sim/cockpit/switches/EFIS_map_range_selector", kInt, 1, kWritable, {1}},
    {"sim/cockpit/switches/EFIS_map_submode", kInt, 1, kWritable, {2}},
    {"sim/cockpit/switches/HSI_selector", kInt, 1, kWritable, {0}},
    {"sim/cockpit/switches/anti_ice_AOA_heat", kInt, 1, kWritable, {0}},
    {"sim/cockpit/switches/anti_ice_inlet_heat", kInt, 1, kWritable, {0}},
    {"sim/cockpit/switches/anti_ice_surf_heat", kInt, 1, kWritable, {0}},
    {"sim/cockpit/switches/anti_ice_window_heat", kInt, 1, kWritable, {0}},
    {"sim/cockpit/switches/pitot_heat_on", kInt, 1, kWritable, {0}},
    {"sim/cockpit/switches/pitot_heat_on2", kInt, 1, kWritable, {0}},
    {"sim/cockpit/warnings/annunciator_test_timeout", kFloat, 1, kWritable, {0}},
    {"sim/cockpit/weapons/firing_mode", kInt, 1, kWritable, {0}},
    {"sim/cockpit/weapons/firing_rate", kInt, 1, kWritable, {0}},
    // Flight controls: parking brake set
    {"sim/flightmodel/controls/ail_trim", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/controls/elv_trim", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/controls/flaprat", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/controls/flaprqst", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/controls/lail1def", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/controls/parkbrake", kFloat, 1, kWritable, {1}},
    {"sim/flightmodel/controls/rail1def", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/controls/rud_trim", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/controls/sbrkrat", kFloat, 1, kWritable, {0}},
    // Engines stopped and cold
    {"sim/flightmodel/engine/ENGN_EGT_c", kFloats, 8, kWritable, {}, kOutsideAirC},
    {"sim/flightmodel/engine/ENGN_FF_", kFloats, 8, kWritable, {}},
    {"sim/flightmodel/engine/ENGN_N1_", kFloats, 8, kWritable, {}},
    {"sim/flightmodel/engine/ENGN_N2_", kFloats, 8, kWritable, {}},
    {"sim/flightmodel/engine/ENGN_bat_volt", kFloats, 8, kWritable, {}},
    {"sim/flightmodel/engine/ENGN_mixt", kFloats, 8, kWritable, {}},
    {"sim/flightmodel/engine/ENGN_oil_press", kFloats, 8, kWritable, {}},
    {"sim/flightmodel/engine/ENGN_oil_temp_c", kFloats, 8, kReadOnly, {}, kOutsideAirC},
    {"sim/flightmodel/engine/ENGN_propmode", kInts, 8, kWritable, {}, 1},
    {"sim/flightmodel/engine/ENGN_thro", kFloats, 8, kWritable, {}},
    {"sim/flightmodel/engine/ENGN_thro_use", kFloats, 8, kWritable, {}},
    // Flight state: standing still on the runway heading
    {"sim/flightmodel/forces/fnrml_gear", kFloat, 1, kReadOnly, {kAircraftMassKg * kGravity}},
    {"sim/flightmodel/misc/h_ind", kFloat, 1, kWritable, {kFieldElevationFt}},
    {"sim/flightmodel/misc/machno", kFloat, 1, kReadOnly, {0}},
    {"sim/flightmodel/misc/slip", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/parts/nrml_force", kFloats, 56, kReadOnly, {}},
    {"sim/flightmodel/position/P_dot", kFloat, 1, kReadOnly, {0}},
    {"sim/flightmodel/position/beta", kFloat, 1, kReadOnly, {0}},
    {"sim/flightmodel/position/elevation", kDouble, 1, kReadOnly,
     {kFieldElevationFt * kMetresPerFoot + flight::kGearHeightM}},
    {"sim/flightmodel/position/groundspeed", kFloat, 1, kReadOnly, {0}},
    {"sim/flightmodel/position/hpath", kFloat, 1, kReadOnly, {kHeadingTrueDeg}},
    {"sim/flightmodel/position/indicated_airspeed", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/position/latitude", kDouble, 1, kReadOnly, {kLatitudeDeg}},
    {"sim/flightmodel/position/local_ay", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/position/longitude", kDouble, 1, kReadOnly, {kLongitudeDeg}},
    {"sim/flightmodel/position/magnetic_variation", kFloat, 1, kReadOnly, {kMagneticVariationDeg}},
    {"sim/flightmodel/position/magpsi", kFloat, 1, kReadOnly,
     {kHeadingTrueDeg + kMagneticVariationDeg}},
    {"sim/flightmodel/position/phi", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/position/psi", kFloat, 1, kWritable, {kHeadingTrueDeg}},
    {"sim/flightmodel/position/theta", kFloat, 1, kWritable, {0.4}},
    {"sim/flightmodel/position/vh_ind_fpm", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/position/y_agl", kFloat, 1, kReadOnly, {flight::kGearHeightM}},
    // Fuel: 4 t in each wing tank, centre tank empty
    {"sim/flightmodel/weight/m_fuel1", kFloat, 1, kWritable, {4000}},
    {"sim/flightmodel/weight/m_fuel2", kFloat, 1, kWritable, {0}},
    {"sim/flightmodel/weight/m_fuel3", kFloat, 1, kWritable, {4000}},
    {"sim/flightmodel/weight/m_total", kFloat, 1, kReadOnly, {kAircraftMassKg}},
    // Graphics and views: the forward 2D panel, daylight
    {"sim/graphics/misc/cockpit_light_level_b", kFloat, 1, kReadOnly, {0}},
    {"sim/graphics/misc/cockpit_light_level_g", kFloat, 1, kReadOnly, {0}},
    {"sim/graphics/misc/cockpit_light_level_r", kFloat, 1, kReadOnly, {0}},
    {"sim/graphics/misc/current_scroll_pos", kFloat, 1, kWritable, {0}},
    {"sim/graphics/misc/show_panel_click_spots", kInt, 1, kWritable, {0}},
    {"sim/graphics/settings/transparent_panel", kInt, 1, kWritable, {0}},
    {"sim/graphics/view/panel_total_pnl_b", kFloat, 1, kReadOnly, {0}},
    {"sim/graphics/view/panel_total_pnl_l", kFloat, 1, kReadOnly, {0}},
    {"sim/graphics/view/panel_total_pnl_r", kFloat, 1, kReadOnly, {kPanelUnits}},
    {"sim/graphics/view/panel_total_pnl_t", kFloat, 1, kReadOnly, {kPanelUnits}},
    {"sim/graphics/view/panel_total_win_b", kFloat, 1, kReadOnly, {0}},
    {"sim/graphics/view/panel_total_win_l", kFloat, 1, kReadOnly, {0}},
    {"sim/graphics/view/panel_total_win_r", kFloat, 1, kReadOnly, {kPanelUnits}},
    {"sim/graphics/view/panel_total_win_t", kFloat, 1, kReadOnly, {kPanelUnits}},
    {"sim/graphics/view/view_is_external", kInt, 1, kReadOnly, {0}},
    {"sim/graphics/view/view_type", kInt, 1, kReadOnly, {1000}},
    {"sim/graphics/view/window_height", kInt, 1, kWritable, {1024}},
    {"sim/graphics/view/window_width", kInt, 1, kWritable, {1024}},
    // Failures and overrides
    {"sim/operation/failures/rel_engfai0", kInt, 1, kWritable, {0}},
    {"sim/operation/failures/rel_engfai1", kInt, 1, kWritable, {0}},
    {"sim/operation/override/override_autopilot", kInt, 1, kWritable, {0}},
    {"sim/operation/override/override_flightdir", kInt, 1, kWritable, {0}},
    {"sim/operation/override/override_fms_advance", kInt, 1, kWritable, {0}},
    // Physics constants
    {"sim/physics/double_pi", kFloat, 1, kReadOnly, {6.283185307179586}},
    {"sim/physics/pi", kFloat, 1, kReadOnly, {3.141592653589793}},
    // Time: running time, the frame's step and the wall clock are the
    // host's; local and zulu noon of 7 December
    {"sim/network/misc/network_time_sec", kFloat, 1, kReadOnly, {0}},
    {"sim/operation/misc/frame_rate_period", kFloat, 1, kReadOnly, {0}},
    {"sim/time/local_date_days", kInt, 1, kWritable, {340}},
    {"sim/time/is_in_replay", kInt, 1, kReadOnly, {0}},
    {"sim/time/local_time_sec", kFloat, 1, kReadOnly, {kLocalNoonSec}},
    {"sim/time/paused", kInt, 1, kReadOnly, {0}},
    {"sim/time/total_running_time_sec", kFloat, 1, kWritable, {0}},
    {"sim/time/zulu_time_sec", kFloat, 1, kWritable, {kLocalNoonSec - 3600.0}},
    // Weather: standard day
    {"sim/weather/barometer_current_inhg", kFloat, 1, kReadOnly, {kStandardBaroInHg}},
    {"sim/weather/temperature_le_c", kFloat, 1, kReadOnly, {kOutsideAirC}},
};

}  // namespace

void registerSimDataRefs() {
    for (const SimDataRefSpec& spec : kSimDataRefs) addSimDataRef(spec);
}

}  // namespace standin::detail
