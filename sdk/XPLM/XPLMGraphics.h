#ifndef XPLMGraphics_h
#define XPLMGraphics_h
/* The simulator's cached OpenGL state, its texture numbers and text drawing. */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    xplm_Tex_GeneralInterface = 0,
    xplm_Tex_AircraftPaint = 1,
    xplm_Tex_AircraftLiteMap = 2
};
typedef int XPLMTextureID;

enum {
    xplmFont_Basic = 0
};
typedef int XPLMFontID;

XPLM_API void XPLMSetGraphicsState(int inEnableFog, int inNumberTexUnits, int inEnableLighting,
                                   int inEnableAlphaTesting, int inEnableAlphaBlending,
                                   int inEnableDepthTesting, int inEnableDepthWriting);
XPLM_API void XPLMBindTexture2d(int inTextureNum, int inTextureUnit);
XPLM_API void XPLMGenerateTextureNumbers(int *outTextureIDs, int inCount);
XPLM_API int XPLMGetTexture(XPLMTextureID inTexture);
XPLM_API void XPLMDrawString(float *inColorRGB, int inXOffset, int inYOffset, const char *inChar,
                             int *inWordWrapWidth, XPLMFontID inFontID);

#ifdef __cplusplus
}
#endif
#endif
