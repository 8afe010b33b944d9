#ifndef XPLMPlanes_h
#define XPLMPlanes_h
/* The loaded aircraft models; index 0 is the user's aircraft. */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

XPLM_API void XPLMGetNthAircraftModel(int inIndex, char *outFileName, char *outPath);

#ifdef __cplusplus
}
#endif
#endif
