// Everything drawn goes in runs: however many glyphs, sprites or line
// points a run holds, the simulator hears of one graphics state and one
// texture for it and the GL library of one draw call, and a draw callback
// returns with the client arrays disabled, as the simulator expects them.
#include "render/draw_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "bench/gl_calls.h"
#include "instruments/readouts.h"
#include "render/primitives.h"
#include "render/render_support.h"

namespace {

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

class Runs : public rendertest::AircraftFolderTest {
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

// A circle of `points` points, as a strip or a fan.
void circle(quil::Shape shape, int points) {
    quil::SetGraphicsState(0, 0, 0, 0, 1, 0, 0);
    quil::BeginShape(shape);
    for (int i = 0; i < points; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(points);
        quil::ShapeVertex(500.0f + 100.0f * std::cos(angle), 500.0f + 100.0f * std::sin(angle));
    }
    quil::EndShape();
}

TEST_F(Runs, ARunOfAnyLengthIsOneDrawCallAndLeavesTheClientArraysDisabled) {
    struct Case {
        const char* name;
        std::function<void()> draw;
        long states, binds, drawCalls;
    };
    const Case cases[] = {
        {"a readout of seven glyphs, outside a callback", [] { readout(-123.45f, 100.0f); }, 7, 7,
         7},
        {"two readouts in one draw callback",
         [] {
             quil::DrawCallbackScope callback;
             readout(12.5f, 100.0f);
             readout(-7.25f, 200.0f);
         },
         1, 1, 1},
        {"a row of a hundred sprites",
         [] {
             quil::DrawCallbackScope callback;
             for (int n = 0; n < 100; ++n) quil::DrawSprite(n % 10, kWhite, 10.0f * n, 500.0f);
         },
         1, 1, 1},
        {"digits, then a sprite from the atlas",
         [] {
             quil::DrawCallbackScope callback;
             readout(12.5f, 100.0f);
             quil::DrawSprite(3, kWhite, 200.0f, 300.0f);
         },
         1, 2, 2},
        {"a sprite, then a centred one without alpha testing",
         [] {
             quil::DrawCallbackScope callback;
             quil::DrawSprite(3, kWhite, 100.0f, 300.0f);
             quil::DrawSpriteCentred(4, kWhite, 200.0f, 300.0f);
         },
         2, 1, 2},
        {"strips of 2, 60 and 2000 points, a loop and a fan of 1000",
         [] {
             quil::DrawCallbackScope callback;
             circle(quil::Shape::LineStrip, 2);
             circle(quil::Shape::LineStrip, 60);
             circle(quil::Shape::LineStrip, 2000);
             circle(quil::Shape::LineLoop, 4);
             circle(quil::Shape::Fan, 1000);
         },
         1, 0, 2},
    };
    for (const Case& c : cases) {
        const long drawCallsBefore = bench::DrawCallsCounted();
        bench::CountGlCalls(true);
        rendertest::drawFrame(c.draw);
        bench::CountGlCalls(false);
        EXPECT_EQ(standin::lastFrameCalls("XPLMSetGraphicsState"), c.states) << c.name;
        EXPECT_EQ(standin::lastFrameCalls("XPLMBindTexture2d"), c.binds) << c.name;
        EXPECT_EQ(bench::DrawCallsCounted() - drawCallsBefore, c.drawCalls) << c.name;
        EXPECT_EQ(standin::drawsLeavingClientArrays(), 0) << c.name;
    }
}

}  // namespace
