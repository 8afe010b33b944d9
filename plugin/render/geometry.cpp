#include "render/geometry.h"

#include <cmath>
#include <initializer_list>

#include "XPLMDataAccess.h"
#include "render/draw_state.h"
#include "sim/snapshot.h"

namespace quil {
namespace {

constexpr float kPanelUnits = 1024.0f;

struct AxisMap {
    float origin = 0.0f;
    float scale = 1.0f;
};

struct SpaceMap {
    AxisMap x, y;
};

struct PanelDataRefs {
    XPLMDataRef pnlLeft, pnlRight, pnlBottom, pnlTop;
    XPLMDataRef winLeft, winRight, winBottom, winTop;
    XPLMDataRef scrollPosition;
};

struct PanelMapping {
    SpaceMap draw, window;
    float windowHeight = 0.0f;
    float fallbackOffset = 0.0f;
    bool initialised = false;
    PanelDataRefs refs{};
};

PanelMapping mapping;

// A dataref the host lacks reads as 0.
float readFloat(XPLMDataRef ref) { return ref != nullptr ? XPLMGetDataf(ref) : 0.0f; }
int readInt(XPLMDataRef ref) { return ref != nullptr ? XPLMGetDatai(ref) : 0; }

void bindPanelDataRefs() {
    PanelDataRefs& refs = mapping.refs;
    refs.pnlLeft = XPLMFindDataRef("sim/graphics/view/panel_total_pnl_l");
    refs.pnlRight = XPLMFindDataRef("sim/graphics/view/panel_total_pnl_r");
    refs.pnlBottom = XPLMFindDataRef("sim/graphics/view/panel_total_pnl_b");
    refs.pnlTop = XPLMFindDataRef("sim/graphics/view/panel_total_pnl_t");
    refs.winLeft = XPLMFindDataRef("sim/graphics/view/panel_total_win_l");
    refs.winRight = XPLMFindDataRef("sim/graphics/view/panel_total_win_r");
    refs.winBottom = XPLMFindDataRef("sim/graphics/view/panel_total_win_b");
    refs.winTop = XPLMFindDataRef("sim/graphics/view/panel_total_win_t");
    refs.scrollPosition = XPLMFindDataRef("sim/graphics/misc/current_scroll_pos");
    // The window's size as the binding read it.
    const float width = snapshot.windowWidth;
    const float height = snapshot.windowHeight;
    mapping.windowHeight = height;
    const float visible = 0.75f * width > height ? height : 0.75f * width;
    mapping.fallbackOffset = std::trunc(visible * 4.0f / 3.0f * 768.0f / 1024.0f) + 255.5f;
    mapping.initialised = true;
}

// An axis from the simulator's panel extents; a degenerate or non-finite
// extent keeps the axis as it was, so no division by zero reaches a caller.
void mapAxis(AxisMap& axis, XPLMDataRef low, XPLMDataRef high) {
    const float from = readFloat(low);
    const float scale = (readFloat(high) - from) / kPanelUnits;
    if (!std::isfinite(from) || !std::isfinite(scale) || scale == 0.0f) return;
    axis.origin = from;
    axis.scale = scale;
}

void fallbackMapping() {
    const float originY =
        readFloat(mapping.refs.scrollPosition) + (mapping.windowHeight - mapping.fallbackOffset);
    for (SpaceMap* space : {&mapping.draw, &mapping.window}) {
        space->x = {0.0f, 1.0f};
        space->y = {std::isfinite(originY) ? originY : 0.0f, 1.0f};
    }
}

float toScreen(const AxisMap& axis, float panel) { return axis.scale * panel + axis.origin; }
float toPanel(const AxisMap& axis, float screen) { return (screen - axis.origin) / axis.scale; }

void drawVertex(float x, float y) {
    ShapeVertex(toScreen(mapping.draw.x, x), toScreen(mapping.draw.y, y));
}

// The view accessors resolve their datarefs on first use.
XPLMDataRef viewTypeRef = nullptr;
XPLMDataRef externalViewRef = nullptr;
bool viewRefsResolved = false;

void resolveViewRefs() {
    if (viewRefsResolved) return;
    viewTypeRef = XPLMFindDataRef("sim/graphics/view/view_type");
    externalViewRef = XPLMFindDataRef("sim/graphics/view/view_is_external");
    viewRefsResolved = true;
}

}  // namespace

void UpdatePanelGeometry() {
    if (!mapping.initialised) bindPanelDataRefs();
    const PanelDataRefs& refs = mapping.refs;
    if (refs.pnlLeft == nullptr) {
        fallbackMapping();
        return;
    }
    mapAxis(mapping.draw.x, refs.pnlLeft, refs.pnlRight);
    mapAxis(mapping.draw.y, refs.pnlBottom, refs.pnlTop);
    mapAxis(mapping.window.x, refs.winLeft, refs.winRight);
    mapAxis(mapping.window.y, refs.winBottom, refs.winTop);
}

float PanelToDrawX(float x) { return toScreen(mapping.draw.x, x); }
float PanelToDrawY(float y) { return toScreen(mapping.draw.y, y); }
float DrawToPanelX(float x) { return toPanel(mapping.draw.x, x); }
float DrawToPanelY(float y) { return toPanel(mapping.draw.y, y); }
float PanelToWindowX(float x) { return toScreen(mapping.window.x, x); }
float PanelToWindowY(float y) { return toScreen(mapping.window.y, y); }
float WindowToPanelX(float x) { return toPanel(mapping.window.x, x); }
float WindowToPanelY(float y) { return toPanel(mapping.window.y, y); }
float WindowScale() { return mapping.window.x.scale; }

void OutlinePanelRect(float left, float right, float bottom, float top) {
    BeginShape(Shape::LineStrip);
    drawVertex(left, bottom);
    drawVertex(left, top);
    drawVertex(right, top);
    drawVertex(right, bottom);
    drawVertex(left, bottom);
    EndShape();
}

void FillPanelRect(float left, float right, float bottom, float top) {
    BeginShape(Shape::Fan);
    drawVertex(left, bottom);
    drawVertex(left, top);
    drawVertex(right, top);
    drawVertex(right, bottom);
    EndShape();
}

void FillPanelPolygon(int count, const float* xs, const float* ys) {
    if (count <= 0 || xs == nullptr || ys == nullptr) return;
    BeginShape(Shape::Fan);
    for (int i = 0; i < count; ++i) drawVertex(xs[i], ys[i]);
    EndShape();
}

void ResetPanelGeometry() {
    mapping = PanelMapping();
    viewRefsResolved = false;
    viewTypeRef = externalViewRef = nullptr;
}

int GetViewType() {
    resolveViewRefs();
    return readInt(viewTypeRef);
}

void SetViewType(int viewType) {
    resolveViewRefs();
    if (viewTypeRef != nullptr) XPLMSetDatai(viewTypeRef, viewType);
}

bool IsExternalView() {
    resolveViewRefs();
    return readInt(externalViewRef) != 0;
}

}  // namespace quil
