#ifndef XPLMProcessing_h
#define XPLMProcessing_h
/* Flight-loop callbacks: the plug-in's per-frame processing. */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Returns when to be called next: > 0 seconds, < 0 frames, 0 never. */
typedef float (*XPLMFlightLoop_f)(float inElapsedSinceLastCall,
                                  float inElapsedTimeSinceLastFlightLoop,
                                  int inCounter, void *inRefcon);

XPLM_API void XPLMRegisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop,
                                             float inInterval, void *inRefcon);
XPLM_API void XPLMUnregisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop,
                                               void *inRefcon);

#ifdef __cplusplus
}
#endif
#endif
