#ifndef XPLMPlugin_h
#define XPLMPlugin_h
/* Plug-in identity and messages between plug-ins and from the simulator. */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

#define XPLM_MSG_PLANE_CRASHED 101
#define XPLM_MSG_PLANE_LOADED 102
#define XPLM_MSG_AIRPORT_LOADED 103
#define XPLM_MSG_SCENERY_LOADED 104
#define XPLM_MSG_AIRPLANE_COUNT_CHANGED 105

XPLM_API XPLMPluginID XPLMGetMyID(void);
XPLM_API void XPLMGetPluginInfo(XPLMPluginID inPlugin, char *outName, char *outFilePath,
                                char *outSignature, char *outDescription);
XPLM_API void XPLMSendMessageToPlugin(XPLMPluginID inPlugin, int inMessage, void *inParam);
XPLM_API XPLMPluginID XPLMFindPluginBySignature(const char *inSignature);
XPLM_API int XPLMIsPluginEnabled(XPLMPluginID inPluginID);

/* Features: optional behaviours of the plug-in system a plug-in opts into. */
XPLM_API int XPLMHasFeature(const char *inFeature);
XPLM_API int XPLMIsFeatureEnabled(const char *inFeature);
XPLM_API void XPLMEnableFeature(const char *inFeature, int inEnable);

#ifdef __cplusplus
}
#endif
#endif
