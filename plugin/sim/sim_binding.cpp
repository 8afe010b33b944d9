#include "sim/sim_binding.h"


namespace quil {

SimHandles sim;
int pluginActive = 0;

namespace {

struct Binding {
    const char* name;
    XPLMDataRef SimHandles::*handle;
};

const Binding kBindings[] = {
    // Identification and aircraft
    {"sim/aircraft/view/acf_tailnum", &SimHandles::tailNumber},
    {"sim/aircraft/view/acf_author", &SimHandles::author},
    {"sim/aircraft/view/acf_descrip", &SimHandles::description},
    {"sim/aircraft/view/acf_Vno", &SimHandles::vno},
    {"sim/aircraft/view/acf_Mmo", &SimHandles::mmo},
    // Time and display
    {"sim/time/total_running_time_sec", &SimHandles::runningTime},
    {"sim/time/paused", &SimHandles::paused},
    {"sim/cockpit/warnings/annunciator_test_timeout", &SimHandles::annunciatorTestTimeout},
    {"sim/graphics/misc/show_panel_click_spots", &SimHandles::showClickSpots},
    {"sim/graphics/misc/cockpit_light_level_r", &SimHandles::cockpitLightR},
    {"sim/graphics/misc/cockpit_light_level_g", &SimHandles::cockpitLightG},
    {"sim/graphics/misc/cockpit_light_level_b", &SimHandles::cockpitLightB},
    {"sim/graphics/view/window_height", &SimHandles::windowHeight},
    {"sim/graphics/view/window_width", &SimHandles::windowWidth},
    {"sim/graphics/settings/transparent_panel", &SimHandles::transparentPanel},
    {"sim/cockpit/electrical/instrument_brightness", &SimHandles::instrumentBrightness},
    // Flight state
    {"sim/flightmodel/position/y_agl", &SimHandles::yAgl},
    {"sim/flightmodel/position/theta", &SimHandles::theta},
    {"sim/flightmodel/position/phi", &SimHandles::phi},
    {"sim/flightmodel/position/magpsi", &SimHandles::magPsi},
    {"sim/flightmodel/position/psi", &SimHandles::psi},
    {"sim/flightmodel/position/hpath", &SimHandles::hpath},
    {"sim/flightmodel/position/beta", &SimHandles::beta},
    {"sim/flightmodel/position/indicated_airspeed", &SimHandles::indicatedAirspeed},
    {"sim/flightmodel/position/vh_ind_fpm", &SimHandles::vhIndFpm},
    {"sim/flightmodel/position/magnetic_variation", &SimHandles::magneticVariation},
    {"sim/flightmodel/misc/machno", &SimHandles::machNumber},
    {"sim/flightmodel/misc/h_ind", &SimHandles::hInd},
    {"sim/flightmodel/position/groundspeed", &SimHandles::groundSpeed},
    {"sim/flightmodel/misc/slip", &SimHandles::slip},
    {"sim/flightmodel/position/latitude", &SimHandles::latitude},
    {"sim/flightmodel/position/longitude", &SimHandles::longitude},
    {"sim/flightmodel/forces/fnrml_gear", &SimHandles::gearNormalForce},
    {"sim/weather/temperature_le_c", &SimHandles::outsideTemperature},
    {"sim/weather/barometer_current_inhg", &SimHandles::barometerCurrent},
    // Engines
    {"sim/flightmodel/engine/ENGN_EGT_c", &SimHandles::engineEgt},
    {"sim/flightmodel/engine/ENGN_bat_volt", &SimHandles::engineBatteryVolts},
    {"sim/flightmodel/engine/ENGN_thro", &SimHandles::throttle},
    {"sim/flightmodel/engine/ENGN_thro_use", &SimHandles::throttleUsed},
    {"sim/flightmodel/engine/ENGN_oil_press", &SimHandles::oilPressure},
    {"sim/flightmodel/engine/ENGN_oil_temp_c", &SimHandles::oilTemperature},
    {"sim/flightmodel/engine/ENGN_propmode", &SimHandles::propMode},
    {"sim/cockpit/engine/inverter_on", &SimHandles::inverterOn},
    {"sim/cockpit/engine/igniters_on", &SimHandles::ignitersOn},
    {"sim/cockpit/engine/ignition_on", &SimHandles::ignitionOn},
    // Switches and systems
    {"sim/cockpit/switches/anti_ice_surf_heat", &SimHandles::wingHeat},
    {"sim/cockpit/switches/anti_ice_inlet_heat", &SimHandles::inletHeat},
    {"sim/cockpit/switches/anti_ice_window_heat", &SimHandles::windowHeat},
    {"sim/cockpit/switches/pitot_heat_on", &SimHandles::pitotHeat},
    {"sim/cockpit/switches/pitot_heat_on2", &SimHandles::pitotHeat2},
    {"sim/cockpit/switches/anti_ice_AOA_heat", &SimHandles::aoaHeat},
    {"sim/cockpit/switches/EFIS_map_range_selector", &SimHandles::mapRangeSelector},
    {"sim/cockpit/switches/EFIS_map_submode", &SimHandles::mapSubmode},
    {"sim/aircraft/parts/acf_gear_deploy", &SimHandles::gearDeploy},
    {"sim/cockpit/weapons/firing_rate", &SimHandles::firingRate},
    {"sim/cockpit/weapons/firing_mode", &SimHandles::firingMode},
    {"sim/cockpit/pressure/bleed_air_on", &SimHandles::bleedAirOn},
    {"sim/cockpit/pressure/max_allowable_altitude", &SimHandles::maxAllowableAltitude},
    {"sim/cockpit/pressure/cabin_altitude_actual_m_msl", &SimHandles::cabinAltitude},
    {"sim/cockpit/misc/barometer_setting", &SimHandles::barometerSetting},
    {"sim/flightmodel/controls/parkbrake", &SimHandles::parkBrake},
    {"sim/flightmodel/controls/flaprat", &SimHandles::flapRatio},
    {"sim/cockpit/electrical/taxi_light_on", &SimHandles::taxiLight},
    {"sim/cockpit/electrical/landing_lights_on", &SimHandles::landingLights},
    {"sim/cockpit/electrical/beacon_lights_on", &SimHandles::beaconLights},
    {"sim/cockpit/electrical/battery_EQ", &SimHandles::batteryEquipped},
    {"sim/flightmodel/weight/m_fuel1", &SimHandles::fuelMass1},
    {"sim/flightmodel/weight/m_fuel2", &SimHandles::fuelMass2},
    {"sim/flightmodel/weight/m_fuel3", &SimHandles::fuelMass3},
    // Autopilot
    {"sim/cockpit/autopilot/heading_mag", &SimHandles::apHeading},
    {"sim/cockpit/autopilot/heading_roll_mode", &SimHandles::apBankMode},
    {"sim/cockpit/autopilot/autopilot_mode", &SimHandles::apMode},
    {"sim/cockpit/autopilot/vertical_velocity", &SimHandles::apVerticalVelocity},
    {"sim/cockpit/autopilot/airspeed", &SimHandles::apAirspeed},
    {"sim/cockpit/autopilot/airspeed_is_mach", &SimHandles::apAirspeedIsMach},
    {"sim/cockpit/autopilot/altitude", &SimHandles::apAltitude},
    {"sim/cockpit/autopilot/flight_director_roll", &SimHandles::fdRoll},
    {"sim/cockpit/autopilot/flight_director_pitch", &SimHandles::fdPitch},
    {"sim/flightmodel/controls/elv_trim", &SimHandles::elevatorTrim},
    {"sim/flightmodel/controls/ail_trim", &SimHandles::aileronTrim},
    {"sim/flightmodel/controls/rud_trim", &SimHandles::rudderTrim},
    {"sim/operation/override/override_flightdir", &SimHandles::overrideFlightDirector},
    {"sim/operation/override/override_autopilot", &SimHandles::overrideAutopilot},
    {"sim/operation/override/override_fms_advance", &SimHandles::overrideFmsAdvance},
    // Radios
    {"sim/cockpit/radios/nav1_obs_degm", &SimHandles::nav1Obs},
    {"sim/cockpit/radios/nav2_obs_degm", &SimHandles::nav2Obs},
    {"sim/cockpit/radios/gps_dme_dist_m", &SimHandles::gpsDistance},
    {"sim/cockpit/switches/HSI_selector", &SimHandles::hsiSelector},
    {"sim/cockpit/radios/nav1_dir_degt", &SimHandles::nav1Bearing},
    {"sim/cockpit/radios/nav2_dir_degt", &SimHandles::nav2Bearing},
    {"sim/cockpit/radios/nav1_fromto", &SimHandles::nav1FromTo},
    {"sim/cockpit/radios/nav2_fromto", &SimHandles::nav2FromTo},
    {"sim/cockpit/radios/gps_dir_degt", &SimHandles::gpsBearing},
    {"sim/cockpit/radios/nav1_freq_hz", &SimHandles::nav1Frequency},
    {"sim/cockpit/radios/nav2_freq_hz", &SimHandles::nav2Frequency},
    {"sim/cockpit/radios/nav1_course_degm", &SimHandles::nav1Course},
    {"sim/cockpit/radios/nav2_course_degm2", &SimHandles::nav2Course},
    {"sim/cockpit/radios/nav1_hdef_dot", &SimHandles::nav1Hdef},
    {"sim/cockpit/radios/nav2_hdef_dot2", &SimHandles::nav2Hdef},
    {"sim/cockpit/radios/nav1_vdef_dot", &SimHandles::nav1Vdef},
    {"sim/cockpit/radios/nav2_vdef_dot2", &SimHandles::nav2Vdef},
    {"sim/cockpit/radios/gps_hdef_dot", &SimHandles::gpsHdef},
    {"sim/cockpit/radios/gps_course_degm", &SimHandles::gpsCourse},
    {"sim/cockpit/radios/nav1_slope_degt", &SimHandles::nav1Slope},
    {"sim/cockpit/radios/nav2_slope_degt", &SimHandles::nav2Slope},
    {"sim/cockpit/misc/outer_marker_lit", &SimHandles::outerMarker},
    {"sim/cockpit/misc/middle_marker_lit", &SimHandles::middleMarker},
    {"sim/cockpit/misc/inner_marker_lit", &SimHandles::innerMarker},
    {"sim/cockpit2/radios/indicators/nav1_display_horizontal", &SimHandles::nav1HasLateral},
    {"sim/cockpit2/radios/indicators/nav2_display_horizontal", &SimHandles::nav2HasLateral},
    {"sim/cockpit2/radios/indicators/nav1_display_vertical", &SimHandles::nav1HasGlideSlope},
    {"sim/cockpit2/radios/indicators/nav2_display_vertical", &SimHandles::nav2HasGlideSlope},
};

}  // namespace

void FindSimDatarefs() {
    for (const Binding& binding : kBindings) sim.*binding.handle = XPLMFindDataRef(binding.name);
}

}  // namespace quil
