// Glyphs and sprites drawn in runs: however many quads a run holds, the
// simulator hears of one graphics state and one texture for it, and inside
// a draw callback what is already set is not set again.
#include "render/draw_state.h"

#include <gtest/gtest.h>

#include <functional>

#include "instruments/readouts.h"
#include "render/primitives.h"
#include "render/render_support.h"

namespace {

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

class QuadRuns : public rendertest::AircraftFolderTest {
protected:
    void SetUp() override {
        AircraftFolderTest::SetUp();
        if (HasFatalFailure()) return;
        loadPositionCodedSheets();
    }
};

void readout(float value, float x) {
    float y = 300.0f;
    quil::DrawReadout(kWhite, value, x, y, 3, 2, 0);
}

TEST_F(QuadRuns, ARunSetsTheStateAndBindsItsSheetOnce) {
    struct Case {
        const char* name;
        std::function<void()> draw;
        long states, binds;
    };
    const Case cases[] = {
        {"a readout of seven glyphs", [] { readout(-123.45f, 100.0f); }, 1, 1},
        {"a row of ten sprites",
         [] {
             quil::BeginQuadRun();
             for (int n = 0; n < 10; ++n) quil::DrawSprite(n, kWhite, 100.0f + 30.0f * n, 500.0f);
             quil::EndQuadRun();
         },
         1, 1},
        {"two readouts in one draw callback",
         [] {
             quil::DrawCallbackScope callback;
             readout(12.5f, 100.0f);
             readout(-7.25f, 200.0f);
         },
         1, 1},
        {"digits, then a sprite from the atlas, in one run",
         [] {
             quil::BeginQuadRun();
             readout(12.5f, 100.0f);
             quil::DrawSprite(3, kWhite, 200.0f, 300.0f);
             quil::EndQuadRun();
         },
         1, 2},
        {"a sprite, then a centred one without alpha testing",
         [] {
             quil::DrawCallbackScope callback;
             quil::DrawSprite(3, kWhite, 100.0f, 300.0f);
             quil::DrawSpriteCentred(4, kWhite, 200.0f, 300.0f);
         },
         2, 1},
    };
    for (const Case& c : cases) {
        rendertest::drawFrame(c.draw);
        EXPECT_EQ(standin::lastFrameCalls("XPLMSetGraphicsState"), c.states) << c.name;
        EXPECT_EQ(standin::lastFrameCalls("XPLMBindTexture2d"), c.binds) << c.name;
    }
}

}  // namespace
