// The graphics state and texture the plug-in draws with, set only when they
// change, and glyphs and sprites drawn in runs.
#pragma once

namespace quil {

// Inside a draw callback the graphics state and the bound texture are
// remembered, and a call that would set what is already set is skipped.
// The simulator changes both between callbacks, so every callback holds a
// scope for its span, which starts with nothing known; outside one, every
// call goes through.
class DrawCallbackScope {
public:
    DrawCallbackScope();
    ~DrawCallbackScope();
    DrawCallbackScope(const DrawCallbackScope&) = delete;
    DrawCallbackScope& operator=(const DrawCallbackScope&) = delete;
};

// After a host call that draws by itself (text), nothing is known again.
void ForgetGraphicsState();

// XPLMSetGraphicsState and XPLMBindTexture2d (unit 0), skipped when they
// would change nothing.
void SetGraphicsState(int fog, int textureUnits, int lighting, int alphaTesting,
                      int alphaBlending, int depthTesting, int depthWriting);
void BindTexture(int texture);

// A run: the quads drawn between BeginQuadRun and EndQuadRun (which nest)
// share one glBegin/glEnd for as long as they share a texture and a graphics
// state; nothing but quads may be drawn inside, and a change of state or
// texture ends the glBegin/glEnd by itself. Outside a run each quad is a
// run of its own.
void BeginQuadRun();
void EndQuadRun();
// Ends the open glBegin/glEnd, for a change of the matrix inside a run.
void FlushQuadRun();

struct TexturedQuad {
    float x, y, width, height;  // lower-left corner and size on screen
    float texLeft, texBottom, texRight, texTop;
};

// How a quad takes its colour: through the transparent-panel rule of the
// panel's colours, or as given (window text).
enum class QuadColour { Panel, AsGiven };

// A quad from `texture` with alpha blending, and alpha testing when asked,
// in the colour given (none: the current one).
void DrawRunQuad(int texture, int alphaTesting, const float* colour, QuadColour rule,
                 const TexturedQuad& quad);

}  // namespace quil
