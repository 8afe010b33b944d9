// Sprites and flat shapes drawn into the stand-in host's framebuffer land
// where they should: atlas texels one texel right of their rectangle,
// corners at the pen, panel shapes through the panel mapping.
#include "render/primitives.h"

#include <gtest/gtest.h>

#include "render/atlas.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/geometry.h"
#include "render/render_support.h"

namespace {

using rendertest::pixel;
using rendertest::positionCode;
using rendertest::Rgba;

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

class Primitives : public rendertest::AircraftFolderTest {
protected:
    void SetUp() override {
        AircraftFolderTest::SetUp();
        if (HasFatalFailure()) return;
        loadPositionCodedSheets();
        if (HasFatalFailure()) return;
        quil::ResetPanelGeometry();
        rendertest::drawFrame([] {});
        background_ = pixel(1, 1);
    }
    void TearDown() override {
        quil::SetTransparentPanel(false);
        AircraftFolderTest::TearDown();
    }
    Rgba background_{};
};

// Every pixel of the sprite shows the texel it should.
void expectSpriteAt(int sprite, int x, int y) {
    const quil::SpriteRecord& s = quil::AtlasSprite(sprite);
    for (int j = 0; j < static_cast<int>(s.height); ++j) {
        for (int i = 0; i < static_cast<int>(s.width); ++i) {
            ASSERT_EQ(pixel(x + i, y + j), positionCode(s.x0 + 1 + i, s.y0 + j))
                << "sprite " << sprite << " pixel " << i << ", " << j;
        }
    }
}

TEST_F(Primitives, SpriteShowsItsRectangleWithTheLowerLeftCornerAtThePen) {
    rendertest::drawFrame([] {
        quil::DrawSprite(0, kWhite, 100, 200);
        quil::DrawSprite(49, kWhite, 300, 200);
        quil::DrawSprite(112, kWhite, 500, 200);
    });
    expectSpriteAt(0, 100, 200);
    expectSpriteAt(49, 300, 200);
    expectSpriteAt(112, 500, 200);
    EXPECT_EQ(pixel(99, 200), background_);
    EXPECT_EQ(pixel(109, 200), background_) << "sprite 0 is 9 pixels wide";
    EXPECT_EQ(pixel(100, 211), background_) << "sprite 0 is 11 pixels high";
}

TEST_F(Primitives, SpriteIsTintedByItsColour) {
    const float red[3] = {1.0f, 0.0f, 0.0f};
    rendertest::drawFrame([&red] { quil::DrawSprite(0, red, 100, 200); });
    const Rgba code = positionCode(123, 195);
    EXPECT_EQ(pixel(100, 200), (Rgba{code.r, 0, 0, 255}));
}

TEST_F(Primitives, CentredSpriteStartsHalfItsWidthAndOneMoreLeftOfTheCentre) {
    rendertest::drawFrame([] { quil::DrawSpriteCentred(0, kWhite, 300, 50); });
    // Sprite 0 is 9 wide: left edge at 300 - 5 - 1.
    expectSpriteAt(0, 294, 50);
    EXPECT_EQ(pixel(293, 50), background_);
}

TEST_F(Primitives, ScaledSpriteGrowsFromItsCorner) {
    rendertest::drawFrame([] { quil::DrawSpriteScaled(21, kWhite, 400, 400, 2.0f); });
    EXPECT_EQ(pixel(400, 400), positionCode(28, 0));
    EXPECT_EQ(pixel(401, 401), positionCode(28, 0));
    EXPECT_EQ(pixel(402, 400), positionCode(29, 0));
    EXPECT_EQ(pixel(411, 411), positionCode(33, 5));
    EXPECT_EQ(pixel(412, 400), background_);
    EXPECT_EQ(pixel(400, 412), background_);
}

TEST_F(Primitives, SpriteNumbersOutsideTheAtlasDrawNothing) {
    rendertest::drawFrame([] {
        for (int sprite : {-1, 118, 127, 128, 1000}) quil::DrawSprite(sprite, kWhite, 600, 600);
        quil::DrawSpriteCentred(128, kWhite, 600, 600);
    });
    for (int x = 590; x < 660; x += 3) {
        for (int y = 590; y < 660; y += 3) ASSERT_EQ(pixel(x, y), background_) << x << ", " << y;
    }
}

TEST_F(Primitives, FilledRectangleCoversItsPixelsMovedByTheOffset) {
    const float green[3] = {0.0f, 1.0f, 0.0f};
    rendertest::drawFrame([&green] { quil::FillRect(green, 5, 6, {10, 20, 30, 40}); });
    const Rgba drawn{0, 255, 0, 255};
    EXPECT_EQ(pixel(15, 26), drawn);
    EXPECT_EQ(pixel(44, 65), drawn);
    EXPECT_EQ(pixel(14, 30), background_);
    EXPECT_EQ(pixel(45, 30), background_);
    EXPECT_EQ(pixel(20, 25), background_);
    EXPECT_EQ(pixel(20, 66), background_);
}

TEST_F(Primitives, TransparentPanelDrawsFillsAtFortyPercent) {
    quil::SetTransparentPanel(true);
    rendertest::drawFrame([] { quil::FillRect(kWhite, 0, 0, {100, 100, 10, 10}); });
    const Rgba p = pixel(105, 105);
    const int expected = static_cast<int>(0.4f * 255 + 0.6f * background_.r + 0.5f);
    EXPECT_NEAR(p.r, expected, 1);
    EXPECT_NEAR(p.b, static_cast<int>(0.4f * 255 + 0.6f * background_.b + 0.5f), 1);
}

TEST_F(Primitives, LitFillSwitchesTheSimulatorsLightingOn) {
    bool litLighting = false, plainLighting = true;
    rendertest::drawFrame([&] {
        quil::FillRectLit(kWhite, 0, 0, {0, 0, 4, 4}, true);
        litLighting = glIsEnabled(GL_LIGHTING);
        quil::FillRect(kWhite, 0, 0, {0, 0, 4, 4});
        plainLighting = glIsEnabled(GL_LIGHTING);
    });
    EXPECT_TRUE(litLighting);
    EXPECT_FALSE(plainLighting);
}

// Panel x maps at half scale from 100, panel y at full scale from 50.
class PanelShapes : public Primitives {
protected:
    void SetUp() override {
        Primitives::SetUp();
        if (HasFatalFailure()) return;
        standin::setFloat("sim/graphics/view/panel_total_pnl_l", 100);
        standin::setFloat("sim/graphics/view/panel_total_pnl_r", 612);
        standin::setFloat("sim/graphics/view/panel_total_pnl_b", 50);
        standin::setFloat("sim/graphics/view/panel_total_pnl_t", 1074);
    }
    void drawInRed(const std::function<void()>& draw) {
        rendertest::drawFrame([&draw] {
            quil::UpdatePanelGeometry();
            XPLMSetGraphicsState(0, 0, 0, 0, 0, 0, 0);
            quil::SetPenColour(1.0f, 0.0f, 0.0f, 1.0f);
            draw();
        });
    }
    const Rgba red_{255, 0, 0, 255};
};

TEST_F(PanelShapes, FilledPanelRectangleLandsThroughThePanelMapping) {
    drawInRed([] { quil::FillPanelRect(200, 400, 100, 300); });
    EXPECT_EQ(pixel(200, 150), red_);
    EXPECT_EQ(pixel(299, 349), red_);
    EXPECT_EQ(pixel(199, 250), background_);
    EXPECT_EQ(pixel(300, 250), background_);
    EXPECT_EQ(pixel(250, 350), background_);
}

TEST_F(PanelShapes, PolygonFillsBetweenItsMappedCorners) {
    const float xs[3] = {0, 200, 0};
    const float ys[3] = {0, 0, 200};
    drawInRed([&] { quil::FillPanelPolygon(3, xs, ys); });
    EXPECT_EQ(pixel(110, 60), red_);
    EXPECT_EQ(pixel(190, 240), background_);
    EXPECT_EQ(pixel(99, 60), background_);
}

TEST_F(PanelShapes, OutlineDrawsTheEdgesOnly) {
    drawInRed([] { quil::OutlinePanelRect(501, 701, 500.5f, 700.5f); });
    EXPECT_EQ(pixel(350, 650), red_) << "left edge";
    EXPECT_EQ(pixel(450, 650), red_) << "right edge";
    EXPECT_EQ(pixel(400, 550), red_) << "bottom edge";
    EXPECT_EQ(pixel(400, 750), red_) << "top edge";
    EXPECT_EQ(pixel(400, 650), background_) << "inside";
}

TEST_F(PanelShapes, PolygonWithoutPointsDrawsNothing) {
    drawInRed([] {
        quil::FillPanelPolygon(0, nullptr, nullptr);
        quil::FillPanelPolygon(-3, nullptr, nullptr);
    });
    EXPECT_EQ(pixel(110, 60), background_);
}

}  // namespace
