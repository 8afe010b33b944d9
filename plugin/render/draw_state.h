// The graphics state, texture and line width the plug-in draws with, set
// only when they change, and everything drawn collected into runs of
// vertices, each sent with one glDrawArrays.
#pragma once

namespace quil {

// Inside a draw callback the graphics state, the bound texture and the line
// width are remembered, and a call that would set what is already set is
// skipped; vertices gather into a run until one of them or the kind of
// primitive changes. The simulator changes all of these between callbacks,
// so every callback holds a scope for its span, which starts with nothing
// known and ends by drawing the run and disabling the client arrays again,
// as the simulator expects them. Outside a scope every call goes through
// and every shape is drawn at once.
class DrawCallbackScope {
public:
    DrawCallbackScope();
    ~DrawCallbackScope();
    DrawCallbackScope(const DrawCallbackScope&) = delete;
    DrawCallbackScope& operator=(const DrawCallbackScope&) = delete;
};

// Before a host call that draws by itself (text): the run drawn and the
// client arrays disabled.
void DrawPendingRun();
// After one, nothing is known again.
void ForgetGraphicsState();

// XPLMSetGraphicsState and XPLMBindTexture2d (unit 0), skipped when they
// would change nothing.
void SetGraphicsState(int fog, int textureUnits, int lighting, int alphaTesting,
                      int alphaBlending, int depthTesting, int depthWriting);
void BindTexture(int texture);
void SetLineWidth(float width);

// The colour the vertices that follow take, as glColor would set it.
void SetPenColour(float red, float green, float blue, float alpha);
void SetPenColour(const float (&rgba)[4]);
const float* PenColour();  // RGBA

// What is drawn until EndTurn, turned clockwise by `degrees` about (x, y):
// the vertices are turned as they are given, so a turn does not end a run.
void BeginTurn(float x, float y, float degrees);
void EndTurn();

// An untextured shape in the pen's colour, vertex by vertex in screen
// coordinates, as between glBegin and glEnd of the primitive named. A fan
// is a triangle fan or a convex polygon. Lines and strips go into the run as
// separate lines, fans as separate triangles, which draw the same pixels.
enum class Shape { Lines, LineStrip, LineLoop, Fan };
void BeginShape(Shape shape);
void ShapeVertex(float x, float y);
void EndShape();

struct TexturedQuad {
    float x, y, width, height;  // lower-left corner and size on screen
    float texLeft, texBottom, texRight, texTop;
};

// How a quad takes its colour: through the transparent-panel rule of the
// panel's colours, or as given (window text).
enum class QuadColour { Panel, AsGiven };

// A quad from `texture` with alpha blending, and alpha testing when asked,
// in the colour given (none: the pen's).
void DrawRunQuad(int texture, int alphaTesting, const float* colour, QuadColour rule,
                 const TexturedQuad& quad);

}  // namespace quil
