#ifndef XPLMUtilities_h
#define XPLMUtilities_h
/* Versions, paths and the simulator's joystick command buttons. */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The start of the SDK's fixed button enumeration; the starter of engine n
 * is button n + 2. */
enum {
    xplm_joy_nothing = 0,
    xplm_joy_start_all = 1,
    xplm_joy_start_0 = 2,
    xplm_joy_start_1 = 3,
    xplm_joy_start_2 = 4,
    xplm_joy_start_3 = 5,
    xplm_joy_start_4 = 6,
    xplm_joy_start_5 = 7,
    xplm_joy_start_6 = 8,
    xplm_joy_start_7 = 9
};
typedef int XPLMCommandButtonID;

enum {
    xplm_Host_Unknown = 0,
    xplm_Host_XPlane = 1,
    xplm_Host_PlaneMaker = 2,
    xplm_Host_WorldMaker = 3,
    xplm_Host_Briefer = 4,
    xplm_Host_PartMaker = 5,
    xplm_Host_YoungsMod = 6,
    xplm_Host_XAuto = 7
};
typedef int XPLMHostApplicationID;

XPLM_API const char *XPLMGetDirectorySeparator(void);
XPLM_API void XPLMGetVersions(int *outXPlaneVersion, int *outXPLMVersion,
                              XPLMHostApplicationID *outHostID);
XPLM_API void XPLMCommandButtonPress(XPLMCommandButtonID inButton);
XPLM_API void XPLMCommandButtonRelease(XPLMCommandButtonID inButton);

#ifdef __cplusplus
}
#endif
#endif
