// The probe plug-in: exercises the host through the SDK as any plug-in
// would, and publishes what it saw under "probe/..." datarefs so that tests
// can read it through the host.
#pragma once

#include "XPLMDataAccess.h"

// An int or float the probe publishes, readable and writable by anyone.
struct ProbeValue {
    const char* name;
    int i = 0;
    float f = 0.0f;
    XPLMDataRef handle = nullptr;
};

void publishInt(ProbeValue& value);
void publishFloat(ProbeValue& value);
void withdraw(ProbeValue& value);

// Each area registers its own values and callbacks at start and drops them
// at stop.
void startProbeDataRefs();
void stopProbeDataRefs();
void startProbeProcessing();
void stopProbeProcessing();
void startProbeWindow();
void stopProbeWindow();
void startProbeGraphics();
void stopProbeGraphics();
void startProbeWidgets();
void stopProbeWidgets();
void startProbeExceptions();
void stopProbeExceptions();
void probeReceiveMessage(int from, int message, void* param);
void sampleSimulatorDataRefs();
