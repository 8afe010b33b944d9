// Draws a textured quad and a string in the gauges phase, the way a plug-in
// draws its own instruments, so that tests can read the pixels back.
#include <GL/gl.h>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "probe.h"

namespace {

// 2 x 2 texels, bottom row first: red, green / blue, white.
constexpr unsigned char kTexelsRgba[] = {255, 0,   0,   255, 0,   255, 0,   255,
                                         0,   0,   255, 255, 255, 255, 255, 255};
constexpr int kTextureSidePx = 2;

ProbeValue drawQuad{"probe/draw_quad"};
// Where the quad and the text go, in window pixels; tests read them here.
ProbeValue quadLeft{"probe/quad_left"};
ProbeValue quadBottom{"probe/quad_bottom"};
ProbeValue quadSize{"probe/quad_size"};
ProbeValue textX{"probe/text_x"};
ProbeValue textY{"probe/text_y"};
ProbeValue textWrap{"probe/text_wrap"};  // pixels; 0: no wrapping
ProbeValue quadTexture{"probe/quad_texture"};  // its texture number
// 1: the texture is specified afresh every frame, which makes the graphics
// driver allocate inside the probe's GL calls.
ProbeValue reuploadTexture{"probe/reupload_texture"};
ProbeValue* const kValues[] = {&drawQuad, &quadLeft,   &quadBottom,  &quadSize,       &textX,
                               &textY,    &textWrap,   &quadTexture, &reuploadTexture};

void uploadTexture() {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSidePx, kTextureSidePx, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, kTexelsRgba);
}

int drawGauges(XPLMDrawingPhase, int, void*) {
    if (drawQuad.i != 1) return 1;
    XPLMSetGraphicsState(0, 1, 0, 0, 0, 0, 0);
    XPLMBindTexture2d(quadTexture.i, 0);
    if (reuploadTexture.i != 0) uploadTexture();
    const int left = quadLeft.i, bottom = quadBottom.i;
    const int right = left + quadSize.i, top = bottom + quadSize.i;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(left, bottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(right, bottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(right, top);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(left, top);
    glEnd();

    float white[3] = {1.0f, 1.0f, 1.0f};
    char text[] = "PROBE";
    XPLMDrawString(white, textX.i, textY.i, text, textWrap.i > 0 ? &textWrap.i : nullptr,
                   xplmFont_Basic);
    return 1;
}

}  // namespace

void startProbeGraphics() {
    quadLeft.i = 100;
    quadBottom.i = 100;
    quadSize.i = 64;
    textX.i = 100;
    textY.i = 80;
    for (ProbeValue* value : kValues) publishInt(*value);

    XPLMGenerateTextureNumbers(&quadTexture.i, 1);
    XPLMBindTexture2d(quadTexture.i, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    uploadTexture();
    XPLMRegisterDrawCallback(drawGauges, xplm_Phase_Gauges, 0, nullptr);
}

void stopProbeGraphics() {
    XPLMUnregisterDrawCallback(drawGauges, xplm_Phase_Gauges, 0, nullptr);
    const GLuint texture = static_cast<GLuint>(quadTexture.i);
    glDeleteTextures(1, &texture);
    for (ProbeValue* value : kValues) withdraw(*value);
    drawQuad.i = 0;
    textWrap.i = 0;
    reuploadTexture.i = 0;
}
