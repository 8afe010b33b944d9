// The plug-in's life: start, stop, enable and disable, the messages it
// handles, the per-frame flight loop and the resets.
#pragma once

#include "XPLMDisplay.h"

namespace quil {

extern float resetDueTime;      // the delayed model reset; -1 when none is pending
extern XPLMWindowID panelMouseWindow;

constexpr float kFlightLoopInterval = -1.0f;  // every frame

int StartPlugin(char* outName, char* outSignature, char* outDescription);
void StopPlugin();
int EnablePlugin();
void DisablePlugin();
void ReceiveMessage(int from, int message, void* param);

float FlightLoop(float elapsedSinceLastCall, float elapsedSinceLastLoop, int counter,
                 void* refcon);

void ResetAll(bool cold, float now);
void ResetModels(bool cold, float now);

// The invisible full-screen window that catches panel clicks, made on the
// first draw.
void EnsurePanelMouseWindow();
void DestroyPanelMouseWindow();

}  // namespace quil
