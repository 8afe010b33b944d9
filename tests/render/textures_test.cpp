// The panel textures: the atlas and the font sheet load from the
// aircraft's texture folder in their order, the atlas sprites get their
// texture coordinates, and any sheet uploads as RGBA.
#include "render/textures.h"

#include <gtest/gtest.h>

#include "render/atlas.h"
#include "render/render_support.h"

namespace {

using rendertest::Rgba;

class PanelTextures : public rendertest::AircraftFolderTest {
protected:
    void writeSheet(const std::string& name, int width, int height) {
        ASSERT_TRUE(
            rendertest::writeRgbaPng(texturePath(name), width, height, rendertest::positionCode));
    }
    void writeAtlas(int height = 298) { writeSheet("quiltexture.png", 256, height); }
    void writeFontSheet() { writeSheet("quilfonts.png", 128, 256); }
};

TEST_F(PanelTextures, LoadWithAtlasAndFontSheetPresent) {
    writeAtlas();
    writeFontSheet();
    useAircraft();
    quil::LoadPanelTextures();
    EXPECT_TRUE(quil::PanelTexturesLoaded());
    EXPECT_NE(quil::AtlasTexture(), 0);
    EXPECT_NE(quil::FontSheetTexture(), 0);
    EXPECT_NE(quil::AtlasTexture(), quil::FontSheetTexture());
}

TEST_F(PanelTextures, MissingAtlasSkipsTheFontSheet) {
    writeFontSheet();
    useAircraft();
    quil::LoadPanelTextures();
    EXPECT_FALSE(quil::PanelTexturesLoaded());
    EXPECT_EQ(quil::AtlasTexture(), 0) << "the failed texture number is given back";
    EXPECT_EQ(quil::FontSheetTexture(), 0);
}

TEST_F(PanelTextures, MissingFontSheetLeavesTheTexturesUnloaded) {
    writeAtlas();
    useAircraft();
    quil::LoadPanelTextures();
    EXPECT_FALSE(quil::PanelTexturesLoaded());
    EXPECT_NE(quil::AtlasTexture(), 0);
    EXPECT_EQ(quil::FontSheetTexture(), 0);
}

TEST_F(PanelTextures, UnloadDeletesBothAndClearsTheLoadedFlag) {
    writeAtlas();
    writeFontSheet();
    useAircraft();
    quil::LoadPanelTextures();
    const GLuint atlas = static_cast<GLuint>(quil::AtlasTexture());
    quil::UnloadPanelTextures();
    EXPECT_FALSE(quil::PanelTexturesLoaded());
    EXPECT_EQ(quil::AtlasTexture(), 0);
    EXPECT_EQ(quil::FontSheetTexture(), 0);
    EXPECT_EQ(glIsTexture(atlas), GL_FALSE);
}

struct AtlasCase {
    int sprite;
    float texLeft, texBottom, texRight, texTop, width, height;
};

// The horizontal coordinates are one texel right of the rectangle, the
// vertical ones are not.
TEST_F(PanelTextures, AtlasSpritesGetTheirTextureCoordinates) {
    writeAtlas();
    writeFontSheet();
    useAircraft();
    quil::LoadPanelTextures();
    const AtlasCase cases[] = {
        {0, 123 / 256.0f, 195 / 298.0f, 132 / 256.0f, 206 / 298.0f, 9, 11},
        {21, 28 / 256.0f, 0 / 298.0f, 34 / 256.0f, 6 / 298.0f, 6, 6},
        {49, 235 / 256.0f, 103 / 298.0f, 256 / 256.0f, 129 / 298.0f, 21, 26},
        {112, 1 / 256.0f, 259 / 298.0f, 41 / 256.0f, 297 / 298.0f, 40, 38},
        {117, 104 / 256.0f, 229 / 298.0f, 138 / 256.0f, 239 / 298.0f, 34, 10},
    };
    for (const AtlasCase& c : cases) {
        const quil::SpriteRecord& s = quil::AtlasSprite(c.sprite);
        EXPECT_FLOAT_EQ(s.texLeft, c.texLeft) << "sprite " << c.sprite;
        EXPECT_FLOAT_EQ(s.texBottom, c.texBottom) << "sprite " << c.sprite;
        EXPECT_FLOAT_EQ(s.texRight, c.texRight) << "sprite " << c.sprite;
        EXPECT_FLOAT_EQ(s.texTop, c.texTop) << "sprite " << c.sprite;
        EXPECT_FLOAT_EQ(s.width, c.width) << "sprite " << c.sprite;
        EXPECT_FLOAT_EQ(s.height, c.height) << "sprite " << c.sprite;
    }
    EXPECT_LT(quil::AtlasSprite(quil::kAtlasSpriteCount).x0, 0) << "the table's end";
    for (int outside : {-1, 127, 128, 1000}) {
        EXPECT_EQ(quil::AtlasSprite(outside).width, 0.0f) << "sprite " << outside;
    }
}

TEST_F(PanelTextures, ReloadRegeneratesTheTexturesAndTheCoordinates) {
    writeAtlas();
    writeFontSheet();
    useAircraft();
    quil::LoadPanelTextures();
    EXPECT_FLOAT_EQ(quil::AtlasSprite(0).texTop, 206 / 298.0f);

    writeAtlas(512);
    quil::UnloadPanelTextures();
    quil::LoadPanelTextures();
    EXPECT_TRUE(quil::PanelTexturesLoaded());
    EXPECT_NE(quil::AtlasTexture(), 0);
    EXPECT_FLOAT_EQ(quil::AtlasSprite(0).texTop, 206 / 512.0f);
    EXPECT_FLOAT_EQ(quil::AtlasSprite(0).texLeft, 123 / 256.0f);
}

TEST_F(PanelTextures, LoadingAgainWithoutUnloadKeepsTheTextures) {
    writeAtlas();
    writeFontSheet();
    useAircraft();
    quil::LoadPanelTextures();
    const int atlas = quil::AtlasTexture();
    const int fonts = quil::FontSheetTexture();
    quil::LoadPanelTextures();
    EXPECT_EQ(quil::AtlasTexture(), atlas);
    EXPECT_EQ(quil::FontSheetTexture(), fonts);
    EXPECT_TRUE(quil::PanelTexturesLoaded());
}

// The texture's texels as the GPU holds them, bottom row first.
std::vector<uint8_t> texels(int texture) {
    int width = 0, height = 0;
    return rendertest::boundTexturePixels(texture, width, height);
}

TEST_F(PanelTextures, RgbSheetUploadsAsOpaqueRgba) {
    rendertest::RawPng picture;
    picture.width = 3;
    picture.height = 1;
    picture.colourType = PNG_COLOR_TYPE_RGB;
    picture.rows = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    ASSERT_TRUE(rendertest::writeRawPng(texturePath("sheet.png"), picture));
    useAircraft();
    int texture = 0, width = 0, height = 0;
    ASSERT_EQ(quil::LoadTextureFile("sheet.png", texture, width, height), 1);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(texels(texture),
              (std::vector<uint8_t>{10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255}));
    quil::DeleteTexture(texture);
}

TEST_F(PanelTextures, PaletteSheetUploadsItsColours) {
    rendertest::RawPng picture;
    picture.width = 2;
    picture.height = 1;
    picture.colourType = PNG_COLOR_TYPE_PALETTE;
    picture.rows = {1, 0};
    picture.palette = {{1, 2, 3}, {200, 100, 50}};
    picture.transparency = {0};
    ASSERT_TRUE(rendertest::writeRawPng(texturePath("sheet.png"), picture));
    useAircraft();
    int texture = 0, width = 0, height = 0;
    ASSERT_EQ(quil::LoadTextureFile("sheet.png", texture, width, height), 1);
    EXPECT_EQ(texels(texture), (std::vector<uint8_t>{200, 100, 50, 255, 1, 2, 3, 0}));
    quil::DeleteTexture(texture);
}

TEST_F(PanelTextures, FailedLoadGivesTheTextureNumberBack) {
    useAircraft();
    int texture = 0, width = 7, height = 7;
    EXPECT_EQ(quil::LoadTextureFile("absent.png", texture, width, height), 0);
    EXPECT_EQ(texture, 0);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST_F(PanelTextures, UploadRefusesMissingPixels) {
    EXPECT_EQ(quil::UploadRgbaTexture(nullptr, 4, 4), 0);
}

}  // namespace
