#ifndef XPLMUtilities_h
#define XPLMUtilities_h
/* Versions, paths, the log, commands and the simulator's joystick command
 * buttons. */

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

/* Appends the text to the simulator's log. */
XPLM_API void XPLMDebugString(const char *inString);

/* The names in a folder, each zero-terminated, from entry inFirstReturn on,
 * with an empty name after the last; 1 when all of them fitted. */
XPLM_API int XPLMGetDirectoryContents(const char *inDirectoryPath, int inFirstReturn,
                                      char *outFileNames, int inFileNameBufSize,
                                      char **outIndices, int inIndexCount,
                                      int *outTotalFiles, int *outReturnedFiles);

/* Commands: named actions that plug-ins and the simulator run, held down
 * from begin to end. */
enum {
    xplm_CommandBegin = 0,
    xplm_CommandContinue = 1,
    xplm_CommandEnd = 2
};
typedef int XPLMCommandPhase;
typedef void *XPLMCommandRef;

/* Returns 1 to let the command go on to the next handler and the
 * simulator, 0 to stop it there. */
typedef int (*XPLMCommandCallback_f)(XPLMCommandRef inCommand, XPLMCommandPhase inPhase,
                                     void *inRefcon);

XPLM_API XPLMCommandRef XPLMFindCommand(const char *inName);
XPLM_API void XPLMCommandBegin(XPLMCommandRef inCommand);
XPLM_API void XPLMCommandEnd(XPLMCommandRef inCommand);
XPLM_API void XPLMCommandOnce(XPLMCommandRef inCommand);
XPLM_API XPLMCommandRef XPLMCreateCommand(const char *inName, const char *inDescription);
XPLM_API void XPLMRegisterCommandHandler(XPLMCommandRef inComand,
                                         XPLMCommandCallback_f inHandler, int inBefore,
                                         void *inRefcon);
XPLM_API void XPLMUnregisterCommandHandler(XPLMCommandRef inComand,
                                           XPLMCommandCallback_f inHandler, int inBefore,
                                           void *inRefcon);

#ifdef __cplusplus
}
#endif
#endif
