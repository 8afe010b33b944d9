#ifndef XPLMMenus_h
#define XPLMMenus_h
/* Menus in the simulator's menu bar and its plug-ins menu. */

#include "XPLMDefs.h"
#include "XPLMUtilities.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void *XPLMMenuID;

/* Called with the menu's and the chosen item's reference values. */
typedef void (*XPLMMenuHandler_f)(void *inMenuRef, void *inItemRef);

XPLM_API XPLMMenuID XPLMFindPluginsMenu(void);
/* A sub-menu of the item inParentItem of inParentMenu; NULL on failure. */
XPLM_API XPLMMenuID XPLMCreateMenu(const char *inName, XPLMMenuID inParentMenu,
                                   int inParentItem, XPLMMenuHandler_f inHandler,
                                   void *inMenuRef);
XPLM_API void XPLMDestroyMenu(XPLMMenuID inMenuID);
/* The new item's index, negative for a menu that is not there. */
XPLM_API int XPLMAppendMenuItem(XPLMMenuID inMenu, const char *inItemName, void *inItemRef,
                                int inDeprecatedAndIgnored);

#ifdef __cplusplus
}
#endif
#endif
