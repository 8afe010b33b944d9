#include "render/draw_state.h"

#include <GL/gl.h>

#include <cmath>

#include "XPLMGraphics.h"
#include "render/colours.h"
#include "sim/units.h"

namespace quil {
namespace {

constexpr int kStateFields = 7;
// Room for several times the longest run the panel draws (the engine
// display's digits), 192 KB taken at load; a longer run is drawn in parts.
constexpr int kRunVertices = 6144;

struct Vertex {
    float x, y;
    float s, t;
    float r, g, b, a;
};

struct DrawState {
    bool insideCallback = false;
    bool stateKnown = false;
    int state[kStateFields] = {};
    bool textureKnown = false;
    int texture = 0;
    bool lineWidthKnown = false;
    float lineWidth = 1.0f;
    float pen[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

// The run: the vertices gathered since it was last drawn, all of one
// primitive; the client arrays point into it while they are enabled.
struct Run {
    Vertex vertices[kRunVertices];
    int count = 0;
    GLenum primitive = GL_QUADS;
    bool arraysEnabled = false;
};

// The shape being given, kept apart from the run: its first and last
// vertices make the lines and triangles it adds.
struct ShapeInProgress {
    Shape shape = Shape::Lines;
    int given = 0;
    Vertex first{}, last{};
};

// A turn about a point, applied to each vertex as it is given rather than
// through the matrix, which would end the run at each turned sprite (the
// lamp test turns the clock's hand to all sixty seconds).
struct Turn {
    bool on = false;
    float x = 0.0f, y = 0.0f;
    float cosine = 1.0f, sine = 0.0f;
};

DrawState current;
Run run;
ShapeInProgress shape;
Turn turn;

void enableArrays() {
    if (run.arraysEnabled) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &run.vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &run.vertices[0].s);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), &run.vertices[0].r);
    run.arraysEnabled = true;
}

void disableArrays() {
    if (!run.arraysEnabled) return;
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    run.arraysEnabled = false;
}

void drawRun() {
    if (run.count == 0) return;
    enableArrays();
    glDrawArrays(run.primitive, 0, run.count);
    run.count = 0;
}

// Room for `count` more vertices of `primitive` in the run, drawing what it
// holds first when it is of another primitive or full.
Vertex* reserve(GLenum primitive, int count) {
    if (run.primitive != primitive || run.count + count > kRunVertices) drawRun();
    run.primitive = primitive;
    Vertex* room = run.vertices + run.count;
    run.count += count;
    return room;
}

// Outside a callback a shape is drawn as soon as it is complete.
void drawUnlessInsideCallback() {
    if (current.insideCallback) return;
    drawRun();
    disableArrays();
}

Vertex penVertex(float x, float y) {
    if (turn.on) {
        const float turnedX = turn.cosine * x - turn.sine * y + turn.x;
        y = turn.sine * x + turn.cosine * y + turn.y;
        x = turnedX;
    }
    return {x, y, 0.0f, 0.0f, current.pen[0], current.pen[1], current.pen[2], current.pen[3]};
}

void addLine(const Vertex& from, const Vertex& to) {
    Vertex* room = reserve(GL_LINES, 2);
    room[0] = from;
    room[1] = to;
}

bool sameState(const int (&state)[kStateFields]) {
    if (!current.insideCallback || !current.stateKnown) return false;
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
    DrawPendingRun();
    current.insideCallback = false;
}

void DrawPendingRun() {
    drawRun();
    disableArrays();
}

void ForgetGraphicsState() {
    current.stateKnown = false;
    current.textureKnown = false;
    current.lineWidthKnown = false;
}

void SetGraphicsState(int fog, int textureUnits, int lighting, int alphaTesting,
                      int alphaBlending, int depthTesting, int depthWriting) {
    const int state[kStateFields] = {fog,          textureUnits,  lighting,    alphaTesting,
                                     alphaBlending, depthTesting, depthWriting};
    if (sameState(state)) return;
    drawRun();
    XPLMSetGraphicsState(fog, textureUnits, lighting, alphaTesting, alphaBlending, depthTesting,
                         depthWriting);
    for (int i = 0; i < kStateFields; ++i) current.state[i] = state[i];
    current.stateKnown = true;
}

void BindTexture(int texture) {
    if (current.insideCallback && current.textureKnown && current.texture == texture) return;
    drawRun();
    XPLMBindTexture2d(texture, 0);
    current.texture = texture;
    current.textureKnown = true;
}

void SetLineWidth(float width) {
    if (current.insideCallback && current.lineWidthKnown && current.lineWidth == width) return;
    drawRun();
    glLineWidth(width);
    current.lineWidth = width;
    current.lineWidthKnown = true;
}

void SetPenColour(float red, float green, float blue, float alpha) {
    current.pen[0] = red;
    current.pen[1] = green;
    current.pen[2] = blue;
    current.pen[3] = alpha;
}

void SetPenColour(const float (&rgba)[4]) { SetPenColour(rgba[0], rgba[1], rgba[2], rgba[3]); }

const float* PenColour() { return current.pen; }

void BeginTurn(float x, float y, float degrees) {
    // Counter-clockwise by minus the angle, as glRotatef would turn it.
    const double radians = -static_cast<double>(degrees) / kDegreesPerRadian;
    turn = {true, x, y, static_cast<float>(std::cos(radians)),
            static_cast<float>(std::sin(radians))};
}

void EndTurn() { turn.on = false; }

void BeginShape(Shape kind) {
    shape.shape = kind;
    shape.given = 0;
}

void ShapeVertex(float x, float y) {
    const Vertex vertex = penVertex(x, y);
    const int index = shape.given++;
    switch (shape.shape) {
        case Shape::Lines:
            if (index % 2 == 1) addLine(shape.last, vertex);
            break;
        case Shape::LineStrip:
        case Shape::LineLoop:
            if (index > 0) addLine(shape.last, vertex);
            break;
        case Shape::Fan:
            if (index > 1) {
                Vertex* room = reserve(GL_TRIANGLES, 3);
                room[0] = shape.first;
                room[1] = shape.last;
                room[2] = vertex;
            }
            break;
    }
    if (index == 0) shape.first = vertex;
    shape.last = vertex;
}

void EndShape() {
    if (shape.shape == Shape::LineLoop && shape.given > 1) addLine(shape.last, shape.first);
    shape.given = 0;
    drawUnlessInsideCallback();
}

void DrawRunQuad(int texture, int alphaTesting, const float* colour, QuadColour rule,
                 const TexturedQuad& quad) {
    SetGraphicsState(0, 1, 0, alphaTesting, 1, 0, 0);
    BindTexture(texture);
    if (rule == QuadColour::Panel) {
        SetColour(colour);
    } else if (colour != nullptr) {
        SetPenColour(colour[0], colour[1], colour[2], 1.0f);
    }
    const float right = quad.x + quad.width;
    const float top = quad.y + quad.height;
    Vertex* room = reserve(GL_QUADS, 4);
    room[0] = penVertex(quad.x, quad.y);
    room[1] = penVertex(quad.x, top);
    room[2] = penVertex(right, top);
    room[3] = penVertex(right, quad.y);
    room[0].s = room[1].s = quad.texLeft;
    room[2].s = room[3].s = quad.texRight;
    room[0].t = room[3].t = quad.texBottom;
    room[1].t = room[2].t = quad.texTop;
    drawUnlessInsideCallback();
}

}  // namespace quil
