#include "instruments/overlays.h"

#include <algorithm>
#include <cmath>

#include "autoflight/modes.h"
#include "instruments/cockpit_light.h"
#include "instruments/display_power.h"
#include "instruments/readouts.h"
#include "render/atlas_table.h"
#include "render/colours.h"
#include "render/digit_fonts.h"
#include "render/draw_state.h"
#include "render/geometry.h"
#include "render/primitives.h"
#include "sim/settings.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"

namespace quil {
namespace {

struct PanelBox {
    float left, right, bottom, top;
};

const float* lit(PanelColour entry) { return ColourOf(entry, ColourVariant::Lit); }
float drawX(const PanelPoint& p) { return PanelToDrawX(p.x); }
float drawY(const PanelPoint& p) { return PanelToDrawY(p.y); }

void drawReadoutAt(const float* colour, float value, const PanelPoint& pen, int intDigits,
                   int decimals, int font) {
    float x = drawX(pen), y = drawY(pen);
    DrawReadout(colour, value, x, y, intDigits, decimals, font);
}

void drawSpriteAt(int sprite, const float* colour, const PanelPoint& at) {
    DrawSprite(sprite, colour, drawX(at), drawY(at));
}

// A black cover over a display that is dark or still dimmer than the panel.
void drawBlackCover(const PanelBox& box, float alpha) {
    SetGraphicsState(0, 0, 0, 1, 1, 0, 0);
    SetPenColour(0.0f, 0.0f, 0.0f, alpha);
    FillPanelRect(box.left, box.right, box.bottom, box.top);
}

// ---- Attitude display ----------------------------------------------------------

constexpr PanelBox kAttitudeDisplay = {52, 271, 219, 460};
constexpr PanelPoint kSelectedSpeedPen = {58, 416};
constexpr PanelPoint kMarkerBeacon = {191, 390};
constexpr PanelPoint kRadioAltitudePen = {132, 305};
constexpr float kRadioAltitudeShownBelowFeet = 2500.0f;
constexpr float kHectopascalsPerInch = 33.862f;

// The barometric setting in either unit, with the box it wears for the
// first ten seconds of a flight.
struct BaroReadout {
    PanelPoint pen;
    int intDigits, decimals;
    float scale;
    PanelSprite legend;
    PanelPoint legendAt;
    PanelBox box;
};
constexpr BaroReadout kBaroInches = {
    {213, 274}, 2, 2, 1.0f, kSpriteInchesLegend, {246, 273}, {213, 255, 272, 284}};
constexpr BaroReadout kBaroHectopascals = {
    {212, 274}, 4, 1, kHectopascalsPerInch, kSpriteHpaLegend, {251, 273}, {213, 268, 272, 284}};

// The flight mode annunciations: three columns of two cells; field c + 3r
// shows the first mode set in its list, boxed while its change is recent.
constexpr float kFmaLeft = 94.0f, kFmaColumnStep = 38.0f;
constexpr float kFmaBottom = 426.0f, kFmaRowStep = 12.0f;
constexpr float kFmaCellWidth = 37.0f, kFmaCellHeight = 11.0f;
constexpr int kFmaColumns = 3;

struct FmaMode {
    bool (*set)();
    PanelSprite sprite;
};
struct FmaField {
    FmaMode modes[6];
    int count;
    bool (*boxed)();
};
constexpr FmaField kFmaFields[] = {
    {{}, 0, nullptr},
    {{{lnavLightOn, kSpriteFmaLnavArmed}, {apVorLocArmed, kSpriteFmaVorLoc}},
     2,
     rollArmChangedRecently},
    {{{apVsArmed, kSpriteFmaVs}, {appLightOn, kSpriteFmaGsArmed}, {apFlareArmed, kSpriteFmaFlare}},
     3,
     armChangedRecently},
    {{{atN1, kSpriteFmaN1},
      {atSpeed, kSpriteFmaMcpSpd},
      {atSpeedHold, kSpriteFmaFmcSpd},
      {atRetard, kSpriteFmaRetard},
      {atThrHold, kSpriteFmaThrHold},
      {atArmed, kSpriteFmaArm}},
     6,
     atChangedRecently},
    {{{apLnavEng, kSpriteFmaLnav}, {apHdgSel, kSpriteFmaHdgSel}, {apVorLocEng, kSpriteFmaVorLoc}},
     3,
     rollChangedRecently},
    {{{apVsEng, kSpriteFmaVs},
      {apPitchMcpspd, kSpriteFmaMcpSpd},
      {apPitchAltHld, kSpriteFmaAltHold},
      {apVnavEng, kSpriteFmaVnavPath},
      {apGSEng, kSpriteFmaGs},
      {apFlareEng, kSpriteFmaFlare}},
     6,
     pitchChangedRecently},
};

// The AFDS status (FD or CMD): sampled on four draws of every eight, boxed
// for ten seconds when it turns from one to the other.
constexpr unsigned kStatusSampleBit = 4;
constexpr PanelPoint kStatusAt = {150, 406};
constexpr PanelBox kStatusBox = {138, 158, 405, 418};
constexpr float kStatusBoxSeconds = 10.0f;

struct AttitudeOverlay {
    DisplayLevel level;
    unsigned drawCount = 0;
    int status = 0;
    int statusSprite = -1;  // none shown yet
    float statusBoxUntil = 0.0f;
};
AttitudeOverlay attitude;

void drawBaroSetting(const float* green, const float* boxGreen) {
    const BaroReadout& baro = CurrentPressureUnit() == PressureUnit::Hectopascals
                                  ? kBaroHectopascals
                                  : kBaroInches;
    drawReadoutAt(green, snapshot.baroSetting * baro.scale, baro.pen, baro.intDigits,
                  baro.decimals, 2);
    drawSpriteAt(baro.legend, green, baro.legendAt);
    if (snapshot.firstTenSeconds == 1) {
        SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
        SetColour(boxGreen);
        SetLineWidth(1.0f);
        OutlinePanelRect(baro.box.left, baro.box.right, baro.box.bottom, baro.box.top);
    }
}

void drawFmaGrid(const float* green) {
    for (int field = 0; field < static_cast<int>(sizeof kFmaFields / sizeof kFmaFields[0]);
         ++field) {
        const float x = kFmaLeft + kFmaColumnStep * (field % kFmaColumns);
        const float y = kFmaBottom + kFmaRowStep * (field / kFmaColumns);
        SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
        ApplyColour(PanelColour::DisplayDark, ColourVariant::Lit);
        FillPanelRect(x, x + kFmaCellWidth, y, y + kFmaCellHeight);
        const FmaField& f = kFmaFields[field];
        for (int m = 0; m < f.count; ++m) {
            if (!f.modes[m].set()) continue;
            DrawSpriteCentred(f.modes[m].sprite, green, PanelToDrawX(x + 19.0f),
                              PanelToDrawY(y + 2.0f));
            break;
        }
        if (f.boxed != nullptr && f.boxed()) {
            SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
            SetColour(green);
            SetLineWidth(1.0f);
            OutlinePanelRect(x + 1.0f, x + 36.0f, y + 1.0f, y + 10.0f);
        }
    }
}

void drawAfdsStatus(const float* green, float now) {
    ++attitude.drawCount;
    if (attitude.drawCount & kStatusSampleBit) attitude.status = AfdsStatus();
    if (attitude.status == 0) return;
    const int sprite = AfdsBarsInView() ? kSpriteAfdsStatusCmd : kSpriteAfdsStatusFd;
    if (attitude.statusSprite >= 0 && sprite != attitude.statusSprite) {
        attitude.statusBoxUntil = now + kStatusBoxSeconds;
    }
    attitude.statusSprite = sprite;
    DrawSpriteCentred(sprite, green, drawX(kStatusAt), drawY(kStatusAt));
    if (now < attitude.statusBoxUntil) {
        SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
        SetColour(green);
        SetLineWidth(1.0f);
        OutlinePanelRect(kStatusBox.left, kStatusBox.right, kStatusBox.bottom, kStatusBox.top);
    }
}

// ---- Navigation display -----------------------------------------------------------

constexpr PanelPoint kNavCentre = {412, 299};
constexpr PanelBox kNavDisplay = {309, 516, 219, 460};
constexpr int kRings = 3;
constexpr float kRingRadii[kRings] = {34, 68, 102};
constexpr int kRingPoints = 47;  // half a circle ahead, its left end left out
constexpr float kPi = 3.14159265f;
constexpr int kMapSubmodePlan = 4;

// The altitude range arc: 116 pixels out, +-0.35 rad, raised to where the
// MCP altitude will be reached; hidden from 137 pixels on.
constexpr int kArcPoints = 24;
constexpr float kArcRadius = 116.0f;
constexpr float kArcHalfAngle = 0.35f;
constexpr float kArcHidden = -1.0f;
constexpr float kArcHiddenFrom = 137.0f;
constexpr float kArcSecondsPerPixel = 0.03f;
// Metres per second times minutes, in nautical miles.
constexpr float kNmPerMetreSecondMinute = 0.0324f;

struct NavOverlay {
    DisplayLevel level;
    bool built = false;
    float ringX[kRings][kRingPoints], ringY[kRings][kRingPoints];
    float arcX[kArcPoints], arcY[kArcPoints];  // offsets from the centre
    float arcDistance = kArcHidden;
    float arcTime = 0.0f;
    bool arcTimed = false;
};
NavOverlay nav;

void buildNavGeometry() {
    for (int r = 0; r < kRings; ++r) {
        for (int k = 1; k <= kRingPoints; ++k) {
            const float a = -kPi / 2.0f + k * kPi / kRingPoints;
            nav.ringX[r][k - 1] = kNavCentre.x - kRingRadii[r] * std::sin(a);
            nav.ringY[r][k - 1] = kNavCentre.y + kRingRadii[r] * std::cos(a);
        }
    }
    for (int i = 0; i < kArcPoints; ++i) {
        const float a = -kArcHalfAngle + 2.0f * kArcHalfAngle * i / (kArcPoints - 1);
        nav.arcX[i] = -kArcRadius * std::sin(a);
        nav.arcY[i] = -kArcRadius * (1.0f - std::cos(a));
    }
    nav.built = true;
}

// Where the MCP altitude is reached at the present ground speed and MCP
// vertical speed, in pixels ahead; a target behind, out of range or
// not a number hides the arc.
void moveArc(float now) {
    const float fpm = McpVerticalSpeed();
    const bool shown = apVsEng() && apPitchAltArmed() && fpm != 0.0f;
    const float target = snapshot.groundSpeed *
                         ((McpAltitude() - snapshot.indicatedAltitude) / fpm) *
                         kNmPerMetreSecondMinute * snapshot.mapScale;
    if (!shown || !(target >= 0.0f && target < kArcHiddenFrom)) {
        nav.arcDistance = kArcHidden;
    } else if (nav.arcDistance == kArcHidden || !nav.arcTimed) {
        nav.arcDistance = target;
    } else {
        const float step = std::max(0.0f, now - nav.arcTime) / kArcSecondsPerPixel;
        nav.arcDistance += std::clamp(target - nav.arcDistance, -step, step);
    }
    if (std::isfinite(now)) {
        nav.arcTime = now;
        nav.arcTimed = true;
    }
}

void drawStrokes(PanelColour colour, const float* xs, const float* ys, int count, float raise) {
    const struct {
        ColourVariant variant;
        float width;
    } strokes[] = {{ColourVariant::HalfLit, 1.5f}, {ColourVariant::Lit, 1.0f}};
    for (const auto& stroke : strokes) {
        ApplyColour(colour, stroke.variant);
        SetLineWidth(stroke.width);
        BeginShape(Shape::LineStrip);
        for (int i = 0; i < count; ++i) ShapeVertex(PanelToDrawX(xs[i]), PanelToDrawY(ys[i] + raise));
        EndShape();
    }
}

void drawArcAndRings(float now) {
    SetGraphicsState(0, 0, 0, 1, 1, 0, 0);
    moveArc(now);
    if (nav.arcDistance != kArcHidden) {
        float xs[kArcPoints], ys[kArcPoints];
        for (int i = 0; i < kArcPoints; ++i) {
            xs[i] = kNavCentre.x + nav.arcX[i];
            ys[i] = kNavCentre.y + nav.arcY[i];
        }
        drawStrokes(PanelColour::GreenC, xs, ys, kArcPoints, nav.arcDistance);
    }
    SetGraphicsState(0, 0, 0, 1, 1, 0, 0);
    for (int r = 0; r < kRings; ++r) {
        drawStrokes(PanelColour::LightGreyA, nav.ringX[r], nav.ringY[r], kRingPoints, 0.0f);
    }
}

// ---- Small display unit -----------------------------------------------------------

constexpr float kSmallDisplayXs[] = {587, 586, 586, 668, 668, 668, 664, 659, 655, 655, 653};
constexpr float kSmallDisplayYs[] = {438, 440, 518, 518, 517, 454, 452, 449, 449, 442, 438};
constexpr int kSmallDisplayPoints = sizeof kSmallDisplayXs / sizeof kSmallDisplayXs[0];

DisplayLevel smallDisplay;

// ---- Mode control panel -----------------------------------------------------------

constexpr float kMcpStartLevel = 0.15f;
constexpr float kMcpRisePerSecond = 0.1f;

struct McpPanel {
    bool powered = false;
    float powerOnTime = 0.0f;
    float level = 0.0f;
};
McpPanel mcp;

enum class LightColour { Green, Amber };
struct ModeLight {
    PanelPoint at;
    LightColour (*colour)();  // green unless said otherwise
    bool (*lit)();
};
LightColour green() { return LightColour::Green; }

bool vorLocLight() {
    return (apVorLocArmed() || apVorLocEng()) && !(apGsArmed() || apGSEng());
}
// APP also blinks when it is refused without an ILS.
bool appLight() {
    return !vorLocLight() && (apGsArmed() || (apGSEng() && apVorLocArmed()) || appLightOn());
}

constexpr ModeLight kModeLights[] = {
    {{582, 554}, green, atN1},
    {{611, 554}, green, atSpeed},
    {{881, 554}, [] { return apVsEng() ? LightColour::Green : LightColour::Amber; },
     [] { return apVsEng() || apVsArmed(); }},
    {{693, 554}, green, apPitchMcpspd},
    {{846, 554}, green, altHoldLightOn},
    {{692, 613}, green, apVnavEng},
    {{749, 554}, green, apHdgSel},
    {{799, 613}, green, [] { return apLnavEng() || lnavLightOn(); }},
    {{799, 584}, green, vorLocLight},
    {{798, 554}, green, appLight},
};

// A digital window: its background, then the value from the pen.
struct McpWindow {
    PanelPoint pen;
    PanelBox background;
    float (*value)();
    bool (*shown)();
};
constexpr int kWindowDigits = 5;
constexpr int kVsDigits = 4;
constexpr int kWindowFont = 4;
constexpr float kKnotsPenOffset = 6.0f;
constexpr float kSpeedLimitMarkOffset = 2.0f;
constexpr int kSpeedLimitGlyph = 8;

constexpr PanelPoint kSpeedPen = {644, 617};
constexpr PanelBox kSpeedWindow = {636, 676, 615, 626};
constexpr McpWindow kVsWindow = {
    {906, 617}, {902, 938, 615, 626}, McpVerticalSpeed, [] { return apVsArmed() || apVsEng(); }};
constexpr McpWindow kFiveDigitWindows[] = {
    {{515, 617}, {525, 556, 615, 626}, [] { return static_cast<float>(snapshot.nav1Obs); }, nullptr},
    {{976, 617}, {986, 1017, 615, 626}, [] { return static_cast<float>(snapshot.nav2Obs); }, nullptr},
    {{732, 617}, {742, 772, 615, 626}, [] { return snapshot.mcpHeading; }, nullptr},
    {{836, 617}, {833, 873, 615, 626}, McpAltitude, nullptr},
};

void fillBackground(const PanelBox& box) {
    SetGraphicsState(0, 0, 0, 0, 0, 0, 0);
    SetColour(DisplayBackgroundColour());
    FillPanelRect(box.left, box.right, box.bottom, box.top);
}

// The window backgrounds first, then all their digits in one run.
void drawSpeedDigits() {
    const float* digits = DisplayDigitColour();
    const bool mach = snapshot.apSpeedIsMach != 0;
    float x = PanelToDrawX(kSpeedPen.x + (mach ? 0.0f : kKnotsPenOffset));
    float y = PanelToDrawY(kSpeedPen.y);
    if (McpSpeedAboveMax() && snapshot.blink != 0) {
        float markX = x - kSpeedLimitMarkOffset, markY = y;
        DrawDigitGlyph(kSpeedLimitGlyph, digits, markX, markY, kWindowFont);
    }
    DrawReadout(digits, snapshot.apSpeed, x, y, mach ? 1 : 3, mach ? 2 : 0, kWindowFont);
}

void drawWindowDigits(const McpWindow& window, int digits) {
    if (window.shown != nullptr && !window.shown()) return;
    drawReadoutAt(DisplayDigitColour(), window.value(), window.pen, digits, 0, kWindowFont);
}

void drawMcpWindows() {
    fillBackground(kSpeedWindow);
    fillBackground(kVsWindow.background);
    for (const McpWindow& window : kFiveDigitWindows) fillBackground(window.background);
    drawSpeedDigits();
    drawWindowDigits(kVsWindow, kVsDigits);
    for (const McpWindow& window : kFiveDigitWindows) drawWindowDigits(window, kWindowDigits);
}

void drawMcpSwitches(bool powered) {
    const float* flood = CockpitLightColour();
    drawSpriteAt(kSpriteFlightDirectorSwitch, flood,
                 flightDirectorOn() ? PanelPoint{975, 546} : PanelPoint{975, 539});
    const bool armed = atArmed();
    if (armed) {
        drawSpriteAt(kSpriteAtArmSwitchOn, flood, {590, 601});
    } else {
        drawSpriteAt(kSpriteAtArmSwitchOff, flood, {590, 596});
    }
    if (powered) {
        drawSpriteAt(armed ? kSpriteAtArmLightLit : kSpriteAtArmLightUnlit, flood, {590, 617});
    }
    drawSpriteAt(kSpritePanelKnob, flood, {654, 420});
}

}  // namespace

void DrawAttitudeOverlay() {
    const float now = snapshot.now;
    if (!StepDisplayLevel(attitude.level, kAttitudeDisplayUnit, dcStandbyBusPowered(), now)) {
        drawBlackCover(kAttitudeDisplay, 1.0f);
        return;
    }
    const bool mach = snapshot.apSpeedIsMach != 0;
    drawReadoutAt(lit(PanelColour::Magenta), snapshot.apSpeed, kSelectedSpeedPen, mach ? 1 : 3,
                  mach ? 2 : 0, 0);
    if (snapshot.markerLit >= 1 && snapshot.markerLit <= 3) {
        DrawSpriteCentred(kSpriteMarkerOuter, lit(PanelColour::Magenta), drawX(kMarkerBeacon),
                          drawY(kMarkerBeacon));
    }
    if (snapshot.radioAltitude <= kRadioAltitudeShownBelowFeet) {
        drawReadoutAt(lit(PanelColour::LightYellow), snapshot.radioAltitude, kRadioAltitudePen, 4,
                      0, 1);
    }
    const float* green = lit(PanelColour::GreenB);
    drawBaroSetting(green, lit(PanelColour::GreenC));
    drawFmaGrid(green);
    drawAfdsStatus(green, now);
    const float level = attitude.level.level;
    if (level < InstrumentBrightness()) drawBlackCover(kAttitudeDisplay, 1.0f - level);
}

void DrawNavDisplayOverlay() {
    if (!nav.built) buildNavGeometry();
    const float now = snapshot.now;
    if (StepDisplayLevel(nav.level, kNavDisplayUnit, acStandbyBusPowered(), now) &&
        snapshot.mapSubmode != kMapSubmodePlan) {
        drawArcAndRings(now);
    }
    const float level = nav.level.level;
    if (level < InstrumentBrightness()) drawBlackCover(kNavDisplay, 1.0f - level);
}

void DrawSmallDisplayCover() {
    StepDisplayLevel(smallDisplay, kSmallDisplayUnit, transferBusPowered(1), snapshot.now);
    if (smallDisplay.level >= InstrumentBrightness()) return;
    SetGraphicsState(0, 0, 0, 1, 1, 0, 0);
    SetPenColour(0.0f, 0.0f, 0.0f, 1.0f - smallDisplay.level);
    FillPanelPolygon(kSmallDisplayPoints, kSmallDisplayXs, kSmallDisplayYs);
}

void DrawPanelMcp() {
    const float now = snapshot.now;
    const bool powered = avionicsPowered();
    if (powered) {
        if (!mcp.powered || !std::isfinite(mcp.powerOnTime)) mcp.powerOnTime = now;
        const float elapsed = std::max(0.0f, now - mcp.powerOnTime);
        mcp.level = std::min(1.0f, kMcpStartLevel + kMcpRisePerSecond * elapsed);
        SetPanelBrightness(mcp.level);
    } else {
        mcp.level = 0.0f;
    }
    mcp.powered = powered;

    if (powered) {
        SetGraphicsState(0, 0, 0, 1, 1, 0, 0);
        for (const ModeLight& light : kModeLights) {
            if (!light.lit()) continue;
            const FixedColour colour = light.colour() == LightColour::Amber
                                           ? FixedColour::WindowAmber
                                           : FixedColour::WindowGreen;
            drawSpriteAt(kSpriteMcpModeLight, ColourOf(colour), light.at);
        }
        drawMcpWindows();
    }
    drawMcpSwitches(powered);
}

}  // namespace quil
