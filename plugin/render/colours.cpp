#include "render/colours.h"

#include <cmath>
#include <cstring>

#include "render/draw_state.h"

namespace quil {
namespace {

constexpr int kDimmedCount = static_cast<int>(PanelColour::DisplayDark) + 1;
constexpr int kFixedCount = static_cast<int>(FixedColour::WindowOlive) + 1;
constexpr int kVariantFloats = 9;  // unlit, lit and half-lit RGB side by side
constexpr float kHalfLit = 0.5f;
constexpr float kTransparentPanelAlpha = 0.4f;
constexpr float kNoBrightnessYet = -1.0f;

// Base values, in the order of PanelColour.
constexpr float kDimmedBase[kDimmedCount][3] = {
    {0.7f, 0.7f, 0.7f},          // light grey A
    {0.25f, 0.25f, 0.25f},       // grey 25
    {0.28f, 0.28f, 0.28f},       // grey 28
    {0.8f, 0.8f, 0.0f},          // yellow
    {0.0f, 0.6f, 0.1f},          // green A
    {0.75f, 0.0f, 0.0f},         // dark red
    {0.7f, 0.7f, 0.7f},          // light grey B
    {1.0f, 0.1f, 0.1f},          // red A
    {0.8f, 0.4f, 0.0f},          // amber A
    {0.08f, 0.75f, 0.06f},       // green B
    {0.8f, 0.16f, 0.84f},        // magenta
    {1.0f, 1.0f, 1.0f},          // white
    {1.0f, 0.1f, 0.1f},          // red B
    {0.8f, 0.4f, 0.0f},          // amber B
    {0.33f, 0.66f, 0.88f},       // cyan
    {0.08f, 0.75f, 0.06f},       // green C
    {1.0f, 1.0f, 0.25f},         // light yellow
    {0.33f, 0.33f, 0.33f},       // grey 33
    {0.13333f, 0.118f, 0.145f},  // display dark
};

// In the order of FixedColour.
constexpr float kFixed[kFixedCount][3] = {
    {0.0f, 0.0f, 0.0f},      // black
    {0.42f, 0.42f, 0.42f},   // grey 42
    {0.88f, 0.42f, 0.13f},   // window amber
    {0.02f, 0.75f, 0.02f},   // window green
    {0.4f, 0.63f, 1.0f},     // window blue
    {0.24f, 0.3f, 0.84f},    // window dark blue
    {0.45f, 0.55f, 0.227f},  // window olive
};

// The display schemes' entries: a base value and the part of it that
// follows the brightness (value = base x (steady + dimmed x b)).
struct SchemeEntry {
    float base[3];
    float steady, dimmed;
};
constexpr SchemeEntry kWhiteDigits = {{0.8f, 0.77f, 0.9f}, 0.25f, 0.75f};
constexpr SchemeEntry kWhiteBackground = {{0.04f, 0.04f, 0.15f}, 0.5f, 0.5f};
constexpr SchemeEntry kAmberBackground = {{0.11f, 0.05f, 0.02f}, 0.5f, 0.5f};

struct ColourTable {
    float dimmed[kDimmedCount][kVariantFloats];
    float whiteDigits[3], whiteBackground[3], amberBackground[3];
    float lastBrightness;
    bool transparentPanel;
    DisplayScheme scheme;
};

constexpr ColourTable initialTable() {
    ColourTable table{};
    for (int e = 0; e < kDimmedCount; ++e) {
        for (int c = 0; c < 3; ++c) table.dimmed[e][c] = kDimmedBase[e][c];
    }
    table.lastBrightness = kNoBrightnessYet;
    table.transparentPanel = false;
    table.scheme = DisplayScheme::White;
    return table;
}

ColourTable colours = initialTable();

void scale(const float* base, float factor, float* out) {
    for (int c = 0; c < 3; ++c) out[c] = base[c] * factor;
}

void schemeColour(const SchemeEntry& entry, float b, float* out) {
    scale(entry.base, entry.steady + entry.dimmed * b, out);
}

float clampedBrightness(float b) {
    if (b < 0.0f) return 0.0f;
    if (b > 1.0f) return 1.0f;
    return b;
}

}  // namespace

void SetDisplayScheme(DisplayScheme scheme) { colours.scheme = scheme; }
DisplayScheme CurrentDisplayScheme() { return colours.scheme; }

void SetPanelBrightness(float brightness) {
    if (std::isnan(brightness)) brightness = 0.0f;
    if (brightness == colours.lastBrightness) return;
    colours.lastBrightness = brightness;
    const float b = clampedBrightness(brightness);
    for (int e = 0; e < kDimmedCount; ++e) {
        float* variants = colours.dimmed[e];
        scale(kDimmedBase[e], b, variants + static_cast<int>(ColourVariant::Lit));
        scale(kDimmedBase[e], kHalfLit * b, variants + static_cast<int>(ColourVariant::HalfLit));
    }
    schemeColour(kWhiteDigits, b, colours.whiteDigits);
    schemeColour(kWhiteBackground, b, colours.whiteBackground);
    schemeColour(kAmberBackground, b, colours.amberBackground);
}

void SetTransparentPanel(bool on) { colours.transparentPanel = on; }

void SetColour(const float* rgb) {
    if (rgb == nullptr) return;
    if (colours.transparentPanel) {
        SetPenColour(rgb[0], rgb[1], rgb[2], kTransparentPanelAlpha);
    } else {
        SetPenColour(rgb[0], rgb[1], rgb[2], 1.0f);
    }
}

const float* ColourOf(PanelColour entry, ColourVariant variant) {
    return colours.dimmed[static_cast<int>(entry)] + static_cast<int>(variant);
}

const float* ColourOf(FixedColour entry) { return kFixed[static_cast<int>(entry)]; }

void ApplyColour(PanelColour entry, ColourVariant variant) { SetColour(ColourOf(entry, variant)); }
void ApplyColour(FixedColour entry) { SetColour(ColourOf(entry)); }

void CopyColour(PanelColour entry, ColourVariant variant, float* rgb) {
    if (rgb != nullptr) std::memcpy(rgb, ColourOf(entry, variant), 3 * sizeof(float));
}

void CopyColour(FixedColour entry, float* rgb) {
    if (rgb != nullptr) std::memcpy(rgb, ColourOf(entry), 3 * sizeof(float));
}

const float* DisplayDigitColour() {
    return colours.scheme == DisplayScheme::Amber ? ColourOf(FixedColour::WindowAmber)
                                                  : colours.whiteDigits;
}

const float* DisplayBackgroundColour() {
    return colours.scheme == DisplayScheme::Amber ? colours.amberBackground
                                                  : colours.whiteBackground;
}

}  // namespace quil
