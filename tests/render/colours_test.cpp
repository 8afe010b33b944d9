// The colour table: dimmed entries follow the clamped panel brightness in
// their lit and half-lit variants, fixed entries never change, the display
// schemes pair their digit and background colours, and transparent-panel
// mode draws every colour at 40 %.
#include "render/colours.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/draw_state.h"
#include "render/render_support.h"

namespace {

using quil::ColourVariant;
using quil::FixedColour;
using quil::PanelColour;

struct Base {
    PanelColour entry;
    const char* name;
    float r, g, b;
};

constexpr Base kDimmed[] = {
    {PanelColour::LightGreyA, "light grey A", 0.7f, 0.7f, 0.7f},
    {PanelColour::Grey25, "grey 25", 0.25f, 0.25f, 0.25f},
    {PanelColour::Grey28, "grey 28", 0.28f, 0.28f, 0.28f},
    {PanelColour::Yellow, "yellow", 0.8f, 0.8f, 0.0f},
    {PanelColour::GreenA, "green A", 0.0f, 0.6f, 0.1f},
    {PanelColour::DarkRed, "dark red", 0.75f, 0.0f, 0.0f},
    {PanelColour::LightGreyB, "light grey B", 0.7f, 0.7f, 0.7f},
    {PanelColour::RedA, "red A", 1.0f, 0.1f, 0.1f},
    {PanelColour::AmberA, "amber A", 0.8f, 0.4f, 0.0f},
    {PanelColour::GreenB, "green B", 0.08f, 0.75f, 0.06f},
    {PanelColour::Magenta, "magenta", 0.8f, 0.16f, 0.84f},
    {PanelColour::White, "white", 1.0f, 1.0f, 1.0f},
    {PanelColour::RedB, "red B", 1.0f, 0.1f, 0.1f},
    {PanelColour::AmberB, "amber B", 0.8f, 0.4f, 0.0f},
    {PanelColour::Cyan, "cyan", 0.33f, 0.66f, 0.88f},
    {PanelColour::GreenC, "green C", 0.08f, 0.75f, 0.06f},
    {PanelColour::LightYellow, "light yellow", 1.0f, 1.0f, 0.25f},
    {PanelColour::Grey33, "grey 33", 0.33f, 0.33f, 0.33f},
    {PanelColour::DisplayDark, "display dark", 0.13333f, 0.118f, 0.145f},
};

void expectRgb(const float* actual, float r, float g, float b, const std::string& what) {
    EXPECT_NEAR(actual[0], r, 1e-6f) << what;
    EXPECT_NEAR(actual[1], g, 1e-6f) << what;
    EXPECT_NEAR(actual[2], b, 1e-6f) << what;
}

class ColourTable : public ::testing::Test {
protected:
    void SetUp() override {
        quil::SetDisplayScheme(quil::DisplayScheme::White);
        quil::SetTransparentPanel(false);
    }
};

TEST_F(ColourTable, DimmedEntriesHoldUnlitLitAndHalfLitVariants) {
    quil::SetPanelBrightness(0.6f);
    for (const Base& c : kDimmed) {
        expectRgb(quil::ColourOf(c.entry, ColourVariant::Unlit), c.r, c.g, c.b,
                  std::string(c.name) + " unlit");
        expectRgb(quil::ColourOf(c.entry, ColourVariant::Lit), 0.6f * c.r, 0.6f * c.g, 0.6f * c.b,
                  std::string(c.name) + " lit");
        expectRgb(quil::ColourOf(c.entry, ColourVariant::HalfLit), 0.3f * c.r, 0.3f * c.g,
                  0.3f * c.b, std::string(c.name) + " half-lit");
    }
}

TEST_F(ColourTable, BrightnessIsClampedToZeroAndOne) {
    struct Case {
        float given, drawn;
    };
    for (const Case& c : {Case{1.3f, 1.0f}, Case{-0.2f, 0.0f}, Case{0.85f, 0.85f}, Case{NAN, 0.0f},
                          Case{INFINITY, 1.0f}}) {
        quil::SetPanelBrightness(c.given);
        expectRgb(quil::ColourOf(PanelColour::Cyan, ColourVariant::Lit), c.drawn * 0.33f,
                  c.drawn * 0.66f, c.drawn * 0.88f, "brightness " + std::to_string(c.given));
    }
}

TEST_F(ColourTable, FixedEntriesIgnoreTheBrightness) {
    struct Fixed {
        FixedColour entry;
        const char* name;
        float r, g, b;
    };
    const Fixed fixed[] = {
        {FixedColour::Black, "black", 0.0f, 0.0f, 0.0f},
        {FixedColour::Grey42, "grey 42", 0.42f, 0.42f, 0.42f},
        {FixedColour::WindowAmber, "window amber", 0.88f, 0.42f, 0.13f},
        {FixedColour::WindowGreen, "window green", 0.02f, 0.75f, 0.02f},
        {FixedColour::WindowBlue, "window blue", 0.4f, 0.63f, 1.0f},
        {FixedColour::WindowDarkBlue, "window dark blue", 0.24f, 0.3f, 0.84f},
        {FixedColour::WindowOlive, "window olive", 0.45f, 0.55f, 0.227f},
    };
    for (float brightness : {0.1f, 1.0f}) {
        quil::SetPanelBrightness(brightness);
        for (const Fixed& c : fixed) expectRgb(quil::ColourOf(c.entry), c.r, c.g, c.b, c.name);
    }
}

TEST_F(ColourTable, CopyGivesTheEntrysVariant) {
    quil::SetPanelBrightness(0.5f);
    float rgb[3] = {};
    quil::CopyColour(PanelColour::Magenta, ColourVariant::HalfLit, rgb);
    expectRgb(rgb, 0.2f, 0.04f, 0.21f, "magenta half-lit");
    quil::CopyColour(FixedColour::WindowOlive, rgb);
    expectRgb(rgb, 0.45f, 0.55f, 0.227f, "window olive");
}

TEST_F(ColourTable, WhiteSchemeDimsDigitsAndBackgroundByTheirOwnRules) {
    quil::SetPanelBrightness(0.4f);
    // Digits at 0.75 b + 0.25 = 0.55, background at 0.5 b + 0.5 = 0.7.
    expectRgb(quil::DisplayDigitColour(), 0.8f * 0.55f, 0.77f * 0.55f, 0.9f * 0.55f, "digits");
    expectRgb(quil::DisplayBackgroundColour(), 0.04f * 0.7f, 0.04f * 0.7f, 0.15f * 0.7f,
              "background");
}

TEST_F(ColourTable, AmberSchemeUsesWindowAmberDigits) {
    quil::SetPanelBrightness(0.4f);
    quil::SetDisplayScheme(quil::DisplayScheme::Amber);
    expectRgb(quil::DisplayDigitColour(), 0.88f, 0.42f, 0.13f, "digits");
    expectRgb(quil::DisplayBackgroundColour(), 0.11f * 0.7f, 0.05f * 0.7f, 0.02f * 0.7f,
              "background");
    EXPECT_EQ(quil::CurrentDisplayScheme(), quil::DisplayScheme::Amber);
}

class ColourSetter : public quiltest::HostTest {
protected:
    standin::HostConfig config() const override { return standin::HostConfig(); }
    void SetUp() override {
        HostTest::SetUp();
        ASSERT_TRUE(standin::graphicsAvailable()) << standin::graphicsRenderer();
        quil::SetPanelBrightness(1.0f);
    }
    void TearDown() override {
        quil::SetTransparentPanel(false);
        HostTest::TearDown();
    }
    static void currentColour(float* rgba) {
        for (int i = 0; i < 4; ++i) rgba[i] = quil::PenColour()[i];
    }
};

TEST_F(ColourSetter, OpaqueUnlessThePanelIsTransparent) {
    float rgba[4] = {};
    quil::SetPenColour(0.0f, 0.0f, 0.0f, 0.2f);
    quil::ApplyColour(PanelColour::Cyan, ColourVariant::Lit);
    currentColour(rgba);
    expectRgb(rgba, 0.33f, 0.66f, 0.88f, "cyan");
    EXPECT_FLOAT_EQ(rgba[3], 1.0f);

    quil::SetTransparentPanel(true);
    for (FixedColour entry : {FixedColour::Black, FixedColour::WindowGreen}) {
        quil::ApplyColour(entry);
        currentColour(rgba);
        EXPECT_FLOAT_EQ(rgba[3], 0.4f) << "fixed entry " << static_cast<int>(entry);
    }
    quil::ApplyColour(PanelColour::White, ColourVariant::HalfLit);
    currentColour(rgba);
    expectRgb(rgba, 0.5f, 0.5f, 0.5f, "white half-lit");
    EXPECT_FLOAT_EQ(rgba[3], 0.4f);
}

TEST_F(ColourSetter, NoColourLeavesTheCurrentOne) {
    quil::SetPenColour(0.1f, 0.2f, 0.3f, 0.5f);
    quil::SetColour(nullptr);
    float rgba[4] = {};
    currentColour(rgba);
    expectRgb(rgba, 0.1f, 0.2f, 0.3f, "kept");
}

}  // namespace
