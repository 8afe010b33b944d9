#ifndef XPLMDefs_h
#define XPLMDefs_h
/* Basic definitions shared by the XPLM headers: linkage markers, plug-in ids,
 * key flags. Declared from the SDK's published interface (level 210). */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Marks the plug-in's five entry points: C linkage and exported, whatever
 * visibility the rest of the plug-in is compiled with. */
#ifdef __cplusplus
#define PLUGIN_API extern "C" __attribute__((visibility("default")))
#else
#define PLUGIN_API __attribute__((visibility("default")))
#endif

/* In a plug-in build the SDK functions are plain declarations, resolved from
 * the host process at load time. */
#define XPLM_API

typedef int XPLMPluginID;

#define XPLM_NO_PLUGIN_ID (-1)
#define XPLM_PLUGIN_XPLANE (0)
#define kXPLM_Version (210)

enum {
    xplm_ShiftFlag = 1,
    xplm_OptionAltFlag = 2,
    xplm_ControlFlag = 4,
    xplm_DownFlag = 8,
    xplm_UpFlag = 16
};
typedef int XPLMKeyFlags;

#ifdef __cplusplus
}
#endif
#endif
