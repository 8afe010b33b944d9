// Where a popup window's controls and lamps sit: a row per control, from
// which its click zones, its drawing and the artwork generator (which paints
// what the control sits on) all read, and a row per lamp lens. Window pixels
// from the lower-left corner; boxes count both edges, as the sprite
// rectangles do.
#pragma once

namespace quil {

struct WindowPoint {
    float x, y;
};

struct WindowBox {
    int x0, y0, x1, y1;
};

// What the window's plate shows under a control.
enum class ControlMount : unsigned char {
    None,
    Plate,        // a dark mounting plate
    KnobScale,    // a knob's ticks round a dark centre
    CloseButton,  // the window's close button itself
    Opening,      // a hole in a frame, showing what is drawn beneath
};

struct ControlLayout {
    WindowBox zone;  // all that a click on the control reaches
    // Where the zone's parts meet: the first row (RowPart) or column
    // (ColumnPart) of each part after the first; a quadrant cut takes the
    // column from the first and the row from the second. 0: no cut.
    int cuts[2];
    WindowPoint at;  // its sprite's lower-left corner (a turned knob: its centre)
    ControlMount mount;
    WindowBox mountBox;  // where the mount is painted
};

// A lamp: its lens on the plate with the legend, and the lit face one pixel
// inside it; a lens over two lamps lights its halves, a pixel between them.
struct LampLayout {
    WindowBox lens;
    const char* legend;
    int lamps = 1;
};

constexpr WindowBox LampFace(const LampLayout& lamp, int n) {
    const WindowBox& l = lamp.lens;
    const WindowBox face = {l.x0 + 1, l.y0 + 1, l.x1 - 1, l.y1 - 1};
    if (lamp.lamps < 2) return face;
    const int half = (face.x1 - face.x0) / 2;
    return n == 0 ? WindowBox{face.x0, face.y0, face.x0 + half - 1, face.y1}
                  : WindowBox{face.x1 - half + 1, face.y0, face.x1, face.y1};
}

// A mount box left empty is the zone itself.
constexpr WindowBox kSameAsZone = {};

constexpr WindowBox MountBox(const ControlLayout& control) {
    const WindowBox& m = control.mountBox;
    return m.x0 == 0 && m.y0 == 0 && m.x1 == 0 && m.y1 == 0 ? control.zone : m;
}

// Edge n of a zone's parts along one axis: its first pixel, then each cut,
// then one past its last pixel.
constexpr int PartEdge(int first, int last, const int (&cuts)[2], int n) {
    if (n == 0) return first;
    int found = 0;
    for (int cut : cuts) {
        if (cut != 0 && ++found == n) return cut;
    }
    return last + 1;
}

// Part n of the zone, counted from the bottom.
constexpr WindowBox RowPart(const ControlLayout& control, int n) {
    const WindowBox& z = control.zone;
    return {z.x0, PartEdge(z.y0, z.y1, control.cuts, n), z.x1,
            PartEdge(z.y0, z.y1, control.cuts, n + 1) - 1};
}

// Part n of the zone, counted from the left.
constexpr WindowBox ColumnPart(const ControlLayout& control, int n) {
    const WindowBox& z = control.zone;
    return {PartEdge(z.x0, z.x1, control.cuts, n), z.y0,
            PartEdge(z.x0, z.x1, control.cuts, n + 1) - 1, z.y1};
}

enum Quadrant : int { kLowerLeft, kUpperLeft, kUpperRight, kLowerRight };

constexpr WindowBox QuadrantPart(const ControlLayout& control, Quadrant quadrant) {
    const WindowBox& z = control.zone;
    const int column = control.cuts[0], row = control.cuts[1];
    const bool left = quadrant == kLowerLeft || quadrant == kUpperLeft;
    const bool lower = quadrant == kLowerLeft || quadrant == kLowerRight;
    return {left ? z.x0 : column, lower ? z.y0 : row, left ? column - 1 : z.x1,
            lower ? row - 1 : z.y1};
}

}  // namespace quil
