#include "render/draw_state.h"

#include <GL/gl.h>

#include "XPLMGraphics.h"
#include "render/colours.h"

namespace quil {
namespace {

constexpr int kStateFields = 7;

struct DrawState {
    bool insideCallback = false;
    bool stateKnown = false;
    int state[kStateFields] = {};
    bool textureKnown = false;
    int texture = 0;
    int runDepth = 0;
    bool quadsOpen = false;  // a glBegin(GL_QUADS) waits for its glEnd
};

DrawState current;

// Inside a callback, and inside a run, nothing but the plug-in changes the
// state.
bool remembered() { return current.insideCallback || current.runDepth > 0; }

bool sameState(const int (&state)[kStateFields]) {
    if (!remembered() || !current.stateKnown) return false;
    for (int i = 0; i < kStateFields; ++i) {
        if (current.state[i] != state[i]) return false;
    }
    return true;
}

}  // namespace

DrawCallbackScope::DrawCallbackScope() {
    ForgetGraphicsState();
    current.insideCallback = true;
}

DrawCallbackScope::~DrawCallbackScope() {
    current.runDepth = 0;
    FlushQuadRun();
    current.insideCallback = false;
}

void ForgetGraphicsState() {
    current.stateKnown = false;
    current.textureKnown = false;
}

void SetGraphicsState(int fog, int textureUnits, int lighting, int alphaTesting,
                      int alphaBlending, int depthTesting, int depthWriting) {
    const int state[kStateFields] = {fog,          textureUnits,  lighting,    alphaTesting,
                                     alphaBlending, depthTesting, depthWriting};
    if (sameState(state)) return;
    FlushQuadRun();
    XPLMSetGraphicsState(fog, textureUnits, lighting, alphaTesting, alphaBlending, depthTesting,
                         depthWriting);
    for (int i = 0; i < kStateFields; ++i) current.state[i] = state[i];
    current.stateKnown = true;
}

void BindTexture(int texture) {
    if (remembered() && current.textureKnown && current.texture == texture) return;
    FlushQuadRun();
    XPLMBindTexture2d(texture, 0);
    current.texture = texture;
    current.textureKnown = true;
}

void BeginQuadRun() {
    if (current.runDepth == 0 && !current.insideCallback) ForgetGraphicsState();
    ++current.runDepth;
}

void EndQuadRun() {
    if (current.runDepth > 0) --current.runDepth;
    if (current.runDepth == 0) FlushQuadRun();
}

void FlushQuadRun() {
    if (!current.quadsOpen) return;
    current.quadsOpen = false;
    glEnd();
}

void DrawRunQuad(int texture, int alphaTesting, const float* colour, QuadColour rule,
                 const TexturedQuad& quad) {
    SetGraphicsState(0, 1, 0, alphaTesting, 1, 0, 0);
    BindTexture(texture);
    if (!current.quadsOpen) {
        glBegin(GL_QUADS);
        current.quadsOpen = true;
    }
    if (rule == QuadColour::Panel) {
        SetColour(colour);
    } else if (colour != nullptr) {
        glColor3fv(colour);
    }
    glTexCoord2f(quad.texLeft, quad.texBottom);
    glVertex2f(quad.x, quad.y);
    glTexCoord2f(quad.texLeft, quad.texTop);
    glVertex2f(quad.x, quad.y + quad.height);
    glTexCoord2f(quad.texRight, quad.texTop);
    glVertex2f(quad.x + quad.width, quad.y + quad.height);
    glTexCoord2f(quad.texRight, quad.texBottom);
    glVertex2f(quad.x + quad.width, quad.y);
    if (current.runDepth == 0) FlushQuadRun();
}

}  // namespace quil
