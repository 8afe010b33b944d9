// The panel's colours: the entries that follow the panel brightness in
// their unlit, lit and half-lit variants, the fixed entries, the display
// schemes, and the one colour setter every primitive uses.
#pragma once

namespace quil {

// The mode control panel's display colours, set by the configuration.
enum class DisplayScheme { White, Amber };
void SetDisplayScheme(DisplayScheme scheme);
DisplayScheme CurrentDisplayScheme();

// Entries dimmed with the panel brightness, in the table's order.
enum class PanelColour {
    LightGreyA,
    Grey25,
    Grey28,
    Yellow,
    GreenA,
    DarkRed,
    LightGreyB,
    RedA,
    AmberA,
    GreenB,
    Magenta,
    White,
    RedB,
    AmberB,
    Cyan,
    GreenC,
    LightYellow,
    Grey33,
    DisplayDark,  // used lit only
};

// The variant index: the base value, base x brightness, half of that.
enum class ColourVariant { Unlit = 0, Lit = 3, HalfLit = 6 };

// Entries never dimmed.
enum class FixedColour {
    Black,
    Grey42,
    WindowAmber,
    WindowGreen,
    WindowBlue,
    WindowDarkBlue,
    WindowOlive,
};

// Recomputes the dimmed entries and the display schemes for brightness b
// (clamped to 0 .. 1), only when b differs from the last value given.
void SetPanelBrightness(float brightness);
// With the simulator's transparent panel on, colours are drawn at 40 %.
void SetTransparentPanel(bool on);
// The pen colour for an RGB triple, through the transparent-panel rule; null
// leaves the colour as it is.
void SetColour(const float* rgb);

// RGB of an entry, valid for the whole run and following the brightness.
const float* ColourOf(PanelColour entry, ColourVariant variant);
const float* ColourOf(FixedColour entry);
void ApplyColour(PanelColour entry, ColourVariant variant);
void ApplyColour(FixedColour entry);
void CopyColour(PanelColour entry, ColourVariant variant, float* rgb);
void CopyColour(FixedColour entry, float* rgb);

// The digit and background colours of the current display scheme, as RGB.
const float* DisplayDigitColour();
const float* DisplayBackgroundColour();

}  // namespace quil
