// The panel's overlays and switches drawn in the test process on an atlas
// whose texels differ from their neighbours, so a pixel tells which sprite
// landed there: each check compares with the same sprite drawn alone.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "host/served_aircraft.h"
#include "host/snapshot_read.h"
#include "render/primitives.h"
#include "render/render_support.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "systems/electrical.h"

namespace paneltest {

using rendertest::pixel;
using rendertest::Rgba;

// The leading-edge lamp legend is see-through, as its windows are in the
// artwork, so the lamps show under it.
inline Rgba mixedCode(int x, int y) {
    if (x < 47 && y >= 165 && y < 177) return {0, 0, 0, 0};
    const uint8_t v = static_cast<uint8_t>((x * 5 + y * 11) % 247 + 8);
    return {v, v, v, 0xff};
}

class PanelDraw : public rendertest::AircraftFolderTest {
protected:
    void SetUp() override {
        AircraftFolderTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(rendertest::writeRgbaPng(texturePath("quiltexture.png"), 256, 298, mixedCode));
        ASSERT_TRUE(rendertest::writeRgbaPng(texturePath("quilfonts.png"), 128, 256,
                                             [](int, int) { return Rgba{255, 255, 255, 255}; }));
        useAircraft();
        quil::BindSimulatorState();
        quil::LoadPanelTextures();
        ASSERT_TRUE(quil::PanelTexturesLoaded());
        quil::SetTransparentPanel(false);
        standin::setFloat("sim/cockpit/electrical/instrument_brightness", 1.0f);
        quil::snapshot = quil::SimSnapshot{};
        rendertest::drawFrame([] {});
        background_ = pixel(1, 1);
    }

    // Battery and ground power on line, or everything off.
    void power(bool on) {
        quil::RestartElectricalModel();
        quil::ClearStartupHold();
        quil::SetBatterySwitch(on);
        quil::SetGroundPowerUnitPresent(on);
        if (on) quil::SetExternalPowerSwitch(quil::kSwitchOn);
        const float now = standin::simTime();
        for (int step = 0; step < 3; ++step) quil::ElectricalStep(now + 0.1f * step);
    }

public:
    // The host's clock moved on at once, for the next command to see.
    static void wait(float seconds) {
        standin::jumpTime(seconds);
        standin::runFrame();
        quil::ReadTime();
    }
    // A frame of `draw` after the values the drawing takes from the frame's
    // snapshot, as the plug-in's snapshot read gives them.
    static void drawFrame(const std::function<void()>& draw) {
        rendertest::drawFrame([&draw] {
            quil::snapshot.now = standin::getFloat("sim/time/total_running_time_sec");
            quil::snapshot.instrumentBrightness =
                standin::getFloat("sim/cockpit/electrical/instrument_brightness");
            quil::snapshot.mapSubmode = standin::getInt("sim/cockpit/switches/EFIS_map_submode");
            draw();
        });
    }
    // Draws `draw` in a frame of its own and gives the pixel at (x, y).
    static Rgba drawn(const std::function<void()>& draw, int x, int y) {
        drawFrame(draw);
        return pixel(x, y);
    }
    // Sprite n drawn alone at (x, y), seen `probe` pixels in and 4 up.
    static Rgba sprite(int n, const float* colour, float x, float y, int probe = 4) {
        return drawn([&] { quil::DrawSprite(n, colour, x, y); }, x + probe, y + 4);
    }
    // Whether a pixel within `reach` of (x, y) has this colour.
    static bool near(int x, int y, const Rgba& colour, int reach = 1) {
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                if (pixel(x + dx, y + dy) == colour) return true;
            }
        }
        return false;
    }
    // An RGB colour as the frame shows it, opaque.
    static Rgba shown(const float* rgb) {
        auto channel = [](float c) { return static_cast<uint8_t>(c * 255.0f + 0.5f); };
        return {channel(rgb[0]), channel(rgb[1]), channel(rgb[2]), 0xff};
    }
    static bool close(const Rgba& a, const Rgba& b) {
        return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
    }

protected:
    Rgba background_{};
};

}  // namespace paneltest
