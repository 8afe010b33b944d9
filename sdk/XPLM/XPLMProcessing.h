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

/* Seconds since the simulator started, counting on while it is paused. */
XPLM_API float XPLMGetElapsedTime(void);

/* Flight loops by ID, run before or after the flight model. */
enum {
    xplm_FlightLoop_Phase_BeforeFlightModel = 0,
    xplm_FlightLoop_Phase_AfterFlightModel = 1
};
typedef int XPLMFlightLoopPhaseType;
typedef void *XPLMFlightLoopID;

typedef struct {
    int structSize;
    XPLMFlightLoopPhaseType phase;
    XPLMFlightLoop_f callbackFunc;
    void *refcon;
} XPLMCreateFlightLoop_t;

/* Created unscheduled. */
XPLM_API XPLMFlightLoopID XPLMCreateFlightLoop(XPLMCreateFlightLoop_t *inParams);
XPLM_API void XPLMDestroyFlightLoop(XPLMFlightLoopID inFlightLoopID);
/* The interval as a callback returns it, from now or from the last call. */
XPLM_API void XPLMScheduleFlightLoop(XPLMFlightLoopID inFlightLoopID, float inInterval,
                                     int inRelativeToNow);

#ifdef __cplusplus
}
#endif
#endif
