// The host's offscreen OpenGL: what plug-ins draw lands in the frame,
// screenshots, the SDK's graphics state and texture cache, aircraft
// textures, and the PNG reader and writer behind them.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "XPLMGraphics.h"
#include "standin/png_file.h"
#include "standin/standin.h"
#include "standin/text_font.h"
#include "support/host_fixture.h"

// Found by argument lookup when tests compare pixels.
namespace standin {
bool operator==(const Rgba& a, const Rgba& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}
bool operator!=(const Rgba& a, const Rgba& b) { return !(a == b); }
std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", "
               << int(c.a) << ")";
}
}  // namespace standin

namespace {

namespace fs = std::filesystem;
using quiltest::HostTest;

// The host links OpenGL privately, so the tests reach GL through the
// process's symbol table instead of linking it themselves.
template <typename Function>
Function glFunction(const char* name) {
    auto function = reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
    if (!function) {
        std::fprintf(stderr, "OpenGL has no %s in this process\n", name);
        std::abort();
    }
    return function;
}
#define GL(name) glFunction<decltype(&::name)>(#name)

fs::path scratchFolder() {
    const fs::path folder = fs::path(QUIL_BUILD_DIR) / "test-graphics" /
                            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

constexpr standin::Rgba kRed = {255, 0, 0, 255};
constexpr standin::Rgba kGreen = {0, 255, 0, 255};
constexpr standin::Rgba kBlue = {0, 0, 255, 255};
constexpr standin::Rgba kWhite = {255, 255, 255, 255};
constexpr standin::Rgba kNothing = {0, 0, 0, 0};

standin::Rgba imagePixel(const standin::RgbaImage& image, int x, int y) {
    const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

class Graphics : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        if (!standin::graphicsAvailable())
            GTEST_SKIP() << "no offscreen OpenGL: " << standin::graphicsRenderer();
    }
    standin::HostConfig config() const override {
        standin::HostConfig config;
        config.graphics = true;
        return config;
    }

    static GLint boundTexture(int unit) {
        GL(glActiveTexture)(GL_TEXTURE0 + unit);
        GLint name = 0;
        GL(glGetIntegerv)(GL_TEXTURE_BINDING_2D, &name);
        GL(glActiveTexture)(GL_TEXTURE0);
        return name;
    }
    static bool texturingOn(int unit) {
        GL(glActiveTexture)(GL_TEXTURE0 + unit);
        const bool on = GL(glIsEnabled)(GL_TEXTURE_2D);
        GL(glActiveTexture)(GL_TEXTURE0);
        return on;
    }
};

// ---- What plug-ins draw --------------------------------------------------------

struct ProbeQuad {
    int left, bottom, size;
};

ProbeQuad drawProbeQuad() {
    standin::setInt("probe/draw_quad", 1);
    standin::runFrame();
    return {standin::getInt("probe/quad_left"), standin::getInt("probe/quad_bottom"),
            standin::getInt("probe/quad_size")};
}

TEST_F(Graphics, RendererIsNamedWhenAvailable) {
    std::printf("renderer: %s\n", standin::graphicsRenderer().c_str());
    EXPECT_FALSE(standin::graphicsRenderer().empty());
}

TEST_F(Graphics, ProbeQuadAppearsOnlyWhenAskedAndItsTexelsLandInPlace) {
    loadProbe();
    standin::runFrame();
    const standin::Rgba background = standin::readPixel(1023, 1023);
    const int left = standin::getInt("probe/quad_left");
    const int bottom = standin::getInt("probe/quad_bottom");
    EXPECT_EQ(standin::readPixel(left + 1, bottom + 1), background);

    const ProbeQuad quad = drawProbeQuad();
    const int quarter = quad.size / 4, right = quad.left + quad.size, top = quad.bottom + quad.size;
    EXPECT_EQ(standin::readPixel(quad.left + quarter, quad.bottom + quarter), kRed);
    EXPECT_EQ(standin::readPixel(right - quarter, quad.bottom + quarter), kGreen);
    EXPECT_EQ(standin::readPixel(quad.left + quarter, top - quarter), kBlue);
    EXPECT_EQ(standin::readPixel(right - quarter, top - quarter), kWhite);
    // Exactly the quad's pixels, no more.
    EXPECT_EQ(standin::readPixel(quad.left, quad.bottom + quarter), kRed);
    EXPECT_EQ(standin::readPixel(quad.left - 1, quad.bottom + quarter), background);
    EXPECT_EQ(standin::readPixel(right - 1, top - 1), kWhite);
    EXPECT_EQ(standin::readPixel(right, top - 1), background);
    EXPECT_EQ(standin::readPixel(right - 1, top), background);
}

TEST_F(Graphics, ProbeTextIsDrawnWithTheBuiltInFontFromItsLowerLeft) {
    loadProbe();
    drawProbeQuad();
    const int x = standin::getInt("probe/text_x"), y = standin::getInt("probe/text_y");
    const standin::Rgba background = standin::readPixel(1023, 1023);
    // "P": its top row is four pixels wide, its stem reaches the baseline.
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(standin::readPixel(x + column, y + 6), kWhite) << "column " << column;
    EXPECT_EQ(standin::readPixel(x + 4, y + 6), background);
    EXPECT_EQ(standin::readPixel(x, y), kWhite);
    EXPECT_EQ(standin::readPixel(x + 1, y), background);
    EXPECT_EQ(standin::readPixel(x, y - 1), background);
    EXPECT_EQ(standin::readPixel(x, y + 7), background);
    // "R" starts one blank column after it.
    EXPECT_EQ(standin::readPixel(x + 5, y + 6), background);
    EXPECT_EQ(standin::readPixel(x + 6, y + 6), kWhite);
}

TEST_F(Graphics, ProbeTextWrapsToLinesBelowAtItsWrapWidth) {
    loadProbe();
    standin::setInt("probe/text_wrap", 2 * standin::kGlyphAdvancePx);
    drawProbeQuad();
    const int x = standin::getInt("probe/text_x"), y = standin::getInt("probe/text_y");
    const standin::Rgba background = standin::readPixel(1023, 1023);
    // "PR" / "OB" / "E": the "O" opens the second line, its top row inset by one.
    const int secondLineTop = y - standin::kTextLineHeightPx + 6;
    EXPECT_EQ(standin::readPixel(x, secondLineTop), background);
    EXPECT_EQ(standin::readPixel(x + 1, secondLineTop), kWhite);
    EXPECT_EQ(standin::readPixel(x + 2 * standin::kGlyphAdvancePx + 1, y + 6), background)
        << "the third glyph stayed on the first line";
    EXPECT_EQ(standin::readPixel(x, y - 2 * standin::kTextLineHeightPx + 6), kWhite);
}

TEST_F(Graphics, SimulatorPanelFillsTheWindowWithOneOpaqueGrey) {
    standin::runFrame();
    const standin::Rgba corner = standin::readPixel(0, 0);
    EXPECT_EQ(standin::readPixel(1023, 1023), corner);
    EXPECT_EQ(standin::readPixel(512, 300), corner);
    EXPECT_EQ(corner.a, 255);
    EXPECT_EQ(corner.r, corner.g);
    EXPECT_EQ(corner.g, corner.b);
    EXPECT_GT(corner.r, 64);
    EXPECT_LT(corner.r, 192);
}

TEST_F(Graphics, PixelsOutsideTheWindowOrBeforeAFrameAreTransparentBlack) {
    EXPECT_EQ(standin::readPixel(10, 10), kNothing) << "no frame drawn yet";
    standin::runFrame();
    EXPECT_NE(standin::readPixel(0, 0), kNothing);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {1024, 0}, {0, 1024}})
        EXPECT_EQ(standin::readPixel(x, y), kNothing) << x << ", " << y;
}

TEST_F(Graphics, ScreenshotDecodesToTheFrame) {
    loadProbe();
    const ProbeQuad quad = drawProbeQuad();
    const std::string path = (scratchFolder() / "frame.png").string();
    std::string error;
    ASSERT_TRUE(standin::saveScreenshot(path, &error)) << error;
    standin::RgbaImage image;
    ASSERT_TRUE(standin::readPng(path, &image, &error)) << error;
    EXPECT_EQ(image.width, 1024);
    EXPECT_EQ(image.height, 1024);
    const int x = quad.left + quad.size / 4, y = quad.bottom + quad.size / 4;
    EXPECT_EQ(imagePixel(image, x, y), kRed);
    EXPECT_EQ(imagePixel(image, x, y + quad.size / 2), kBlue);
    EXPECT_EQ(imagePixel(image, 0, 0), standin::readPixel(0, 0));
}

TEST_F(Graphics, ScreenshotToAnUnwritablePlaceFailsWithAReason) {
    standin::runFrame();
    std::string error;
    EXPECT_FALSE(standin::saveScreenshot("/nonexistent/folder/frame.png", &error));
    EXPECT_NE(error.find("/nonexistent/folder/frame.png"), std::string::npos) << error;
}

TEST_F(Graphics, AHostOfAnotherSizeGetsAFrameOfThatSize) {
    standin::HostConfig small = config();
    small.windowWidth = 320;
    small.windowHeight = 200;
    standin::startHost(small);
    ASSERT_TRUE(standin::graphicsAvailable()) << standin::graphicsRenderer();
    standin::runFrame();
    EXPECT_NE(standin::readPixel(319, 199), kNothing);
    EXPECT_EQ(standin::readPixel(320, 0), kNothing);
    EXPECT_EQ(standin::readPixel(0, 200), kNothing);
    const std::string path = (scratchFolder() / "small.png").string();
    std::string error;
    ASSERT_TRUE(standin::saveScreenshot(path, &error)) << error;
    standin::RgbaImage image;
    ASSERT_TRUE(standin::readPng(path, &image, &error)) << error;
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.height, 200);

    standin::startHost(config());
    standin::runFrame();
    EXPECT_NE(standin::readPixel(1023, 1023), kNothing);
}

// ---- The SDK's graphics state and textures -------------------------------------

TEST_F(Graphics, GraphicsStateSwitchesTheGlCapabilities) {
    XPLMSetGraphicsState(1, 2, 1, 1, 1, 1, 1);
    EXPECT_TRUE(GL(glIsEnabled)(GL_FOG));
    EXPECT_TRUE(texturingOn(0));
    EXPECT_TRUE(texturingOn(1));
    EXPECT_FALSE(texturingOn(2));
    EXPECT_FALSE(texturingOn(3));
    EXPECT_TRUE(GL(glIsEnabled)(GL_LIGHTING));
    EXPECT_TRUE(GL(glIsEnabled)(GL_ALPHA_TEST));
    EXPECT_TRUE(GL(glIsEnabled)(GL_BLEND));
    EXPECT_TRUE(GL(glIsEnabled)(GL_DEPTH_TEST));
    GLint value = 0;
    GL(glGetIntegerv)(GL_ALPHA_TEST_FUNC, &value);
    EXPECT_EQ(value, GL_GREATER);
    GLfloat reference = -1.0f;
    GL(glGetFloatv)(GL_ALPHA_TEST_REF, &reference);
    EXPECT_EQ(reference, 0.0f);
    GL(glGetIntegerv)(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    GL(glGetIntegerv)(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    GLboolean depthWrite = GL_FALSE;
    GL(glGetBooleanv)(GL_DEPTH_WRITEMASK, &depthWrite);
    EXPECT_TRUE(depthWrite);

    XPLMSetGraphicsState(0, 0, 0, 0, 0, 0, 0);
    for (GLenum capability : {GL_FOG, GL_LIGHTING, GL_ALPHA_TEST, GL_BLEND, GL_DEPTH_TEST})
        EXPECT_FALSE(GL(glIsEnabled)(capability)) << "capability 0x" << std::hex << capability;
    for (int unit = 0; unit < 4; ++unit) EXPECT_FALSE(texturingOn(unit)) << "unit " << unit;
    GL(glGetBooleanv)(GL_DEPTH_WRITEMASK, &depthWrite);
    EXPECT_FALSE(depthWrite);
}

TEST_F(Graphics, BindCacheSkipsARebindOfTheCachedNameEvenWhenGlMovedOn) {
    int names[2] = {};
    XPLMGenerateTextureNumbers(names, 2);
    XPLMBindTexture2d(names[0], 0);
    EXPECT_EQ(boundTexture(0), names[0]);
    GL(glBindTexture)(GL_TEXTURE_2D, names[1]);
    XPLMBindTexture2d(names[0], 0);
    EXPECT_EQ(boundTexture(0), names[1]) << "the cache still holds the first name";
    XPLMBindTexture2d(names[1], 0);
    XPLMBindTexture2d(names[0], 0);
    EXPECT_EQ(boundTexture(0), names[0]);

    XPLMBindTexture2d(names[1], 1);
    EXPECT_EQ(boundTexture(1), names[1]);
    EXPECT_EQ(boundTexture(0), names[0]);
    XPLMBindTexture2d(names[1], 4);  // beyond the cached units: ignored
    XPLMBindTexture2d(names[1], -1);
    EXPECT_EQ(boundTexture(0), names[0]);
}

TEST_F(Graphics, StartingAHostClearsTheBindCache) {
    int name = 0;
    XPLMGenerateTextureNumbers(&name, 1);
    XPLMBindTexture2d(name, 0);
    GL(glBindTexture)(GL_TEXTURE_2D, 0);
    standin::startHost(config());
    XPLMBindTexture2d(name, 0);
    EXPECT_EQ(boundTexture(0), name) << "the bind was skipped by a cache from the last host";
}

TEST_F(Graphics, GeneratedTextureNumbersAreFreshGlNames) {
    int names[3] = {};
    XPLMGenerateTextureNumbers(names, 3);
    for (int name : names) {
        EXPECT_GT(name, 0);
        EXPECT_FALSE(GL(glIsTexture)(name)) << name;
    }
    EXPECT_NE(names[0], names[1]);
    EXPECT_NE(names[1], names[2]);
    EXPECT_NE(names[0], names[2]);
    XPLMBindTexture2d(names[1], 0);
    EXPECT_TRUE(GL(glIsTexture)(names[1]));

    XPLMGenerateTextureNumbers(nullptr, 3);
    int untouched = -7;
    XPLMGenerateTextureNumbers(&untouched, -1);
    EXPECT_EQ(untouched, -7);
}

class AircraftTextures : public Graphics {
protected:
    void SetUp() override {
        Graphics::SetUp();
        folder = scratchFolder();
    }
    // An aircraft file with the given paint images beside it.
    std::string aircraft(const std::string& name, bool paint, bool lightMap) {
        std::ofstream(folder / (name + ".acf")) << "I\n1100 Version\nACF\n";
        if (paint) writeImage(folder / (name + "_paint.png"), paintImage);
        if (lightMap) writeImage(folder / (name + "_paint_lit.png"), lightMapImage);
        return (folder / (name + ".acf")).string();
    }
    static void writeImage(const fs::path& path, const standin::RgbaImage& image) {
        std::string error;
        ASSERT_TRUE(standin::writePng(path.string(), image, &error)) << error;
    }
    // The texels of a simulator texture, bound through the SDK's cache.
    static standin::RgbaImage texels(int which) {
        XPLMBindTexture2d(XPLMGetTexture(which), 0);
        standin::RgbaImage image;
        GL(glGetTexLevelParameteriv)(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
        GL(glGetTexLevelParameteriv)(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
        image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
        GL(glGetTexImage)(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
        return image;
    }

    const standin::RgbaImage paintImage = {4, 1, {10, 20, 30, 255, 40, 50, 60, 255,
                                                   70, 80, 90, 255, 1, 2, 3, 4}};
    const standin::RgbaImage lightMapImage = {1, 2, {255, 0, 0, 255, 0, 0, 255, 128}};
    fs::path folder;
};

TEST_F(AircraftTextures, PaintAndLightMapBecomeTexturesOneAndTwo) {
    ASSERT_TRUE(standin::setAircraft(aircraft("Painted", true, true)));
    const standin::RgbaImage paint = texels(xplm_Tex_AircraftPaint);
    EXPECT_EQ(paint.width, 4);
    EXPECT_EQ(paint.height, 1);
    EXPECT_EQ(paint.pixels, paintImage.pixels);
    const standin::RgbaImage lightMap = texels(xplm_Tex_AircraftLiteMap);
    EXPECT_EQ(lightMap.width, 1);
    EXPECT_EQ(lightMap.height, 2);
    EXPECT_EQ(lightMap.pixels, lightMapImage.pixels) << "bottom row first, as uploaded";
    EXPECT_EQ(standin::simulatorTexture(xplm_Tex_AircraftLiteMap),
              XPLMGetTexture(xplm_Tex_AircraftLiteMap));
    EXPECT_NE(XPLMGetTexture(xplm_Tex_AircraftPaint), XPLMGetTexture(xplm_Tex_AircraftLiteMap));
    EXPECT_EQ(standin::simulatorTexture(7), 0);
    EXPECT_EQ(XPLMGetTexture(7), 0);
}

TEST_F(AircraftTextures, WithoutALightMapTextureTwoIsANameNotYetATexture) {
    ASSERT_TRUE(standin::setAircraft(aircraft("Unlit", true, false)));
    const int lightMap = XPLMGetTexture(xplm_Tex_AircraftLiteMap);
    EXPECT_NE(lightMap, 0);
    EXPECT_FALSE(GL(glIsTexture)(lightMap));
    EXPECT_TRUE(GL(glIsTexture)(XPLMGetTexture(xplm_Tex_AircraftPaint)));
}

TEST_F(AircraftTextures, AnotherAircraftReplacesTheTextures) {
    ASSERT_TRUE(standin::setAircraft(aircraft("Painted", true, true)));
    const int firstLightMap = XPLMGetTexture(xplm_Tex_AircraftLiteMap);
    ASSERT_TRUE(standin::setAircraft(aircraft("Bare", false, false)));
    const int secondLightMap = XPLMGetTexture(xplm_Tex_AircraftLiteMap);
    EXPECT_FALSE(GL(glIsTexture)(secondLightMap));
    EXPECT_FALSE(GL(glIsTexture)(firstLightMap)) << "the old light map was kept";
    EXPECT_FALSE(GL(glIsTexture)(XPLMGetTexture(xplm_Tex_AircraftPaint)));
}

// ---- Without graphics ------------------------------------------------------------

class NoGraphics : public HostTest {};

TEST_F(NoGraphics, DrawingDoesNothingAndSaysWhy) {
    EXPECT_FALSE(standin::graphicsAvailable());
    EXPECT_FALSE(standin::graphicsRenderer().empty());
    loadProbe();
    standin::setInt("probe/draw_quad", 1);
    standin::runFrames(2);
    float white[3] = {1, 1, 1};
    char text[] = "text";
    XPLMDrawString(white, 10, 10, text, nullptr, xplmFont_Basic);
    XPLMDrawString(white, 10, 10, nullptr, nullptr, xplmFont_Basic);
    XPLMSetGraphicsState(1, 1, 1, 1, 1, 1, 1);
    EXPECT_EQ(standin::readPixel(10, 10), kNothing);
    std::string error;
    EXPECT_FALSE(standin::saveScreenshot((scratchFolder() / "none.png").string(), &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(NoGraphics, TextureNumbersStillCountUp) {
    int names[3] = {};
    XPLMGenerateTextureNumbers(names, 3);
    EXPECT_GT(names[0], 0);
    EXPECT_LT(names[0], names[1]);
    EXPECT_LT(names[1], names[2]);
    const int lightMap = XPLMGetTexture(xplm_Tex_AircraftLiteMap);
    EXPECT_NE(lightMap, 0);
    for (int name : names) EXPECT_NE(name, lightMap);
}

// ---- Text layout -------------------------------------------------------------------

std::vector<std::string> wrapped(const char* text, int wrapWidthPx) {
    std::vector<std::string> lines;
    for (std::string_view line : standin::wrapText(text, wrapWidthPx)) lines.emplace_back(line);
    return lines;
}

TEST(TextLayout, WrapsAtSpacesAndCutsWordsLongerThanALine) {
    using Lines = std::vector<std::string>;
    const int threeGlyphsPx = 3 * standin::kGlyphAdvancePx;
    EXPECT_EQ(wrapped("ab cd efgh", 0), Lines{"ab cd efgh"});
    EXPECT_EQ(wrapped("ab cd efgh", threeGlyphsPx), (Lines{"ab", "cd", "efg", "h"}));
    EXPECT_EQ(wrapped("ab cd", threeGlyphsPx + standin::kGlyphAdvancePx * 2), Lines{"ab cd"});
    EXPECT_EQ(wrapped("abc", 1), (Lines{"a", "b", "c"})) << "at least a glyph per line";
    EXPECT_EQ(wrapped("", threeGlyphsPx), Lines{""});
    EXPECT_EQ(standin::textWidthPx("abcd"), 4 * standin::kGlyphAdvancePx);
}

// ---- PNG files ---------------------------------------------------------------------

// Builds PNG files byte by byte, with stored (uncompressed) image data, so
// that the reader is tested on files it did not write itself.
class PngBuilder {
public:
    static std::string file(int width, int height, int bitDepth, int colourType,
                            const std::vector<std::string>& rows,
                            const std::string& chunksBeforeData = "") {
        std::string header = be32(width) + be32(height);
        header += {char(bitDepth), char(colourType), 0, 0, 0};
        std::string raw;
        for (const std::string& row : rows) raw += '\0' + row;  // filter: none
        return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunksBeforeData +
               chunk("IDAT", zlibStored(raw)) + chunk("IEND", "");
    }
    static std::string chunk(const char* type, const std::string& data) {
        const std::string typed = type + data;
        return be32(static_cast<uint32_t>(data.size())) + typed + be32(crc32(typed));
    }

private:
    static std::string be32(uint32_t value) {
        return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    }
    static uint32_t crc32(const std::string& bytes) {
        uint32_t crc = 0xFFFFFFFFu;
        for (unsigned char byte : bytes) {
            crc ^= byte;
            for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    }
    static std::string zlibStored(const std::string& raw) {
        constexpr size_t kMaxBlock = 65535;
        std::string out = "\x78\x01";
        size_t offset = 0;
        do {
            const size_t length = std::min(kMaxBlock, raw.size() - offset);
            const bool last = offset + length == raw.size();
            out += {char(last ? 1 : 0), char(length), char(length >> 8), char(~length),
                    char(~length >> 8)};
            out += raw.substr(offset, length);
            offset += length;
        } while (offset < raw.size());
        uint32_t a = 1, b = 0;
        for (unsigned char byte : raw) {
            a = (a + byte) % 65521;
            b = (b + a) % 65521;
        }
        return out + be32((b << 16) | a);
    }
};

constexpr int kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgbAlpha = 6;

class PngFile : public ::testing::Test {
protected:
    void SetUp() override { folder = scratchFolder(); }

    std::string save(const std::string& name, const std::string& bytes) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    standin::RgbaImage read(const std::string& bytes) {
        standin::RgbaImage image;
        std::string error;
        EXPECT_TRUE(standin::readPng(save("image.png", bytes), &image, &error)) << error;
        return image;
    }
    std::string refusal(const std::string& bytes) {
        standin::RgbaImage image = {1, 1, {1, 2, 3, 4}};
        std::string error;
        EXPECT_FALSE(standin::readPng(save("bad.png", bytes), &image, &error));
        EXPECT_EQ(image.width, 0);
        EXPECT_TRUE(image.pixels.empty());
        return error;
    }

    fs::path folder;
};

std::vector<uint8_t> bytes(std::initializer_list<int> values) {
    return std::vector<uint8_t>(values.begin(), values.end());
}

TEST_F(PngFile, RowsComeBottomRowFirst) {
    const standin::RgbaImage image =
        read(PngBuilder::file(1, 2, 8, kRgb, {{'\xFF', 0, 0}, {0, 0, '\xFF'}}));
    ASSERT_EQ(image.width, 1);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, bytes({0, 0, 255, 255, 255, 0, 0, 255}));
}

TEST_F(PngFile, GreyImagesExpandToOpaqueRgba) {
    EXPECT_EQ(read(PngBuilder::file(2, 1, 8, kGrey, {{'\x20', '\xC0'}})).pixels,
              bytes({0x20, 0x20, 0x20, 255, 0xC0, 0xC0, 0xC0, 255}));
    EXPECT_EQ(read(PngBuilder::file(3, 1, 1, kGrey, {{'\xA0'}})).pixels,
              bytes({255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255}));
    EXPECT_EQ(read(PngBuilder::file(1, 1, 8, kGreyAlpha, {{'\x40', '\x80'}})).pixels,
              bytes({0x40, 0x40, 0x40, 0x80}));
}

TEST_F(PngFile, PaletteImagesExpandWithTheirTransparency) {
    const std::string palette = PngBuilder::chunk("PLTE", {'\xFF', 0, 0, 0, '\xFF', 0});
    const std::string transparency = PngBuilder::chunk("tRNS", {'\x80'});
    EXPECT_EQ(read(PngBuilder::file(2, 1, 8, kPalette, {{1, 0}}, palette + transparency)).pixels,
              bytes({0, 255, 0, 255, 255, 0, 0, 0x80}));
    // Four-bit indices, two to a byte.
    EXPECT_EQ(read(PngBuilder::file(2, 1, 4, kPalette, {{'\x10'}}, palette)).pixels,
              bytes({0, 255, 0, 255, 255, 0, 0, 255}));
}

TEST_F(PngFile, SixteenBitChannelsScaleToEightBits) {
    EXPECT_EQ(read(PngBuilder::file(1, 1, 16, kRgb, {{'\xFF', '\xFF', 0, 0, '\x80', '\x80'}})).pixels,
              bytes({255, 0, 128, 255}));
    EXPECT_EQ(read(PngBuilder::file(1, 1, 16, kRgbAlpha,
                                    {{0, 0, '\xFF', '\xFF', 0, 0, '\x40', '\x40'}}))
                  .pixels,
              bytes({0, 255, 0, 64}));
}

TEST_F(PngFile, NotAPngIsRefused) {
    const std::string error = refusal("GIF89a, or just some text of reasonable length");
    EXPECT_NE(error.find("not a PNG"), std::string::npos) << error;
    EXPECT_NE(refusal("").find("not a PNG"), std::string::npos);
}

TEST_F(PngFile, MissingFileIsRefusedNamingIt) {
    standin::RgbaImage image;
    std::string error;
    EXPECT_FALSE(standin::readPng((folder / "absent.png").string(), &image, &error));
    EXPECT_NE(error.find("absent.png"), std::string::npos) << error;
}

TEST_F(PngFile, TruncatedAndCorruptFilesAreRefused) {
    std::vector<std::string> rows(16, std::string(16 * 3, '\x55'));
    const std::string whole = PngBuilder::file(16, 16, 8, kRgb, rows);
    read(whole);
    for (size_t length : {whole.size() / 2, size_t(40), size_t(20), whole.size() - 13})
        EXPECT_FALSE(refusal(whole.substr(0, length)).empty()) << "cut at " << length;
    std::string corrupt = whole;
    corrupt[whole.size() / 2] ^= 0x5A;  // in the image data: its checksum fails
    EXPECT_FALSE(refusal(corrupt).empty());
}

TEST_F(PngFile, ImagesLargerThanTheLimitAreRefused) {
    const std::string wideRow(standin::kPngMaxSidePx + 1, '\0');
    EXPECT_FALSE(
        refusal(PngBuilder::file(standin::kPngMaxSidePx + 1, 1, 8, kGrey, {wideRow})).empty());
    EXPECT_FALSE(refusal(PngBuilder::file(1, standin::kPngMaxSidePx + 1, 8, kGrey,
                                          std::vector<std::string>(standin::kPngMaxSidePx + 1,
                                                                   std::string(1, '\0'))))
                     .empty());
    // Claimed sizes are refused before any pixel is read.
    EXPECT_FALSE(refusal(PngBuilder::file(100000, 100000, 8, kGrey, {})).empty());
    const standin::RgbaImage widest = read(PngBuilder::file(
        standin::kPngMaxSidePx, 1, 8, kGrey, {std::string(standin::kPngMaxSidePx, '\0')}));
    EXPECT_EQ(widest.width, standin::kPngMaxSidePx);
}

TEST_F(PngFile, WrittenImagesReadBackUnchanged) {
    const standin::RgbaImage image = {3, 2, bytes({1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                                   13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})};
    const std::string path = (folder / "written.png").string();
    std::string error;
    ASSERT_TRUE(standin::writePng(path, image, &error)) << error;
    standin::RgbaImage back;
    ASSERT_TRUE(standin::readPng(path, &back, &error)) << error;
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, image.pixels);
}

TEST_F(PngFile, WritingRefusesMismatchedImagesAndUnwritablePaths) {
    std::string error;
    EXPECT_FALSE(standin::writePng((folder / "a.png").string(), {2, 2, bytes({1, 2, 3, 4})}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(standin::writePng((folder / "none" / "a.png").string(),
                                   {1, 1, bytes({1, 2, 3, 4})}, &error));
    EXPECT_NE(error.find("none/a.png"), std::string::npos) << error;
}

}  // namespace
