// The snapshot read: the simulator's values into the snapshot, in groups
// that the frame table runs each in its place of the frame (some every
// frame, some on a rotation), with their units converted. It only reads;
// what the frame does with the values are the table's other rows.
#pragma once

namespace quil {

// Every frame
void ReadTime();
void ReadAirData();
void ReadSelectedReceiver();
void ReadDeviationRateAndAttitude();
void ReadLampTest();
void ReadMarkersAndReceiverFlags();
void ReadMaxAllowableAltitude();
void ReadFlapRatio();

// The light rotation, every fourth frame each
void ReadTaxiLight();
void ReadOutsideAirAndLandingLights();

// Every other frame each
void ReadBarometerAndNav1Course();
void ReadNav2CourseAndOilPressure();
void ReadMapRange();

// Every fourth frame each
void ReadPanelSettingsAndSimulatorAutopilot();
void ReadOilTemperature();
void ReadDisplayModeAndCabinAltitude();

// Every eighth frame each
void ReadBankLimit();
void ReadAntiIceSwitches();
void ReadGearDeployment();
void ReadPropellerMode();
void ReadParkingBrake();
void ReadFirstTenSeconds();

}  // namespace quil
