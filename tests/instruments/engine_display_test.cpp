// The engine display: readouts glyph by glyph, a dial pinned above its
// scale, the N1 box, the power ramp, and the amber boxes seen through the
// plug-in as the simulator would show them.
#include "instruments/engine_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/dials.h"
#include "instruments/display_power.h"
#include "instruments/readouts.h"
#include "render/render_support.h"
#include "sim/sim_binding.h"
#include "support/served_aircraft.h"

namespace {

using rendertest::pixel;
using rendertest::positionCode;
using rendertest::Rgba;

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};
constexpr int kBlank = -1;
constexpr int kPoint = 10;
constexpr int kMinus = 11;

// Font 0's glyph g, as its first texel on the position-coded sheet.
Rgba glyphCode(int g) { return g == kPoint ? positionCode(2, 141) : positionCode(1, 14 * g + 1); }

class Gauges : public rendertest::AircraftFolderTest {
protected:
    void SetUp() override {
        AircraftFolderTest::SetUp();
        if (HasFatalFailure()) return;
        loadPositionCodedSheets();
        if (HasFatalFailure()) return;
        quil::SetPanelBrightness(1.0f);
        rendertest::drawFrame([] {});
        background_ = pixel(1, 1);
    }
    bool reddish(const Rgba& p) const { return p.r > 2 * p.g && p.r > 2 * p.b; }
    Rgba background_{};
};

// Glyphs from the pen, 4 pixels right of x: digits 6 wide, the point 3.
TEST_F(Gauges, ReadoutsBlankLeadingZerosAndDrawTheSignAndDecimals) {
    struct Case {
        const char* name;
        float value;
        int intDigits, decimals;
        bool padded;
        std::vector<int> glyphs;
    };
    const Case cases[] = {
        {"N2 52.3", 52.3f, 3, 1, false, {kBlank, 5, 2, kPoint, 3}},
        {"EGT 12", 12.0f, 3, 0, false, {kBlank, 1, 2}},
        {"-5", -5.0f, 3, 0, false, {kMinus, kBlank, kBlank, 5}},
        {"0", 0.0f, 3, 0, false, {kBlank, kBlank, 0}},
        {"1234 in three", 1234.0f, 3, 0, false, {2, 3, 4}},
        {"padded 7", 7.0f, 3, 0, true, {0, 0, 7}},
    };
    for (const Case& c : cases) {
        rendertest::drawFrame([&] {
            float x = 100, y = 200;
            if (c.padded) {
                quil::DrawReadoutPadded(kWhite, c.value, x, y, c.intDigits, c.decimals, 0);
            } else {
                quil::DrawReadout(kWhite, c.value, x, y, c.intDigits, c.decimals, 0);
            }
        });
        int x = 104;
        for (int g : c.glyphs) {
            const Rgba expected = g == kBlank ? background_
                                  : g == kMinus ? positionCode(1, 155)
                                                : glyphCode(g);
            EXPECT_EQ(pixel(x, 200), expected) << c.name << " at " << x;
            x += g == kPoint ? 3 : 6;
        }
    }
}

// EGT 1000 on a 950 scale: the needle rests at the scale's end, red, and
// the readout shows all four digits in red. On the position-coded sheet a
// digit's first texel is (1, 14 g + 1, 128): grey keeps its blue, red not.
TEST_F(Gauges, AValueAboveTheScalePinsTheNeedleInRedAndShowsInFull) {
    const quil::DialGauge egt = quil::MakeDial(quil::kDialEgt, 0.0f, 950.0f, 20.0f);
    // Halfway along the needle at the scale's end, up and to the left.
    auto needleIsRed = [this] {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (reddish(pixel(292 + dx, 306 + dy))) return true;
            }
        }
        return false;
    };
    rendertest::drawFrame([&] { quil::DrawDial(egt, 1000.0f, 300.0f, 300.0f); });
    EXPECT_TRUE(needleIsRed());
    for (int digit = 0; digit < 4; ++digit) {
        const Rgba p = pixel(304 + 6 * digit, 302);
        EXPECT_LT(p.b, 40) << "digit " << digit << " " << p;
        EXPECT_FALSE(p == background_) << "digit " << digit << " drawn";
    }
    rendertest::drawFrame([&] { quil::DrawDial(egt, 475.0f, 300.0f, 300.0f); });
    EXPECT_FALSE(needleIsRed()) << "half scale points elsewhere";
    EXPECT_GT(pixel(310, 302).b, 60) << "the readout in grey";
}

// The REV sprite's first texel is (76, 205, 128): yellow keeps its red,
// green does not; the reference readout's 9 is (1, 127, 128).
TEST_F(Gauges, TheN1BoxShowsTheReverserOrTheReference) {
    struct Case {
        int flags;
        bool yellow;
        bool reverser;
    };
    for (const Case& c : {Case{1, true, true}, Case{3, true, true}, Case{2, false, true},
                          Case{0, false, false}}) {
        rendertest::drawFrame([&] { quil::DrawN1Dial(50.0f, c.flags, 95.0f, 300.0f, 300.0f); });
        const Rgba box = pixel(300, 313);
        EXPECT_EQ(box.r > 50, c.yellow) << "flags " << c.flags << " " << box;
        EXPECT_EQ(box.g > 110, c.reverser) << "flags " << c.flags << " " << box;
    }
}

class DisplayPower : public quiltest::InProcessTest {};

TEST_F(DisplayPower, ComesOnDimBrightensAndFadesOutWithoutPower) {
    quiltest::BindServedAircraft();
    if (HasFatalFailure()) return;
    standin::setFloat("sim/cockpit/electrical/instrument_brightness", 1.0f);
    quil::FollowInstrumentBrightness();
    quil::DisplayLevel level;
    const quil::DisplayUnit& unit = quil::kEngineDisplayUnit;
    EXPECT_TRUE(quil::StepDisplayLevel(level, unit, true, 100.0f));
    EXPECT_FLOAT_EQ(level.level, 0.161f) << "first power-on";
    quil::StepDisplayLevel(level, unit, true, 112.2f);
    EXPECT_NEAR(level.level, 0.661f, 1e-3f);
    quil::StepDisplayLevel(level, unit, true, 200.0f);
    EXPECT_FLOAT_EQ(level.level, 1.0f) << "up to the instrument brightness";
    EXPECT_FALSE(quil::StepDisplayLevel(level, unit, false, 205.85f));
    EXPECT_NEAR(level.level, 0.5f, 1e-3f);
    quil::StepDisplayLevel(level, unit, false, 211.7f);
    EXPECT_NEAR(level.level, 0.0f, 1e-5f) << "black after 11.7 s";
    quil::StepDisplayLevel(level, unit, true, 212.0f);
    EXPECT_NEAR(level.level, 0.161f, 0.02f) << "power back starts dim again";
}

// The whole display through the plug-in: each engine's LOW OIL PRESSURE box
// shows by its own oil pressure, left and right alike.
class EngineDisplayPlugin : public quiltest::HostTest {
protected:
    standin::HostConfig config() const override { return standin::HostConfig(); }
    // Any amber pixel inside the box from (x, y) up, however dim the
    // display still is.
    static bool amberIn(int x, int y) {
        for (int dy = 0; dy < 12; ++dy) {
            for (int dx = 3; dx < 35; ++dx) {
                const standin::Rgba p = standin::readPixel(x + dx, y + dy);
                if (p.r > 2 * p.b + 20 && p.g > p.b) return true;
            }
        }
        return false;
    }
};

TEST_F(EngineDisplayPlugin, EitherEnginesLowOilPressureShowsItsOwnBox) {
    standin::setAircraft(quiltest::demoAircraftPath());
    quiltest::SetEngine1N2(quiltest::kHotResetN2);
    load(quiltest::pluginPath());
    standin::runSeconds(1.5);
    quiltest::SetEngine1N2(0.0f);
    if (!standin::graphicsAvailable()) GTEST_SKIP() << standin::graphicsRenderer();
    struct Case {
        float leftPsi, rightPsi;
    };
    for (const Case& c : {Case{10, 60}, Case{60, 10}, Case{60, 60}, Case{20, 20}}) {
        standin::setFloat("sim/flightmodel/engine/ENGN_oil_press", c.leftPsi / 100.0f, 0);
        standin::setFloat("sim/flightmodel/engine/ENGN_oil_press", c.rightPsi / 100.0f, 1);
        standin::runSeconds(0.2);
        for (int engine = 0; engine < 2; ++engine) {
            const float psi = engine == 0 ? c.leftPsi : c.rightPsi;
            EXPECT_EQ(amberIn(859 + 38 * engine, 415), psi < 26.0f)
                << "engine " << engine << " at " << psi << " psi";
        }
    }
}

}  // namespace
