#ifndef XPLMDisplay_h
#define XPLMDisplay_h
/* Draw callbacks by drawing phase, and the plug-in's own windows with their
 * drawing, key and mouse callbacks. */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    xplm_Phase_FirstScene = 0,
    xplm_Phase_Terrain = 5,
    xplm_Phase_Airports = 10,
    xplm_Phase_Vectors = 15,
    xplm_Phase_Objects = 20,
    xplm_Phase_Airplanes = 25,
    xplm_Phase_LastScene = 30,
    xplm_Phase_FirstCockpit = 35,
    xplm_Phase_Panel = 40,
    xplm_Phase_Gauges = 45,
    xplm_Phase_Window = 50,
    xplm_Phase_LastCockpit = 55
};
typedef int XPLMDrawingPhase;

typedef int (*XPLMDrawCallback_f)(XPLMDrawingPhase inPhase, int inIsBefore, void *inRefcon);

XPLM_API int XPLMRegisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase,
                                      int inWantsBefore, void *inRefcon);
XPLM_API int XPLMUnregisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase,
                                        int inWantsBefore, void *inRefcon);

typedef void *XPLMWindowID;

enum {
    xplm_MouseDown = 1,
    xplm_MouseDrag = 2,
    xplm_MouseUp = 3
};
typedef int XPLMMouseStatus;

typedef void (*XPLMDrawWindow_f)(XPLMWindowID inWindowID, void *inRefcon);
typedef void (*XPLMHandleKey_f)(XPLMWindowID inWindowID, char inKey, XPLMKeyFlags inFlags,
                                char inVirtualKey, void *inRefcon, int losingFocus);
typedef int (*XPLMHandleMouseClick_f)(XPLMWindowID inWindowID, int x, int y,
                                      XPLMMouseStatus inMouse, void *inRefcon);

XPLM_API XPLMWindowID XPLMCreateWindow(int inLeft, int inTop, int inRight, int inBottom,
                                       int inIsVisible, XPLMDrawWindow_f inDrawCallback,
                                       XPLMHandleKey_f inKeyCallback,
                                       XPLMHandleMouseClick_f inMouseCallback, void *inRefcon);
XPLM_API void XPLMDestroyWindow(XPLMWindowID inWindowID);
XPLM_API void XPLMGetWindowGeometry(XPLMWindowID inWindowID, int *outLeft, int *outTop,
                                    int *outRight, int *outBottom);
XPLM_API void XPLMSetWindowGeometry(XPLMWindowID inWindowID, int inLeft, int inTop,
                                    int inRight, int inBottom);
XPLM_API int XPLMGetWindowIsVisible(XPLMWindowID inWindowID);
XPLM_API void XPLMSetWindowIsVisible(XPLMWindowID inWindowID, int inIsVisible);
XPLM_API void XPLMBringWindowToFront(XPLMWindowID inWindow);
XPLM_API void XPLMGetMouseLocation(int *outX, int *outY);

#ifdef __cplusplus
}
#endif
#endif
