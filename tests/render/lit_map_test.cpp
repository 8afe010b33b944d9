// The aircraft's light map: captured from its paint file at load, masked
// glow by glow, and given back unmasked on unload.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "host/served_aircraft.h"
#include "render/render_support.h"
#include "render/textures.h"
#include "sim/sim_binding.h"

namespace {

using rendertest::Rgba;

// The glows on a 1024-texel light map: mask bit, x, y, width, height.
struct Glow {
    int bit, x, y, width, height;
};
constexpr Glow kGlows[] = {
    {1, 19, 0, 512, 262},    {1, 934, 930, 32, 16},   {2, 132, 809, 256, 100},
    {2, 132, 558, 256, 100}, {4, 0, 774, 128, 88},    {4, 0, 521, 128, 88},
    {4, 0, 398, 128, 128},   {16, 128, 906, 512, 32}, {16, 128, 654, 512, 32},
};
constexpr Glow kCabinGlow = {8, 268, 264, 256, 256};
constexpr Glow kCabinGlowBeforeV8 = {8, 646, 258, 128, 138};

// Never black, so a blacked-out texel always shows.
Rgba paint(int x, int y) {
    return {static_cast<uint8_t>(x % 200), static_cast<uint8_t>(y % 200),
            static_cast<uint8_t>(40 + (x + y) % 100), 255};
}

using Texels = std::vector<uint8_t>;

Texels paintTexels(int width, int height) {
    Texels texels(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = paint(x, y);
            uint8_t* t = &texels[(static_cast<size_t>(y) * width + x) * 4];
            t[0] = c.r, t[1] = c.g, t[2] = c.b, t[3] = c.a;
        }
    }
    return texels;
}

// The paint with the glows of every clear bit blacked out, at scale s.
Texels masked(Texels texels, int width, int height, int mask, bool v8) {
    const float s = static_cast<float>(width) / 1024.0f;
    std::vector<Glow> glows(std::begin(kGlows), std::end(kGlows));
    glows.push_back(v8 ? kCabinGlow : kCabinGlowBeforeV8);
    for (const Glow& g : glows) {
        if ((mask & g.bit) != 0) continue;
        const int left = int(g.x * s), bottom = int(g.y * s);
        const int right = std::min(width, left + int(g.width * s));
        const int top = std::min(height, bottom + int(g.height * s));
        for (int y = bottom; y < top; ++y) {
            for (int x = left; x < right; ++x) {
                uint8_t* t = &texels[(static_cast<size_t>(y) * width + x) * 4];
                t[0] = t[1] = t[2] = 0;
                t[3] = 255;
            }
        }
    }
    return texels;
}

// Where two texel blocks differ, for a readable failure.
std::string firstDifference(const Texels& actual, const Texels& expected, int width) {
    if (actual.size() != expected.size()) {
        return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size());
    }
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            const size_t texel = i / 4;
            return "texel (" + std::to_string(texel % width) + ", " +
                   std::to_string(texel / width) + ") channel " + std::to_string(i % 4) + ": " +
                   std::to_string(actual[i]) + " instead of " + std::to_string(expected[i]);
        }
    }
    return "";
}

class LightMap : public rendertest::AircraftFolderTest {
protected:
    void SetUp() override {
        AircraftFolderTest::SetUp();
        if (HasFatalFailure()) return;
        standin::setVersions(1100, 400, 1);
        quil::BindSimulatorState();
    }

    void writePaint(int width, int height, const std::function<Rgba(int, int)>& texel = paint) {
        ASSERT_TRUE(rendertest::writeRgbaPng(litMapPath(), width, height, texel));
    }

    // The aircraft with a light map of this size, and the plug-in's load.
    void loadWithLightMap(int width, int height) {
        writePaint(width, height);
        useAircraft();
        quil::LoadPanelTextures();
    }

    Texels lightMap(int& width, int& height) {
        return rendertest::boundTexturePixels(XPLMGetTexture(xplm_Tex_AircraftLiteMap), width,
                                              height);
    }
    Texels lightMap() {
        int width = 0, height = 0;
        return lightMap(width, height);
    }
};

TEST_F(LightMap, AllGlowsOnRestoresTheLightMapExactlyAsCaptured) {
    loadWithLightMap(1024, 1024);
    quil::ApplyLitMapMask(0);
    quil::ApplyLitMapMask(quil::kAllGlows);
    EXPECT_EQ(firstDifference(lightMap(), paintTexels(1024, 1024), 1024), "");
}

TEST_F(LightMap, MaskZeroBlacksOutAllTenGlows) {
    loadWithLightMap(1024, 1024);
    quil::ApplyLitMapMask(0);
    EXPECT_EQ(
        firstDifference(lightMap(), masked(paintTexels(1024, 1024), 1024, 1024, 0, true), 1024),
        "");
}

TEST_F(LightMap, BeforeVersion800TheCabinGlowLiesElsewhere) {
    standin::setVersions(760, 300, 1);
    quil::BindSimulatorState();
    loadWithLightMap(1024, 1024);
    quil::ApplyLitMapMask(0);
    const Texels texels = lightMap();
    EXPECT_EQ(firstDifference(texels, masked(paintTexels(1024, 1024), 1024, 1024, 0, false), 1024),
              "");
    EXPECT_NE(firstDifference(texels, masked(paintTexels(1024, 1024), 1024, 1024, 0, true), 1024),
              "")
        << "the newer cabin glow must stay lit";
}

TEST_F(LightMap, EachClearBitBlacksOutOnlyItsOwnGlows) {
    loadWithLightMap(1024, 1024);
    for (int bit : {1, 2, 4, 8, 16}) {
        const int mask = quil::kAllGlows & ~bit;
        quil::ApplyLitMapMask(mask);
        EXPECT_EQ(firstDifference(lightMap(),
                                  masked(paintTexels(1024, 1024), 1024, 1024, mask, true), 1024),
                  "")
            << "bit " << bit;
    }
}

TEST_F(LightMap, TheSameMaskTwiceUploadsNothing) {
    loadWithLightMap(1024, 1024);
    quil::ApplyLitMapMask(6);
    // A mark the next upload would paint over.
    const uint8_t mark[4] = {1, 2, 3, 4};
    XPLMBindTexture2d(XPLMGetTexture(xplm_Tex_AircraftLiteMap), 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 700, 700, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, mark);
    quil::ApplyLitMapMask(6);
    const Texels kept = lightMap();
    EXPECT_EQ(kept[(700 * 1024 + 700) * 4 + 3], 4);
    quil::ApplyLitMapMask(7);
    EXPECT_EQ(lightMap()[(700 * 1024 + 700) * 4 + 3], 255) << "a new mask uploads again";
}

TEST_F(LightMap, LoadReloadsThePaintFileIntoTheTexture) {
    writePaint(1024, 1024, [](int, int) { return Rgba{9, 9, 9, 255}; });
    useAircraft();
    writePaint(1024, 1024);
    quil::LoadPanelTextures();
    EXPECT_EQ(firstDifference(lightMap(), paintTexels(1024, 1024), 1024), "");
}

// Every 2 x 2 block of the file averages, truncated, to the paint plus one.
TEST_F(LightMap, PaintFileTwiceTheTexturesWidthIsBoxFiltered) {
    writePaint(1024, 1024, [](int, int) { return Rgba{9, 9, 9, 255}; });
    useAircraft();
    writePaint(2048, 2048, [](int x, int y) {
        Rgba c = paint(x / 2, y / 2);
        c.r = static_cast<uint8_t>(c.r + x % 2 + y % 2);  // mean + 1
        c.g = static_cast<uint8_t>(c.g + 3 * (x % 2));    // mean + 1.5
        return c;
    });
    quil::LoadPanelTextures();
    int width = 0, height = 0;
    const Texels texels = lightMap(width, height);
    ASSERT_EQ(width, 1024);
    Texels expected = paintTexels(1024, 1024);
    for (size_t i = 0; i < expected.size(); i += 4) {
        expected[i] += 1;
        expected[i + 1] += 1;
    }
    EXPECT_EQ(firstDifference(texels, expected, 1024), "");
}

TEST_F(LightMap, PaintFileSmallerThanTheTextureIsStretchedNotOverread) {
    writePaint(1024, 1024);
    useAircraft();
    writePaint(512, 256);
    quil::LoadPanelTextures();
    const Texels texels = lightMap();
    for (int y : {0, 1, 511, 1023}) {
        for (int x : {0, 3, 700, 1023}) {
            const Rgba c = paint(x / 2, y / 4);
            const uint8_t* t = &texels[(static_cast<size_t>(y) * 1024 + x) * 4];
            EXPECT_EQ((Rgba{t[0], t[1], t[2], t[3]}), c) << "texel " << x << ", " << y;
        }
    }
}

TEST_F(LightMap, PaintFileOfAnAwkwardSizeFillsTheTextureFromItsOwnPixels) {
    writePaint(1024, 1024);
    useAircraft();
    writePaint(1500, 1000);
    quil::LoadPanelTextures();
    const Texels texels = lightMap();
    for (int y : {0, 500, 1023}) {
        for (int x : {0, 512, 1023}) {
            const Rgba c = paint(x * 1500 / 1024, y * 1000 / 1024);
            const uint8_t* t = &texels[(static_cast<size_t>(y) * 1024 + x) * 4];
            EXPECT_EQ((Rgba{t[0], t[1], t[2], t[3]}), c) << "texel " << x << ", " << y;
        }
    }
}

// At 2048 texels the galley glow alone is 1024 x 524 texels: more than a
// 512 x 262 fill could cover.
TEST_F(LightMap, WideLightMapBlacksOutTheWholeScaledGlows) {
    loadWithLightMap(2048, 2048);
    quil::ApplyLitMapMask(0);
    EXPECT_EQ(
        firstDifference(lightMap(), masked(paintTexels(2048, 2048), 2048, 2048, 0, true), 2048),
        "");
}

TEST_F(LightMap, LightMapOf63TexelsIsNeverMasked) {
    loadWithLightMap(63, 128);
    quil::ApplyLitMapMask(0);
    EXPECT_EQ(firstDifference(lightMap(), paintTexels(63, 128), 63), "");
}

TEST_F(LightMap, AircraftWithoutLightMapIsLeftAlone) {
    useAircraft();
    quil::LoadPanelTextures();
    quil::ApplyLitMapMask(0);
    quil::ApplyLitMapMask(quil::kAllGlows);
    EXPECT_EQ(glIsTexture(static_cast<GLuint>(XPLMGetTexture(xplm_Tex_AircraftLiteMap))), GL_FALSE);
}

TEST_F(LightMap, MissingPaintFileStillCapturesTheLightMapAsLoaded) {
    writePaint(1024, 1024);
    useAircraft();
    std::remove(litMapPath().c_str());
    quil::LoadPanelTextures();
    quil::ApplyLitMapMask(0);
    EXPECT_EQ(
        firstDifference(lightMap(), masked(paintTexels(1024, 1024), 1024, 1024, 0, true), 1024),
        "");
}

// Another aircraft's paint: never black either, and unlike the first.
Rgba otherPaint(int x, int y) {
    return {static_cast<uint8_t>(255 - x % 200), static_cast<uint8_t>(7 + y % 2), 99, 255};
}

TEST_F(LightMap, NewAircraftsLightMapIsCapturedAfreshNotPaintedWithTheOldOne) {
    loadWithLightMap(1024, 1024);
    quil::ApplyLitMapMask(0);
    const std::string other = folder_ + "/Other.acf";
    std::ofstream(other) << "I\n1100 Version\nACF\n";
    ASSERT_TRUE(rendertest::writeRgbaPng(folder_ + "/Other_paint_lit.png", 1024, 1024, otherPaint));
    ASSERT_TRUE(standin::setAircraft(other));
    quil::ApplyLitMapMask(0);
    Texels expected(1024 * 1024 * 4);
    for (int y = 0; y < 1024; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const Rgba c = otherPaint(x, y);
            std::copy_n(&c.r, 4, &expected[(static_cast<size_t>(y) * 1024 + x) * 4]);
        }
    }
    EXPECT_EQ(firstDifference(lightMap(), masked(expected, 1024, 1024, 0, true), 1024), "");
    quil::UnloadPanelTextures();
    EXPECT_EQ(firstDifference(lightMap(), expected, 1024), "");
}

TEST_F(LightMap, UnloadGivesTheSimulatorItsUnmaskedLightMap) {
    loadWithLightMap(1024, 1024);
    quil::ApplyLitMapMask(0);
    quil::UnloadPanelTextures();
    EXPECT_EQ(firstDifference(lightMap(), paintTexels(1024, 1024), 1024), "");
}

}  // namespace
