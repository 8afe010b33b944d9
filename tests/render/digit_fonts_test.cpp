// Digit glyphs from the font sheet: each font's cells, the narrow decimal
// points, the minus sign, and the pen that moves both ways.
#include "render/digit_fonts.h"

#include <gtest/gtest.h>

#include "render/colours.h"
#include "render/render_support.h"

namespace {

using rendertest::pixel;
using rendertest::positionCode;
using rendertest::Rgba;

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

class DigitFonts : public rendertest::AircraftFolderTest {
protected:
    void SetUp() override {
        AircraftFolderTest::SetUp();
        if (HasFatalFailure()) return;
        loadPositionCodedSheets();
        if (HasFatalFailure()) return;
        rendertest::drawFrame([] {});
        background_ = pixel(1, 1);
    }
    Rgba background_{};
};

struct Glyph {
    int font, glyph;
    int left, bottom;   // its first texel
    int width, height;  // pixels
};

// Glyph g lies in the rows from 14 g + 1 up.
constexpr Glyph kGlyphs[] = {
    {0, 7, 1, 99, 6, 10},    {1, 7, 11, 99, 6, 9},   {2, 7, 21, 99, 6, 9},
    {3, 7, 29, 99, 5, 7},    {4, 7, 37, 99, 6, 10},  {5, 7, 46, 99, 6, 10},
    {6, 7, 64, 99, 8, 10},   {0, 10, 2, 141, 3, 10}, {1, 10, 12, 141, 3, 9},
    {2, 10, 22, 141, 3, 9},  {3, 10, 30, 141, 2, 7}, {4, 10, 37, 141, 6, 10},
    {6, 10, 64, 141, 8, 10}, {0, 0, 1, 1, 6, 10},    {5, 11, 46, 155, 6, 10},
    {9, 5, 1, 71, 6, 10},    {-1, 5, 1, 71, 6, 10},
};

TEST_F(DigitFonts, EachGlyphShowsItsCellAndMovesThePenByItsSize) {
    for (const Glyph& g : kGlyphs) {
        float x = 100, y = 100;
        float endX = 0, endY = 0;
        rendertest::drawFrame([&] {
            quil::DrawDigitGlyph(g.glyph, kWhite, x, y, g.font);
            endX = x;
            endY = y;
        });
        const std::string which =
            "font " + std::to_string(g.font) + " glyph " + std::to_string(g.glyph);
        EXPECT_EQ(pixel(100, 100), positionCode(g.left, g.bottom)) << which;
        EXPECT_EQ(pixel(100 + g.width - 1, 100 + g.height - 1),
                  positionCode(g.left + g.width - 1, g.bottom + g.height - 1))
            << which;
        EXPECT_EQ(pixel(100 + g.width, 100), background_) << which;
        EXPECT_EQ(pixel(100, 100 + g.height), background_) << which;
        EXPECT_FLOAT_EQ(endX, 100.0f + g.width) << which;
        EXPECT_FLOAT_EQ(endY, 100.0f + g.height) << which;
    }
}

TEST_F(DigitFonts, MinusIsGlyphEleven) {
    float x = 200, y = 300;
    rendertest::drawFrame([&] { quil::DrawMinusGlyph(kWhite, x, y, 3); });
    EXPECT_EQ(pixel(200, 300), positionCode(29, 155));
    EXPECT_FLOAT_EQ(x, 205.0f);
}

TEST_F(DigitFonts, GlyphsOutsideTheFontDrawNothingAndKeepThePen) {
    float x = 200, y = 300;
    rendertest::drawFrame([&] {
        quil::DrawDigitGlyph(12, kWhite, x, y, 0);
        quil::DrawDigitGlyph(-1, kWhite, x, y, 0);
    });
    EXPECT_FLOAT_EQ(x, 200.0f);
    EXPECT_FLOAT_EQ(y, 300.0f);
    EXPECT_EQ(pixel(202, 303), background_);
}

TEST_F(DigitFonts, SecondGlyphWithoutResettingTheHeightClimbs) {
    float x = 200, y = 300;
    rendertest::drawFrame([&] {
        quil::DrawDigitGlyph(1, kWhite, x, y, 0);
        quil::DrawDigitGlyph(2, kWhite, x, y, 0);
    });
    EXPECT_EQ(pixel(206, 310), positionCode(1, 29)) << "the 2 sits one glyph higher";
    EXPECT_EQ(pixel(206, 300), background_);
    EXPECT_FLOAT_EQ(y, 320.0f);
}

TEST_F(DigitFonts, GlyphTakesTheColourGiven) {
    const float green[3] = {0.0f, 1.0f, 0.0f};
    float x = 200, y = 300;
    rendertest::drawFrame([&] { quil::DrawDigitGlyph(4, green, x, y, 4); });
    const Rgba code = positionCode(37, 57);
    EXPECT_EQ(pixel(200, 300), (Rgba{0, code.g, 0, 255}));
}

}  // namespace
