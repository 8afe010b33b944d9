// Glyph-grid text from a window's own sheet: characters by their cell in
// the grid, numbers with blank leading positions, digits with zeros.
#include "render/glyph_grid.h"

#include <gtest/gtest.h>

#include "render/colours.h"
#include "render/render_support.h"

namespace {

using rendertest::pixel;
using rendertest::positionCode;
using rendertest::Rgba;

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

class GlyphGrid : public rendertest::AircraftFolderTest {
protected:
    void SetUp() override {
        AircraftFolderTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(rendertest::writeRgbaPng(texturePath("window.png"), 256, 256, positionCode));
        useAircraft();
        int width = 0, height = 0;
        ASSERT_EQ(quil::LoadTextureFile("window.png", texture_, width, height), 1);
        // The auxiliary fuel panel's large font.
        quil::SetupGlfFont(large_, texture_, 48, 95, 163, 8, 7, 12, -12, 30);
        rendertest::drawFrame([] {});
        background_ = pixel(1, 1);
    }
    void TearDown() override {
        quil::SetTransparentPanel(false);
        quil::DeleteTexture(texture_);
        AircraftFolderTest::TearDown();
    }

    // The glyph of a character of the large font starts at this texel.
    static Rgba largeGlyph(char c, int dx = 0, int dy = 0) {
        const int index = c - 48;
        return positionCode(8 * (index % 30) + dx, 163 - 12 * (index / 30) + dy);
    }

    int texture_ = 0;
    quil::GlfFont large_{};
    Rgba background_{};
};

TEST_F(GlyphGrid, SetupReadsTheTexturesSize) {
    EXPECT_EQ(large_.ready, 1);
    EXPECT_FLOAT_EQ(large_.glfTexWidth, 256.0f);
    EXPECT_FLOAT_EQ(large_.glfTexHeight, 256.0f);
    EXPECT_FLOAT_EQ(large_.spanU, 8 / 256.0f);
    EXPECT_FLOAT_EQ(large_.spanV, 12 / 256.0f);
}

TEST_F(GlyphGrid, CharacterShowsItsCellAndAdvancesThePen) {
    float x = 100, y = 100;
    rendertest::drawFrame([&] {
        quil::DrawGlfChar(large_, kWhite, '7', x, y);
        quil::DrawGlfChar(large_, kWhite, 'N', x, y);  // the first glyph of the second row
    });
    EXPECT_EQ(pixel(100, 100), largeGlyph('7'));
    EXPECT_EQ(pixel(106, 111), largeGlyph('7', 6, 11));
    EXPECT_EQ(pixel(107, 100), largeGlyph('N'));
    EXPECT_EQ(pixel(114, 111), largeGlyph('N', 7, 11));
    EXPECT_EQ(pixel(115, 100), background_);
    EXPECT_EQ(pixel(100, 112), background_);
    EXPECT_FLOAT_EQ(x, 114.0f);
    EXPECT_FLOAT_EQ(y, 100.0f);
}

TEST_F(GlyphGrid, RowsMayRunUpwards) {
    quil::GlfFont small{};
    quil::SetupGlfFont(small, texture_, 48, 63, 175, 7, 7, 10, 10, 30);
    quil::GlfFont clock{};
    quil::SetupGlfFont(clock, texture_, 48, 95, 231, 10, 9, 15, -15, 20);
    float x = 100, y = 100;
    rendertest::drawFrame([&] {
        quil::DrawGlfChar(small, kWhite, '3', x, y);
        x = 200;
        quil::DrawGlfChar(clock, kWhite, 'E', x, y);  // index 21: second row, column 1
    });
    EXPECT_EQ(pixel(100, 100), positionCode(21, 175));
    EXPECT_EQ(pixel(106, 109), positionCode(27, 184));
    EXPECT_EQ(pixel(200, 100), positionCode(10, 216));
    EXPECT_EQ(pixel(209, 114), positionCode(19, 230));
}

TEST_F(GlyphGrid, StringDrawsEachCharacterInTurn) {
    float x = 100, y = 100;
    rendertest::drawFrame([&] { quil::DrawGlfString(large_, kWhite, "AB1", x, y); });
    EXPECT_EQ(pixel(100, 100), largeGlyph('A'));
    EXPECT_EQ(pixel(107, 100), largeGlyph('B'));
    EXPECT_EQ(pixel(114, 100), largeGlyph('1'));
    EXPECT_FLOAT_EQ(x, 121.0f);
}

TEST_F(GlyphGrid, NumberLeavesLeadingZerosBlankButAdvances) {
    float x = 100, y = 100;
    rendertest::drawFrame([&] { quil::DrawGlfNumber(large_, 7, kWhite, 3, x, y); });
    for (int blank : {100, 106, 107, 113}) {
        EXPECT_EQ(pixel(blank, 105), background_) << "x " << blank;
    }
    EXPECT_EQ(pixel(114, 100), largeGlyph('7'));
    EXPECT_FLOAT_EQ(x, 121.0f);
}

TEST_F(GlyphGrid, NumberZeroShowsOneDigitInTheLastPosition) {
    float x = 100, y = 100;
    rendertest::drawFrame([&] { quil::DrawGlfNumber(large_, 0, kWhite, 3, x, y); });
    EXPECT_EQ(pixel(100, 105), background_);
    EXPECT_EQ(pixel(107, 105), background_);
    EXPECT_EQ(pixel(114, 100), largeGlyph('0'));
}

TEST_F(GlyphGrid, NumberKeepsOnlyTheDigitsThatFit) {
    float x = 100, y = 100;
    rendertest::drawFrame([&] { quil::DrawGlfNumber(large_, 10042, kWhite, 4, x, y); });
    EXPECT_EQ(pixel(100, 105), background_);
    EXPECT_EQ(pixel(107, 105), background_);
    EXPECT_EQ(pixel(114, 100), largeGlyph('4'));
    EXPECT_EQ(pixel(121, 100), largeGlyph('2'));
}

TEST_F(GlyphGrid, DigitsDrawTheLowestDigitsWithTheirZeros) {
    float x = 100, y = 100;
    rendertest::drawFrame([&] {
        quil::DrawGlfDigits(large_, 1234, kWhite, 3, x, y);
        x = 200;
        quil::DrawGlfDigits(large_, 5, kWhite, 2, x, y);
    });
    EXPECT_EQ(pixel(100, 100), largeGlyph('2'));
    EXPECT_EQ(pixel(107, 100), largeGlyph('3'));
    EXPECT_EQ(pixel(114, 100), largeGlyph('4'));
    EXPECT_EQ(pixel(200, 100), largeGlyph('0'));
    EXPECT_EQ(pixel(207, 100), largeGlyph('5'));
}

TEST_F(GlyphGrid, WindowTextIgnoresTheTransparentPanel) {
    quil::SetTransparentPanel(true);
    float x = 100, y = 100;
    rendertest::drawFrame([&] { quil::DrawGlfChar(large_, kWhite, '5', x, y); });
    EXPECT_EQ(pixel(100, 100), largeGlyph('5'));
}

TEST_F(GlyphGrid, FontWithoutATextureStaysUnreadyAndDrawsNothing) {
    quil::GlfFont none{};
    quil::SetupGlfFont(none, 0, 48, 95, 163, 8, 7, 12, -12, 30);
    EXPECT_EQ(none.ready, 0);
    float x = 100, y = 100;
    rendertest::drawFrame([&] { quil::DrawGlfNumber(none, 123, kWhite, 3, x, y); });
    EXPECT_EQ(pixel(102, 105), background_);
    EXPECT_EQ(pixel(116, 105), background_);
}

}  // namespace
