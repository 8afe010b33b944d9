// The panel atlas: each sprite drawn inside the texels the plug-in shows of
// it (one column right of its rectangle). What the plug-in tints is drawn
// white; switches, knobs and lamps carry their own colours.
#include <cmath>
#include <cstdio>

#include "artwork/controls.h"
#include "artwork/pixel_fonts.h"
#include "artwork/sheets.h"
#include "render/atlas_table.h"

namespace artwork {
namespace {

using namespace quil;  // the sprite names and rectangles

constexpr int kAtlasHeightPx = 304;

constexpr Colour kInk = kWhite;

// The texels the plug-in shows of sprite n.
Box spriteBox(int n) {
    const SpriteRect& r = kAtlasRects[n];
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
    legend(canvas, kSpriteN1Legend, {"N1"});
    legend(canvas, kSpriteEgtLegend, {"EGT"});
    legend(canvas, kSpriteN2Legend, {"N2"});
    legend(canvas, kSpriteFfLegend, {"FLOW"});
    boxedLegend(canvas, kSpriteRevBox, {"REV"});
    legend(canvas, kSpriteTatLegend, {"TAT"});
    legend(canvas, kSpriteOilLegend, {"OIL"});
    legend(canvas, kSpriteCentreTankLegend, {"CTR"});
    legend(canvas, kSpriteTank1Legend, {"1"});
    legend(canvas, kSpriteTank2Legend, {"2"});
    legend(canvas, kSpriteFfLegendNarrow, {"FF"});
    boxedLegend(canvas, kSpriteLowOilPressureBox, {"LOW OIL PRESS", "LOW OIL P"});
    legend(canvas, kSpriteOilPressureLegend, {"OIL P"});
    legend(canvas, kSpriteOilTemperatureLegend, {"OIL T"});
    legend(canvas, kSpriteOilQuantityLegend, {"OIL Q"});
    legend(canvas, kSpriteVibrationLegend, {"VIB"});
    legend(canvas, kSpriteHydPressureLegend, {"HYD P"});
    legend(canvas, kSpriteHydQuantityLegend, {"HYD Q"});
    legend(canvas, kSpriteN1AntiIceMark, {"A/I"});
    legend(canvas, kSpriteEngine1Legend, {"ENG 1"});
    legend(canvas, kSpriteEngine2Legend, {"ENG 2"});
    legend(canvas, kSpriteCelsiusLegend, {"C"});
    legend(canvas, kSpriteFahrenheitLegend, {"F"});
    legend(canvas, kSpritePercentLegend, {"%"});
    legend(canvas, kSpriteKgLegend, {"KG"});
    legend(canvas, kSpriteLbLegend, {"LB"});
    legend(canvas, kSpriteInchesLegend, {"IN"});
    legend(canvas, kSpriteHpaLegend, {"HPA"});
    boxedLegend(canvas, kSpriteStartValveOpenBox, {"START VALVE", "START VLV"});
    legend(canvas, kSpriteFuelKgLegend, {"FUEL QTY\nKG X 1000", "FUEL\nKG X 1000"});
    legend(canvas, kSpriteFuelLbLegend, {"FUEL QTY\nLB X 1000", "FUEL\nLB X 1000"});
    legend(canvas, kSpriteKgThousandsLegend, {"KG\nX 1000", "KG\nX1000"});
    legend(canvas, kSpriteLbThousandsLegend, {"LB\nX 1000", "LB\nX1000"});
    annunciation(canvas, kSpriteFuelLowLight, {"LOW"});
    annunciation(canvas, kSpriteFuelImbalanceLight, {"IMBAL"});
    annunciation(canvas, kSpriteFuelConfigLight, {"CONFIG"});
}

// The thrust-reference labels; D-TO and D-CLB share their right-hand
// texels with TO and CLB.
void thrustReference(Canvas& canvas) {
    legend(canvas, kSpriteThrustRefNone, {"---"});
    const Box derated = {spriteBox(kSpriteThrustRefTakeoffReduced).left,
                         spriteBox(kSpriteThrustRefTakeoffReduced).bottom,
                         spriteBox(kSpriteThrustRefTakeoff).right,
                         spriteBox(kSpriteThrustRefTakeoff).top};
    ClipTo(canvas, derated);
    DrawText(canvas, derated.left, derated.bottom + 1, "D", PixelFont::Large, kInk);
    DrawText(canvas, derated.left + 6, derated.bottom + 1, "-", PixelFont::Large, kInk);
    DrawText(canvas, spriteBox(kSpriteThrustRefTakeoff).left, derated.bottom + 1, "TO",
             PixelFont::Large, kInk);
    const Box deratedClimb = spriteBox(kSpriteThrustRefClimbReduced);
    ClipTo(canvas, deratedClimb);
    DrawText(canvas, deratedClimb.left, deratedClimb.bottom + 1, "D", PixelFont::Large, kInk);
    DrawText(canvas, deratedClimb.left + 6, deratedClimb.bottom + 1, "-", PixelFont::Large, kInk);
    DrawText(canvas, spriteBox(kSpriteThrustRefClimb).left + 1, deratedClimb.bottom + 1, "CLB",
             PixelFont::Large, kInk);
    legend(canvas, kSpriteThrustRefCruise, {"CRZ"});
    legend(canvas, kSpriteThrustRefGoAround, {"G/A"});
    legend(canvas, kSpriteThrustRefContinuous, {"CON"});
    legend(canvas, kSpriteThrustRefMaximum, {"MCT"});
}

// ---- Flight mode annunciations ---------------------------------------------

// The armed LNAV, VNAV and G/S sprites are wider cuts of the engaged ones.
void flightModes(Canvas& canvas) {
    annunciation(canvas, kSpriteFmaLnav, {"LNAV"});
    annunciation(canvas, kSpriteFmaAltHold, {"ALT HOLD", "ALT HLD"});
    annunciation(canvas, kSpriteFmaArm, {"ARM"});
    annunciation(canvas, kSpriteFmaVnavPath, {"VNAV PTH"});
    annunciation(canvas, kSpriteFmaHdgSel, {"HDG SEL"});
    annunciation(canvas, kSpriteFmaVs, {"V/S"});
    annunciation(canvas, kSpriteFmaN1, {"N1"});
    annunciation(canvas, kSpriteFmaMcpSpd, {"MCP SPD"});
    annunciation(canvas, kSpriteFmaFmcSpd, {"FMC SPD"});
    legend(canvas, kSpriteAfdsStatusFd, {"FD"});
    legend(canvas, kSpriteAfdsStatusCmd, {"CMD"});
    annunciation(canvas, kSpriteFmaToga, {"TO/GA"});
    annunciation(canvas, kSpriteFmaRetard, {"RETARD"});
    annunciation(canvas, kSpriteFmaGs, {"G/S"});
    annunciation(canvas, kSpriteFmaVorLoc, {"VOR/LOC"});
    annunciation(canvas, kSpriteFmaThrHold, {"THR HLD"});
    annunciation(canvas, kSpriteFmaFlare, {"FLARE"});
}

// ---- Lights -------------------------------------------------------------------

void lights(Canvas& canvas) {
    blueLight(canvas, kSpriteGroundPowerAvailableLight, {"GRD POWER", "GRD PWR"});
    blueLight(canvas, kSpriteGeneratorOffBusLight1, {"GEN OFF BUS", "GEN OFF"});
    blueLight(canvas, kSpriteGeneratorOffBusLight2, {"GEN OFF BUS", "GEN OFF"});
    blueLight(canvas, kSpriteSourceOffLight1, {"SOURCE OFF", "SRC OFF"});
    blueLight(canvas, kSpriteSourceOffLight2, {"SOURCE OFF", "SRC OFF"});
    blueLight(canvas, kSpriteTransferBusOffLight1, {"TRANSFER BUS OFF", "XFR BUS OFF", "XFR OFF"});
    blueLight(canvas, kSpriteTransferBusOffLight2, {"TRANSFER BUS OFF", "XFR BUS OFF", "XFR OFF"});
    lamp(canvas, spriteBox(kSpriteLampUnlit), {"ON"}, kLens, kKnobRim, nullptr);
    lamp(canvas, spriteBox(kSpriteLampLit), {"ON"}, kGreenLens, kLegendDark, &kGreenGlow);
    lamp(canvas, spriteBox(kSpriteAtArmLightLit), {"ARM"}, kGreenLens, kLegendDark, &kGreenGlow);
    lamp(canvas, spriteBox(kSpriteAtArmLightUnlit), {"ARM"}, kLens, kKnobRim, nullptr);
    lamp(canvas, spriteBox(kSpriteLowPressureLightUnlit), {"LOW PRESSURE", "LOW PRESS", "LO PRESS"},
         kAmberLensDark, kAmberLegendDim, nullptr);
    lamp(canvas, spriteBox(kSpriteLowPressureLightLit), {"LOW PRESSURE", "LOW PRESS", "LO PRESS"},
         kAmberLensDark, kAmberLegend, &kAmberGlow);

    // The mode control panel's button light: a white bar the panel tints.
    const Box bar = spriteBox(kSpriteMcpModeLight);
    ClipTo(canvas, bar);
    FillRoundRect(canvas, bar.left + 1, bar.bottom + 2, bar.right - 1, bar.top - 2, 1.5f,
                  {1, 1, 1, 0.7f});
    FillRoundRect(canvas, bar.left + 2, bar.bottom + 3, bar.right - 2, bar.top - 3, 1.0f, kWhite);

    // The leading-edge lamp legends, dark over the lamps drawn beneath.
    const Box legends = spriteBox(kSpriteLeadingEdgeLampLegend);
    ClipTo(canvas, legends);
    label(canvas, {legends.left + 1, legends.bottom + 1, legends.left + 25, legends.top - 1},
          {"TRANSIT", "TRANS"}, kLegendDark, FontChoice::SmallOnly);
    label(canvas, {legends.left + 22, legends.bottom + 1, legends.right, legends.top - 1}, {"EXT"},
          kLegendDark, FontChoice::SmallOnly);

    // Marker beacons: the ring, and the middle and inner markers' letters.
    for (int n : {kSpriteMarkerOuter, kSpriteMarkerMiddle, kSpriteMarkerInner}) {
        const Box box = spriteBox(n);
        ClipTo(canvas, box);
        FillRing(canvas, box.centreX(), box.centreY(), 4.6f, 6.3f, kInk);
        if (n == kSpriteMarkerMiddle)
            DrawText(canvas, box.left + 4, box.bottom + 4, "M", PixelFont::Small, kInk);
        if (n == kSpriteMarkerInner)
            DrawText(canvas, box.left + 5, box.bottom + 4, "I", PixelFont::Small, kInk);
    }
}

// ---- Switches and knobs -----------------------------------------------------

void switches(Canvas& canvas) {
    // Generator switches: OFF up, the spring-loaded centre, ON down.
    ToggleSwitch(canvas, spriteBox(kSpriteGeneratorSwitchOff), 1);
    ToggleSwitch(canvas, spriteBox(kSpriteGeneratorSwitchCentre), 0);
    ToggleSwitch(canvas, spriteBox(kSpriteGeneratorSwitchOn), -1);
    // External power, clear of the ignition selectors below them.
    for (int position = 0; position < 3; ++position) {
        const Box box = spriteBox(kSpriteExternalPowerSwitchOff + position);
        ToggleSwitch(canvas, rows(box, box.bottom + 6, box.top - 1), 1 - position);
    }
    ToggleSwitch(canvas, spriteBox(kSpriteToggleSwitchUp), 1);
    ToggleSwitch(canvas, spriteBox(kSpriteToggleSwitchDown), -1);
    ToggleSwitch(canvas, spriteBox(kSpriteFuelPumpSwitchOff), 1);
    ToggleSwitch(canvas, spriteBox(kSpriteFuelPumpSwitchOn), -1);
    // Autothrottle arm: up is ARM.
    ToggleSwitch(canvas, spriteBox(kSpriteAtArmSwitchOff), -1);
    ToggleSwitch(canvas, spriteBox(kSpriteAtArmSwitchOn), 1);

    // The flight director switch moves as a whole between its positions.
    const Box director = spriteBox(kSpriteFlightDirectorSwitch);
    ToggleSwitch(canvas,
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
    for (const Cabin& c :
         {Cabin{kSpriteCabinSwitchOn, 1, "ON", 1}, Cabin{kSpriteCabinSwitchOff, -1, "OFF", 0}}) {
        const Box box = spriteBox(c.sprite);
        const Box plate = {box.left + 2, box.bottom + c.bottomMargin + 1, box.right - 2,
                           box.top - 1};
        ClipTo(canvas, box);
        FillRoundRect(canvas, plate.left, plate.bottom, plate.right, plate.top, 4, kKnobRim);
        FillRoundRect(canvas, plate.left + 1, plate.bottom + 1, plate.right - 1, plate.top - 1, 3,
                      kBezel);
        label(canvas, {plate.left, plate.bottom + 2, plate.right, plate.bottom + 10}, {c.text},
              kPanelText);
        ToggleSwitch(canvas, {plate.left, plate.bottom + 10, plate.right, plate.top - 2},
                     c.direction);
    }

    // Engine start switches: GRD, OFF, CONT, FLT. The lower right corner is
    // left clear.
    const float startAngles[4] = {-70, -25, 20, 65};
    for (int position = 0; position < 4; ++position) {
        const Box box = spriteBox(kSpriteStartSwitchGround + position);
        PointerKnob(canvas, box, box.centreX(), box.centreY() + 1, 12.5f, startAngles[position]);
    }

    // Ignition selector: IGN L, BOTH, IGN R, clear of the power switches above.
    const float ignitionAngles[3] = {-35, 0, 35};
    for (int position = 0; position < 3; ++position) {
        const Box box = spriteBox(kSpriteIgnitionLeft + position);
        const Box area = rows(box, box.bottom, box.top - 7);
        PointerKnob(canvas, area, area.centreX(), area.centreY(), 8.0f, ignitionAngles[position]);
    }

    // Crossfeed valve selector: the bar across the line when closed, along
    // it when open.
    for (int open = 0; open < 2; ++open) {
        const Box box = spriteBox(kSpriteCrossfeedClosed + open);
        PointerKnob(canvas, box, box.centreX(), box.centreY(), 14.0f, open ? 0.0f : 90.0f);
    }

    // A panel knob with its index mark.
    const Box knob = spriteBox(kSpritePanelKnob);
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
    const Box single = {spriteBox(kSpriteHoverStepDown).left,
                        spriteBox(kSpriteHoverStepDown).bottom,
                        spriteBox(kSpriteHoverStepDown).right, spriteBox(kSpriteHoverClick).top};
    ClipTo(canvas, single);
    const float l = single.left + 1.5f, r = single.right - 1.5f;
    iconPolygon(canvas, triangle(l, r, 235.5f, 230.8f));
    iconBar(canvas, l + 1, 240.0f, r - 1, 242.0f);
    iconPolygon(canvas, triangle(l, r, 245.5f, 250.2f));
    FillCircle(canvas, single.centreX(), 253.0f, 2.2f, kShadow);
    FillCircle(canvas, single.centreX(), 253.0f, 1.5f, kWhite);

    // The five-step arrows: doubled heads either side of the bar.
    const Box fives = {
        spriteBox(kSpriteHoverFiveStepsDown).left, spriteBox(kSpriteHoverFiveStepsDown).bottom,
        spriteBox(kSpriteHoverFiveStepsUp).right, spriteBox(kSpriteHoverFiveStepsUp).top};
    ClipTo(canvas, fives);
    const float fl = fives.left + 1.5f, fr = fives.right - 1.5f;
    iconPolygon(canvas, triangle(fl, fr, 231.0f, 226.8f));
    iconPolygon(canvas, triangle(fl, fr, 235.5f, 231.3f));
    iconBar(canvas, fl + 1, 240.0f, fr - 1, 242.0f);
    iconPolygon(canvas, triangle(fl, fr, 245.5f, 249.7f));
    iconPolygon(canvas, triangle(fl, fr, 250.0f, 254.2f));

    // Turn left and turn right: one arc with a head at each end; each
    // sprite shows the arc and its own head.
    const Box turns = {spriteBox(kSpriteHoverTurnLeft).left, spriteBox(kSpriteHoverTurnLeft).bottom,
                       spriteBox(kSpriteHoverTurnRight).right,
                       spriteBox(kSpriteHoverTurnRight).top};
    ClipTo(canvas, turns);
    const float cx = 0.5f * (spriteBox(kSpriteHoverTurnRight).left +
                             spriteBox(kSpriteHoverTurnLeft).right),
                cy = turns.bottom + 5.0f;
    const float rx = 0.5f * (spriteBox(kSpriteHoverTurnLeft).right -
                             spriteBox(kSpriteHoverTurnRight).left) -
                     0.5f,
                ry = 6.5f;
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
    const Box menu = spriteBox(kSpriteHoverPopupMenu);
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
