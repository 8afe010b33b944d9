// The panel atlas: each sprite drawn inside the texels the plug-in shows of
// it (one column right of its rectangle). What the plug-in tints is drawn
// white; switches, knobs and lamps carry their own colours.
#include <cmath>
#include <cstdio>

#include "artwork/pixel_fonts.h"
#include "artwork/sheets.h"
#include "render/atlas_table.h"

namespace artwork {
namespace {

using quil::kAtlasRects;

constexpr int kAtlasHeightPx = 304;
constexpr float kPi = 3.14159265f;

constexpr Colour kInk = kWhite;
constexpr Colour kShadow = {0.0f, 0.0f, 0.0f, 0.85f};
constexpr Colour kBezel = {0.16f, 0.16f, 0.18f, 1.0f};
constexpr Colour kBezelRim = {0.55f, 0.56f, 0.58f, 1.0f};
constexpr Colour kMetal = {0.86f, 0.86f, 0.88f, 1.0f};
constexpr Colour kMetalShade = {0.5f, 0.5f, 0.53f, 1.0f};
constexpr Colour kKnob = {0.1f, 0.1f, 0.11f, 1.0f};
constexpr Colour kKnobRim = {0.32f, 0.32f, 0.34f, 1.0f};
constexpr Colour kPanelText = {0.92f, 0.92f, 0.92f, 1.0f};
constexpr Colour kLegendDark = {0.08f, 0.08f, 0.08f, 1.0f};
constexpr Colour kLens = {0.09f, 0.1f, 0.12f, 1.0f};
constexpr Colour kBlueLegend = {0.55f, 0.85f, 1.0f, 1.0f};
constexpr Colour kBlueGlow = {0.35f, 0.6f, 1.0f, 0.5f};
constexpr Colour kAmberLensDark = {0.22f, 0.15f, 0.06f, 1.0f};
constexpr Colour kAmberLegendDim = {0.5f, 0.38f, 0.2f, 1.0f};
constexpr Colour kAmberLegend = {1.0f, 0.72f, 0.2f, 1.0f};
constexpr Colour kAmberGlow = {1.0f, 0.55f, 0.05f, 0.5f};
constexpr Colour kGreenLens = {0.3f, 0.95f, 0.35f, 1.0f};
constexpr Colour kGreenGlow = {0.4f, 1.0f, 0.4f, 0.5f};

// The texels the plug-in shows of sprite n.
Box spriteBox(int n) {
    const quil::SpriteRect& r = kAtlasRects[n];
    return {r.x0 + 1, r.y0, r.x1 + 1, r.y1};
}

Box inset(const Box& box, int by) {
    return {box.left + by, box.bottom + by, box.right - by, box.top - by};
}

// Texels of the box from row `from` up to (not including) row `to`.
Box rows(const Box& box, int from, int to) { return {box.left, from, box.right, to}; }

int failedLabels = 0;

void label(Canvas& canvas, const Box& box, std::initializer_list<const char*> texts,
           const Colour& colour = kInk, FontChoice choice = FontChoice::LargeFirst) {
    ClipTo(canvas, box);
    if (!DrawLabel(canvas, box, texts, colour, choice)) {
        std::fprintf(stderr, "quil-artwork: \"%s\" does not fit %d x %d texels\n",
                     *(texts.end() - 1), box.width(), box.height());
        ++failedLabels;
    }
}

void legend(Canvas& canvas, int n, std::initializer_list<const char*> texts) {
    label(canvas, spriteBox(n), texts);
}

// Flight mode annunciations all in the small face, as on the display.
void annunciation(Canvas& canvas, int n, std::initializer_list<const char*> texts) {
    label(canvas, spriteBox(n), texts, kInk, FontChoice::SmallOnly);
}

void boxedLegend(Canvas& canvas, int n, std::initializer_list<const char*> texts) {
    const Box box = spriteBox(n);
    ClipTo(canvas, box);
    OutlineBox(canvas, box, kInk);
    label(canvas, inset(box, 1), texts, kInk, FontChoice::SmallOnly);
}

// An annunciator lens with its legend, glowing when lit.
void lamp(Canvas& canvas, const Box& box, std::initializer_list<const char*> texts,
          const Colour& lens, const Colour& text, const Colour* glow) {
    ClipTo(canvas, box);
    FillRoundRect(canvas, box.left, box.bottom, box.right, box.top, 1.5f, lens);
    if (glow != nullptr) {
        FillGlow(canvas, box.centreX(), box.centreY(), 0.6f * box.width(), 0.9f * box.height(),
                 *glow);
    }
    label(canvas, box, texts, text, FontChoice::SmallOnly);
}

void blueLight(Canvas& canvas, int n, std::initializer_list<const char*> texts) {
    lamp(canvas, spriteBox(n), texts, kLens, kBlueLegend, &kBlueGlow);
}

// A toggle switch seen from the front: its bezel nut, and the lever up
// (direction 1), down (-1), or end-on in the centre (0).
void toggleSwitch(Canvas& canvas, const Box& area, int direction) {
    ClipTo(canvas, area);
    const float cx = area.centreX(), cy = area.centreY();
    const float nut = 0.33f * std::min(area.width(), area.height());
    FillCircle(canvas, cx, cy, nut + 1.0f, kBezelRim);
    FillCircle(canvas, cx, cy, nut, kBezel);
    if (direction == 0) {
        FillCircle(canvas, cx, cy, 0.55f * nut + 0.8f, kShadow);
        FillCircle(canvas, cx, cy, 0.55f * nut, kMetal);
        FillCircle(canvas, cx - 0.2f * nut, cy + 0.2f * nut, 0.2f * nut, kWhite);
        return;
    }
    const float reach = 0.5f * area.height() - 2.5f;
    const Point tip = {cx, cy + direction * reach};
    const float width = std::max(2.5f, 0.3f * nut);
    StrokeLine(canvas, {cx, cy}, tip, width + 1.2f, kShadow);
    StrokeLine(canvas, {cx, cy}, tip, width, kMetalShade);
    StrokeLine(canvas, {cx - 0.3f * width, cy}, {tip.x - 0.3f * width, tip.y}, 0.4f * width,
               kMetal);
    FillCircle(canvas, tip.x, tip.y, 0.75f * width + 0.8f, kShadow);
    FillCircle(canvas, tip.x, tip.y, 0.75f * width, kMetal);
}

// A round knob whose pointer bar points at `degrees` clockwise from up.
void pointerKnob(Canvas& canvas, const Box& area, float cx, float cy, float radius, float degrees) {
    ClipTo(canvas, area);
    FillCircle(canvas, cx, cy, radius + 1.0f, kKnobRim);
    FillCircle(canvas, cx, cy, radius, kKnob);
    const float a = degrees * kPi / 180.0f;
    const Point tip = {cx + 0.95f * radius * std::sin(a), cy + 0.95f * radius * std::cos(a)};
    const Point tail = {cx - 0.6f * radius * std::sin(a), cy - 0.6f * radius * std::cos(a)};
    StrokeLine(canvas, tail, tip, 0.32f * radius + 1.0f, kShadow);
    StrokeLine(canvas, tail, tip, 0.32f * radius, kMetalShade);
    StrokeLine(canvas, {cx, cy}, tip, 0.14f * radius, kWhite);
}

// A white hover icon with a dark edge, so it reads on any panel colour.
void iconPolygon(Canvas& canvas, std::vector<Point> corners) {
    float cx = 0, cy = 0;
    for (const Point& p : corners) cx += p.x, cy += p.y;
    cx /= corners.size();
    cy /= corners.size();
    std::vector<Point> edge;
    for (const Point& p : corners) {
        const float dx = p.x - cx, dy = p.y - cy, d = std::hypot(dx, dy);
        edge.push_back({p.x + dx / d, p.y + dy / d});
    }
    FillPolygon(canvas, edge, kShadow);
    FillPolygon(canvas, corners, kWhite);
}

void iconBar(Canvas& canvas, float left, float bottom, float right, float top) {
    FillRoundRect(canvas, left - 1, bottom - 1, right + 1, top + 1, 1.5f, kShadow);
    FillRoundRect(canvas, left, bottom, right, top, 1.0f, kWhite);
}

// Triangle pointing up (tip above base) or down, across the column.
std::vector<Point> triangle(float left, float right, float base, float tip) {
    return {{left, base}, {right, base}, {0.5f * (left + right), tip}};
}

// ---- Engine display legends and boxes -------------------------------------

void engineDisplay(Canvas& canvas) {
    legend(canvas, 0, {"N1"});
    legend(canvas, 1, {"EGT"});
    legend(canvas, 2, {"N2"});
    legend(canvas, 3, {"FLOW"});
    boxedLegend(canvas, 4, {"REV"});
    legend(canvas, 5, {"TAT"});
    legend(canvas, 6, {"OIL"});
    legend(canvas, 7, {"CTR"});
    legend(canvas, 8, {"1"});
    legend(canvas, 9, {"2"});
    legend(canvas, 10, {"FF"});
    boxedLegend(canvas, 11, {"LOW OIL PRESS", "LOW OIL P"});
    legend(canvas, 12, {"OIL P"});
    legend(canvas, 13, {"OIL T"});
    legend(canvas, 14, {"OIL Q"});
    legend(canvas, 15, {"VIB"});
    legend(canvas, 16, {"HYD P"});
    legend(canvas, 17, {"HYD Q"});
    legend(canvas, 18, {"A/I"});
    legend(canvas, 19, {"ENG 1"});
    legend(canvas, 20, {"ENG 2"});
    legend(canvas, 22, {"C"});
    legend(canvas, 23, {"F"});
    legend(canvas, 24, {"%"});
    legend(canvas, 25, {"KG"});
    legend(canvas, 26, {"LB"});
    legend(canvas, 27, {"IN"});
    legend(canvas, 28, {"HPA"});
    boxedLegend(canvas, 101, {"START VALVE", "START VLV"});
    legend(canvas, 107, {"FUEL QTY\nKG X 1000", "FUEL\nKG X 1000"});
    legend(canvas, 108, {"FUEL QTY\nLB X 1000", "FUEL\nLB X 1000"});
    legend(canvas, 109, {"KG\nX 1000", "KG\nX1000"});
    legend(canvas, 110, {"LB\nX 1000", "LB\nX1000"});
    for (int n : {86, 87, 88}) {
        annunciation(canvas, n, {n == 86 ? "LOW" : n == 87 ? "IMBAL" : "CONFIG"});
    }
}

// The thrust-reference labels; D-TO and D-CLB share their right-hand
// texels with TO and CLB.
void thrustReference(Canvas& canvas) {
    legend(canvas, 60, {"---"});
    const Box derated = {spriteBox(62).left, spriteBox(62).bottom, spriteBox(61).right,
                         spriteBox(61).top};
    ClipTo(canvas, derated);
    DrawText(canvas, derated.left, derated.bottom + 1, "D", PixelFont::Large, kInk);
    DrawText(canvas, derated.left + 6, derated.bottom + 1, "-", PixelFont::Large, kInk);
    DrawText(canvas, spriteBox(61).left, derated.bottom + 1, "TO", PixelFont::Large, kInk);
    const Box deratedClimb = spriteBox(63);
    ClipTo(canvas, deratedClimb);
    DrawText(canvas, deratedClimb.left, deratedClimb.bottom + 1, "D", PixelFont::Large, kInk);
    DrawText(canvas, deratedClimb.left + 6, deratedClimb.bottom + 1, "-", PixelFont::Large, kInk);
    DrawText(canvas, spriteBox(64).left + 1, deratedClimb.bottom + 1, "CLB", PixelFont::Large,
             kInk);
    legend(canvas, 65, {"CRZ"});
    legend(canvas, 66, {"G/A"});
    legend(canvas, 67, {"CON"});
    legend(canvas, 68, {"MCT"});
}

// ---- Flight mode annunciations ---------------------------------------------

// The armed LNAV, VNAV and G/S sprites are wider cuts of the engaged ones.
void flightModes(Canvas& canvas) {
    annunciation(canvas, 30, {"LNAV"});
    annunciation(canvas, 31, {"ALT HOLD", "ALT HLD"});
    annunciation(canvas, 32, {"ARM"});
    annunciation(canvas, 34, {"VNAV PTH"});
    annunciation(canvas, 35, {"HDG SEL"});
    annunciation(canvas, 36, {"V/S"});
    annunciation(canvas, 37, {"N1"});
    annunciation(canvas, 74, {"MCP SPD"});
    annunciation(canvas, 75, {"FMC SPD"});
    legend(canvas, 76, {"FD"});
    legend(canvas, 77, {"CMD"});
    annunciation(canvas, 78, {"TO/GA"});
    annunciation(canvas, 79, {"RETARD"});
    annunciation(canvas, 81, {"G/S"});
    annunciation(canvas, 82, {"VOR/LOC"});
    annunciation(canvas, 92, {"THR HLD"});
    annunciation(canvas, 96, {"FLARE"});
}

// ---- Lights -------------------------------------------------------------------

void lights(Canvas& canvas) {
    blueLight(canvas, 38, {"GRD POWER", "GRD PWR"});
    blueLight(canvas, 39, {"GEN OFF BUS", "GEN OFF"});
    blueLight(canvas, 40, {"GEN OFF BUS", "GEN OFF"});
    blueLight(canvas, 41, {"SOURCE OFF", "SRC OFF"});
    blueLight(canvas, 42, {"SOURCE OFF", "SRC OFF"});
    blueLight(canvas, 43, {"TRANSFER BUS OFF", "XFR BUS OFF", "XFR OFF"});
    blueLight(canvas, 44, {"TRANSFER BUS OFF", "XFR BUS OFF", "XFR OFF"});
    lamp(canvas, spriteBox(50), {"ON"}, kLens, kKnobRim, nullptr);
    lamp(canvas, spriteBox(51), {"ON"}, kGreenLens, kLegendDark, &kGreenGlow);
    lamp(canvas, spriteBox(72), {"ARM"}, kGreenLens, kLegendDark, &kGreenGlow);
    lamp(canvas, spriteBox(73), {"ARM"}, kLens, kKnobRim, nullptr);
    lamp(canvas, spriteBox(116), {"LOW PRESSURE", "LOW PRESS", "LO PRESS"}, kAmberLensDark,
         kAmberLegendDim, nullptr);
    lamp(canvas, spriteBox(117), {"LOW PRESSURE", "LOW PRESS", "LO PRESS"}, kAmberLensDark,
         kAmberLegend, &kAmberGlow);

    // The mode control panel's button light: a white bar the panel tints.
    const Box bar = spriteBox(69);
    ClipTo(canvas, bar);
    FillRoundRect(canvas, bar.left + 1, bar.bottom + 2, bar.right - 1, bar.top - 2, 1.5f,
                  {1, 1, 1, 0.7f});
    FillRoundRect(canvas, bar.left + 2, bar.bottom + 3, bar.right - 2, bar.top - 3, 1.0f, kWhite);

    // The leading-edge lamp legends, dark over the lamps drawn beneath.
    const Box legends = spriteBox(111);
    ClipTo(canvas, legends);
    label(canvas, {legends.left + 1, legends.bottom + 1, legends.left + 25, legends.top - 1},
          {"TRANSIT", "TRANS"}, kLegendDark, FontChoice::SmallOnly);
    label(canvas, {legends.left + 22, legends.bottom + 1, legends.right, legends.top - 1}, {"EXT"},
          kLegendDark, FontChoice::SmallOnly);

    // Marker beacons: the ring, and the middle and inner markers' letters.
    for (int n : {89, 90, 91}) {
        const Box box = spriteBox(n);
        ClipTo(canvas, box);
        FillRing(canvas, box.centreX(), box.centreY(), 4.6f, 6.3f, kInk);
        if (n == 90) DrawText(canvas, box.left + 4, box.bottom + 4, "M", PixelFont::Small, kInk);
        if (n == 91) DrawText(canvas, box.left + 5, box.bottom + 4, "I", PixelFont::Small, kInk);
    }
}

// ---- Switches and knobs -----------------------------------------------------

void switches(Canvas& canvas) {
    // Generator switches: OFF up, the spring-loaded centre, ON down.
    toggleSwitch(canvas, spriteBox(45), 1);
    toggleSwitch(canvas, spriteBox(46), 0);
    toggleSwitch(canvas, spriteBox(47), -1);
    // External power, clear of the ignition selectors below them.
    for (int position = 0; position < 3; ++position) {
        const Box box = spriteBox(93 + position);
        toggleSwitch(canvas, rows(box, box.bottom + 6, box.top - 1), 1 - position);
    }
    toggleSwitch(canvas, spriteBox(48), 1);
    toggleSwitch(canvas, spriteBox(49), -1);
    toggleSwitch(canvas, spriteBox(114), 1);
    toggleSwitch(canvas, spriteBox(115), -1);
    // Autothrottle arm: up is ARM.
    toggleSwitch(canvas, spriteBox(70), -1);
    toggleSwitch(canvas, spriteBox(71), 1);

    // The flight director switch moves as a whole between its positions.
    const Box director = spriteBox(83);
    toggleSwitch(canvas,
                 {static_cast<int>(director.centreX()) - 9, director.bottom,
                  static_cast<int>(director.centreX()) + 10, director.top},
                 1);

    // Cabin switches, each a plate with its lever and legend.
    struct Cabin {
        int sprite;
        int direction;
        const char* text;
        int bottomMargin;
    };
    for (const Cabin& c : {Cabin{52, 1, "ON", 1}, Cabin{53, -1, "OFF", 0}}) {
        const Box box = spriteBox(c.sprite);
        const Box plate = {box.left + 2, box.bottom + c.bottomMargin + 1, box.right - 2,
                           box.top - 1};
        ClipTo(canvas, box);
        FillRoundRect(canvas, plate.left, plate.bottom, plate.right, plate.top, 4, kKnobRim);
        FillRoundRect(canvas, plate.left + 1, plate.bottom + 1, plate.right - 1, plate.top - 1, 3,
                      kBezel);
        label(canvas, {plate.left, plate.bottom + 2, plate.right, plate.bottom + 10}, {c.text},
              kPanelText);
        toggleSwitch(canvas, {plate.left, plate.bottom + 10, plate.right, plate.top - 2},
                     c.direction);
    }

    // Engine start switches: GRD, OFF, CONT, FLT. The lower right corner is
    // left clear.
    const float startAngles[4] = {-70, -25, 20, 65};
    for (int position = 0; position < 4; ++position) {
        const Box box = spriteBox(97 + position);
        pointerKnob(canvas, box, box.centreX(), box.centreY() + 1, 12.5f, startAngles[position]);
    }

    // Ignition selector: IGN L, BOTH, IGN R, clear of the power switches above.
    const float ignitionAngles[3] = {-35, 0, 35};
    for (int position = 0; position < 3; ++position) {
        const Box box = spriteBox(102 + position);
        const Box area = rows(box, box.bottom, box.top - 7);
        pointerKnob(canvas, area, area.centreX(), area.centreY(), 8.0f, ignitionAngles[position]);
    }

    // Crossfeed valve selector: the bar across the line when closed, along
    // it when open.
    for (int open = 0; open < 2; ++open) {
        const Box box = spriteBox(112 + open);
        pointerKnob(canvas, box, box.centreX(), box.centreY(), 14.0f, open ? 0.0f : 90.0f);
    }

    // A panel knob with its index mark.
    const Box knob = spriteBox(84);
    ClipTo(canvas, knob);
    FillCircle(canvas, knob.centreX(), knob.centreY(), 13.0f, kKnobRim);
    for (int k = 0; k < 16; ++k) {
        const float a = k * kPi / 8;
        FillCircle(canvas, knob.centreX() + 12.2f * std::sin(a),
                   knob.centreY() + 12.2f * std::cos(a), 1.0f, kKnob);
    }
    FillCircle(canvas, knob.centreX(), knob.centreY(), 10.5f, kKnob);
    StrokeLine(canvas, {knob.centreX(), knob.centreY() + 3}, {knob.centreX(), knob.centreY() + 10},
               2.0f, kWhite);
}

// ---- Hover icons ------------------------------------------------------------

void hoverIcons(Canvas& canvas) {
    // One column holds the single-step arrows, the click icon and the
    // click-spot marker: down arrow, bar, up arrow and a press dot, each cut
    // by the sprites that show them.
    const Box single = {spriteBox(56).left, spriteBox(56).bottom, spriteBox(56).right,
                        spriteBox(58).top};
    ClipTo(canvas, single);
    const float l = single.left + 1.5f, r = single.right - 1.5f;
    iconPolygon(canvas, triangle(l, r, 235.5f, 230.8f));
    iconBar(canvas, l + 1, 240.0f, r - 1, 242.0f);
    iconPolygon(canvas, triangle(l, r, 245.5f, 250.2f));
    FillCircle(canvas, single.centreX(), 253.0f, 2.2f, kShadow);
    FillCircle(canvas, single.centreX(), 253.0f, 1.5f, kWhite);

    // The five-step arrows: doubled heads either side of the bar.
    const Box fives = {spriteBox(57).left, spriteBox(57).bottom, spriteBox(55).right,
                       spriteBox(55).top};
    ClipTo(canvas, fives);
    const float fl = fives.left + 1.5f, fr = fives.right - 1.5f;
    iconPolygon(canvas, triangle(fl, fr, 231.0f, 226.8f));
    iconPolygon(canvas, triangle(fl, fr, 235.5f, 231.3f));
    iconBar(canvas, fl + 1, 240.0f, fr - 1, 242.0f);
    iconPolygon(canvas, triangle(fl, fr, 245.5f, 249.7f));
    iconPolygon(canvas, triangle(fl, fr, 250.0f, 254.2f));

    // Turn left and turn right: one arc with a head at each end; each
    // sprite shows the arc and its own head.
    const Box turns = {spriteBox(105).left, spriteBox(105).bottom, spriteBox(106).right,
                       spriteBox(106).top};
    ClipTo(canvas, turns);
    const float cx = 0.5f * (spriteBox(106).left + spriteBox(105).right), cy = turns.bottom + 5.0f;
    const float rx = 0.5f * (spriteBox(105).right - spriteBox(106).left) - 0.5f, ry = 6.5f;
    auto arc = [&](float width, const Colour& colour) {
        FillShape(
            canvas, cx - rx - width, cy - 1, cx + rx + width, cy + ry + width,
            [=](float x, float y) {
                if (y < cy) return false;
                const float d = std::hypot((x - cx) / rx, (y - cy) / ry);
                return std::fabs(d - 1.0f) * std::min(rx, ry) <= 0.5f * width;
            },
            colour);
    };
    arc(3.6f, kShadow);
    arc(2.0f, kWhite);
    iconPolygon(
        canvas,
        {{turns.left + 0.5f, cy}, {cx - rx + 2.5f, cy + 3.5f}, {cx - rx + 2.5f, cy - 3.5f}});
    iconPolygon(
        canvas,
        {{turns.right - 0.5f, cy}, {cx + rx - 2.5f, cy - 3.5f}, {cx + rx - 2.5f, cy + 3.5f}});

    // Popup menu: a small window.
    const Box menu = spriteBox(85);
    ClipTo(canvas, menu);
    const Box frame = {menu.left + 1, menu.bottom + 3, menu.right - 1, menu.top - 3};
    FillBox(canvas, inset(frame, -1), kShadow);
    FillBox(canvas, frame, kWhite);
    FillBox(canvas, {frame.left + 1, frame.bottom + 1, frame.right - 1, frame.top - 4}, kShadow);
    for (int y = frame.bottom + 3; y < frame.top - 5; y += 3) {
        FillBox(canvas, {frame.left + 3, y, frame.right - 3, y + 1}, kWhite);
    }
}

}  // namespace

Canvas DrawPanelAtlas() {
    Canvas canvas = MakeCanvas(quil::kAtlasWidthPx, kAtlasHeightPx);
    failedLabels = 0;
    engineDisplay(canvas);
    thrustReference(canvas);
    flightModes(canvas);
    lights(canvas);
    switches(canvas);
    hoverIcons(canvas);
    ClipToCanvas(canvas);
    if (failedLabels > 0) std::fprintf(stderr, "quil-artwork: %d labels cut\n", failedLabels);
    return canvas;
}

}  // namespace artwork
