// What the rendering tests share: PNG files written in any colour type, a
// throw-away aircraft folder with its texture folder, texel patterns that
// tell which texel landed on which screen pixel, and frames that run a
// drawing inside the host's gauge phase.
#pragma once

#include <GL/gl.h>
#include <png.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "render/colours.h"
#include "render/textures.h"
#include "standin/standin.h"
#include "support/host_fixture.h"

namespace rendertest {

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

inline std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a)
               << ")";
}

// A PNG exactly as given: rows top first, in the file's own sample layout.
struct RawPng {
    int width = 0, height = 0;
    int colourType = PNG_COLOR_TYPE_RGBA;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint8_t> rows;          // height rows of packed samples
    std::vector<png_color> palette;     // palette images
    std::vector<uint8_t> transparency;  // tRNS alphas of palette entries
};

inline bool writeRawPng(const std::string& path, const RawPng& picture) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) {
        png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
    }
    if (!picture.transparency.empty()) {
        png_set_tRNS(png, info, picture.transparency.data(),
                     static_cast<int>(picture.transparency.size()), nullptr);
    }
    png_write_info(png, info);
    const size_t rowBytes = picture.rows.size() / picture.height;
    std::vector<png_bytep> rows(picture.height);
    for (int y = 0; y < picture.height; ++y) {
        rows[y] = const_cast<png_bytep>(picture.rows.data() + y * rowBytes);
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// An 8-bit RGBA file whose texel (x, y), y counted from the bottom edge,
// is texel(x, y).
inline bool writeRgbaPng(const std::string& path, int width, int height,
                         const std::function<Rgba(int, int)>& texel) {
    RawPng picture;
    picture.width = width;
    picture.height = height;
    picture.rows.resize(static_cast<size_t>(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = texel(x, height - 1 - row);
            uint8_t* out = &picture.rows[(static_cast<size_t>(row) * width + x) * 4];
            out[0] = c.r;
            out[1] = c.g;
            out[2] = c.b;
            out[3] = c.a;
        }
    }
    return writeRawPng(path, picture);
}

// Each texel names its own position, so a drawn pixel tells which texel
// the quad put there.
inline Rgba positionCode(int x, int y) {
    return {static_cast<uint8_t>(x & 0xff), static_cast<uint8_t>(y & 0xff),
            static_cast<uint8_t>(0x80 + (y >> 8)), 0xff};
}

inline Rgba pixel(int x, int y) {
    const standin::Rgba p = standin::readPixel(x, y);
    return {p.r, p.g, p.b, p.a};
}

// The pixels of a bound texture, bottom row first.
inline std::vector<uint8_t> boundTexturePixels(int texture, int& width, int& height) {
    XPLMBindTexture2d(texture, 0);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

inline int drawThrough(XPLMDrawingPhase, int, void* refcon) {
    (*static_cast<std::function<void()>*>(refcon))();
    return 1;
}

// One host frame with `draw` run after the simulator's gauges, where the
// plug-in's instruments draw.
inline void drawFrame(std::function<void()> draw) {
    XPLMRegisterDrawCallback(drawThrough, xplm_Phase_Gauges, 0, &draw);
    standin::runFrame();
    XPLMUnregisterDrawCallback(drawThrough, xplm_Phase_Gauges, 0, &draw);
}

// A fresh host with graphics and an aircraft of its own in a temporary
// folder, whose "quiltextures" folder the test fills.
class AircraftFolderTest : public quiltest::HostTest {
protected:
    standin::HostConfig config() const override { return standin::HostConfig(); }

    void SetUp() override {
        HostTest::SetUp();
        ASSERT_TRUE(standin::graphicsAvailable()) << standin::graphicsRenderer();
        char pattern[] = "/tmp/quil-render-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        std::filesystem::create_directories(folder_ + "/quiltextures");
        std::ofstream(acfPath()) << "I\n1100 Version\nACF\nP acf/_author Test\n";
    }

    void TearDown() override {
        quil::UnloadPanelTextures();
        HostTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string acfPath() const { return folder_ + "/Test.acf"; }
    std::string litMapPath() const { return folder_ + "/Test_paint_lit.png"; }
    std::string texturePath(const std::string& name) const {
        return folder_ + "/quiltextures/" + name;
    }
    void useAircraft() { ASSERT_TRUE(standin::setAircraft(acfPath())); }

    // Atlas and font sheets whose every texel tells its own position, loaded
    // as the panel's textures.
    void loadPositionCodedSheets() {
        ASSERT_TRUE(writeRgbaPng(texturePath("quiltexture.png"), 256, 298, positionCode));
        ASSERT_TRUE(writeRgbaPng(texturePath("quilfonts.png"), 128, 256, positionCode));
        useAircraft();
        quil::LoadPanelTextures();
        ASSERT_TRUE(quil::PanelTexturesLoaded());
        quil::SetTransparentPanel(false);
    }

    std::string folder_;
};

}  // namespace rendertest
