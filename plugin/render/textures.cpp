#include "render/textures.h"

#include <GL/gl.h>

#include <string>

#include "XPLMGraphics.h"
#include "render/atlas.h"
#include "render/digit_fonts.h"
#include "render/draw_state.h"
#include "render/lit_map.h"
#include "render/png.h"
#include "sim/paths.h"

namespace quil {
namespace {

constexpr char kAtlasFile[] = "quiltexture.png";
constexpr char kFontSheetFile[] = "quilfonts.png";

struct PanelTextureSet {
    int atlas = 0;
    int atlasWidth = 0, atlasHeight = 0;
    int fontSheet = 0;
    int fontSheetWidth = 0, fontSheetHeight = 0;
    bool loaded = false;
};

PanelTextureSet panel;

}  // namespace

int UploadRgbaTexture(const uint8_t* pixels, int width, int height) {
    if (pixels == nullptr) return 0;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return 1;
}

// The simulator's binding cache would still hold a deleted number, and
// skip binding a new texture that reuses it, so the unit is cleared first.
void DeleteTexture(int& textureNumber) {
    if (textureNumber == 0) return;
    BindTexture(0);
    const GLuint name = static_cast<GLuint>(textureNumber);
    glDeleteTextures(1, &name);
    textureNumber = 0;
}

int LoadTextureFile(const char* fileName, int& textureNumber, int& width, int& height) {
    SetGraphicsState(0, 1, 0, 0, 0, 0, 0);
    if (textureNumber == 0) XPLMGenerateTextureNumbers(&textureNumber, 1);
    BindTexture(textureNumber);
    std::string path;
    ResolveTexturePath(fileName, path);
    PngImage image;
    const bool uploaded = LoadPngRgba(path.c_str(), image) == kPngLoaded &&
                          UploadRgbaTexture(image.pixels.get(), static_cast<int>(image.width),
                                            static_cast<int>(image.height)) == 1;
    if (!uploaded) {
        DeleteTexture(textureNumber);
        width = height = 0;
        return 0;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return 1;
}

void LoadPanelTextures() {
    ForgetLitMap();
    ApplyLitMapMask(kAllGlows);

    if (panel.atlas == 0) {
        panel.loaded =
            LoadTextureFile(kAtlasFile, panel.atlas, panel.atlasWidth, panel.atlasHeight) == 1;
        if (panel.loaded) {
            ComputeAtlasCoordinates(static_cast<float>(panel.atlasWidth),
                                    static_cast<float>(panel.atlasHeight));
        }
    }
    if (panel.fontSheet == 0 && panel.loaded) {
        panel.loaded = LoadTextureFile(kFontSheetFile, panel.fontSheet, panel.fontSheetWidth,
                                       panel.fontSheetHeight) == 1;
        if (panel.loaded && panel.fontSheetWidth > 0 && panel.fontSheetHeight > 0) {
            ComputeDigitFontCoordinates(static_cast<float>(panel.fontSheetWidth),
                                        static_cast<float>(panel.fontSheetHeight));
        }
    }
}

// Unloaded means not loaded: the drawing must not use deleted textures.
void UnloadPanelTextures() {
    DeleteTexture(panel.atlas);
    DeleteTexture(panel.fontSheet);
    panel.loaded = false;
    RestoreAndReleaseLitMap();
}

bool PanelTexturesLoaded() { return panel.loaded; }
int AtlasTexture() { return panel.atlas; }
int FontSheetTexture() { return panel.fontSheet; }

}  // namespace quil
