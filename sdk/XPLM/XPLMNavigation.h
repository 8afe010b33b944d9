#ifndef XPLMNavigation_h
#define XPLMNavigation_h
/* Navaid types and the simulator's flight plan (FMS entries). */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    xplm_Nav_Unknown = 0,
    xplm_Nav_Airport = 1,
    xplm_Nav_NDB = 2,
    xplm_Nav_VOR = 4,
    xplm_Nav_ILS = 8,
    xplm_Nav_Localizer = 16,
    xplm_Nav_GlideSlope = 32,
    xplm_Nav_OuterMarker = 64,
    xplm_Nav_MiddleMarker = 128,
    xplm_Nav_InnerMarker = 256,
    xplm_Nav_Fix = 512,
    xplm_Nav_DME = 1024,
    xplm_Nav_LatLon = 2048
};
typedef int XPLMNavType;

typedef int XPLMNavRef;
#define XPLM_NAV_NOT_FOUND (-1)

XPLM_API int XPLMGetDestinationFMSEntry(void);
XPLM_API void XPLMSetDestinationFMSEntry(int inIndex);
XPLM_API void XPLMGetFMSEntryInfo(int inIndex, XPLMNavType *outType, char *outID,
                                  XPLMNavRef *outRef, int *outAltitude, float *outLat,
                                  float *outLon);

#ifdef __cplusplus
}
#endif
#endif
