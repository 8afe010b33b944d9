#ifndef XPWidgets_h
#define XPWidgets_h
/* Creating, showing and destroying widgets, their text, geometry,
 * properties and callbacks. */

#include "XPWidgetDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

WIDGET_API XPWidgetID XPCreateWidget(int inLeft, int inTop, int inRight, int inBottom,
                                     int inVisible, const char *inDescriptor, int inIsRoot,
                                     XPWidgetID inContainer, XPWidgetClass inClass);
WIDGET_API XPWidgetID XPCreateCustomWidget(int inLeft, int inTop, int inRight, int inBottom,
                                           int inVisible, const char *inDescriptor,
                                           int inIsRoot, XPWidgetID inContainer,
                                           XPWidgetFunc_t inCallback);
WIDGET_API void XPDestroyWidget(XPWidgetID inWidget, int inDestroyChildren);
WIDGET_API void XPShowWidget(XPWidgetID inWidget);
WIDGET_API void XPHideWidget(XPWidgetID inWidget);
WIDGET_API void XPGetWidgetGeometry(XPWidgetID inWidget, int *outLeft, int *outTop,
                                    int *outRight, int *outBottom);
WIDGET_API void XPSetWidgetDescriptor(XPWidgetID inWidget, const char *inDescriptor);
WIDGET_API int XPGetWidgetDescriptor(XPWidgetID inWidget, char *outDescriptor, int inMaxDescLength);
WIDGET_API void XPSetWidgetProperty(XPWidgetID inWidget, XPWidgetPropertyID inProperty,
                                    intptr_t inValue);
WIDGET_API void XPAddWidgetCallback(XPWidgetID inWidget, XPWidgetFunc_t inNewCallback);

#ifdef __cplusplus
}
#endif
#endif
