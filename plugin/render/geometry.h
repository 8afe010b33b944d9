// The 2D panel's mapping: panel units (1024 x 1024, origin bottom left) to
// the coordinates the simulator draws the panel in ("draw") and the ones the
// mouse and windows use ("window"), and back; outlines and fills drawn in
// panel units; and the view type.
#pragma once

namespace quil {

constexpr int kViewPanel = 1000;  // the forward 2D panel
constexpr int kViewCabin = 1005;  // the 2D cabin view

struct PanelPoint {
    float x, y;  // panel units
};

// Binds its datarefs on the first call after start, then maps every call.
void UpdatePanelGeometry();
// Forgets the bound datarefs, so the next update binds afresh: at start.
void ResetPanelGeometry();

float PanelToDrawX(float x);
float PanelToDrawY(float y);
float DrawToPanelX(float x);
float DrawToPanelY(float y);
float PanelToWindowX(float x);
float PanelToWindowY(float y);
float WindowToPanelX(float x);
float WindowToPanelY(float y);
float WindowScale();

// In panel units, mapped to the screen, in the graphics state and pen
// colour the caller set.
void OutlinePanelRect(float left, float right, float bottom, float top);
void FillPanelRect(float left, float right, float bottom, float top);
void FillPanelPolygon(int count, const float* xs, const float* ys);

int GetViewType();
void SetViewType(int viewType);
bool IsExternalView();

}  // namespace quil
