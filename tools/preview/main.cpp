// quil-artwork-preview: the panel artwork as the plug-in draws it, in the
// stand-in host, saved as one screenshot: every atlas sprite with its
// number, the seven digit fonts, and the colour table.
//
//   quil-artwork-preview --aircraft <file.acf> --out <file.png>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "render/atlas.h"
#include "render/colours.h"
#include "render/digit_font_table.h"
#include "render/digit_fonts.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "standin/standin.h"

namespace {

using quil::ColourVariant;
using quil::FixedColour;
using quil::PanelColour;

constexpr int kScreenPx = 1024;
constexpr float kBrightness = 0.8f;
constexpr float kBackground[3] = {0.12f, 0.13f, 0.15f};
constexpr float kCell[3] = {0.3f, 0.31f, 0.34f};
constexpr float kCaption[3] = {0.85f, 0.85f, 0.85f};
constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

constexpr int kColumns = 12;
constexpr int kCellWidthPx = 84;
constexpr int kCellHeightPx = 66;
constexpr int kGridTopPx = 990;

void caption(int x, int y, const std::string& text, const float* colour = kCaption) {
    XPLMDrawString(const_cast<float*>(colour), x, y, const_cast<char*>(text.c_str()), nullptr,
                   xplmFont_Basic);
}

// The colour each sprite is drawn in on the panel, roughly.
const float* spriteTint(int n) {
    const auto in = [n](std::initializer_list<int> list) {
        return std::find(list.begin(), list.end(), n) != list.end();
    };
    if ((n >= 29 && n <= 37) || (n >= 60 && n <= 68) || (n >= 74 && n <= 82) || n == 92 || n == 96)
        return quil::ColourOf(PanelColour::GreenB, ColourVariant::Unlit);
    if (in({11, 86, 87, 88, 101})) return quil::ColourOf(PanelColour::AmberB, ColourVariant::Unlit);
    if (n == 4) return quil::ColourOf(PanelColour::Yellow, ColourVariant::Unlit);
    if (in({89, 90, 91})) return quil::ColourOf(PanelColour::Magenta, ColourVariant::Unlit);
    if (n <= 28 || (n >= 107 && n <= 110))
        return quil::ColourOf(PanelColour::Cyan, ColourVariant::Unlit);
    return kWhite;
}

void drawSpriteGrid() {
    for (int n = 0; n < quil::kAtlasSpriteCount; ++n) {
        const int left = 8 + (n % kColumns) * kCellWidthPx;
        const int bottom = kGridTopPx - (n / kColumns + 1) * kCellHeightPx;
        quil::FillRect(kCell, 0, 0, {left, bottom, kCellWidthPx - 3, kCellHeightPx - 3});
        caption(left + 3, bottom + kCellHeightPx - 13, std::to_string(n));
        const quil::SpriteRecord& sprite = quil::AtlasSprite(n);
        const float scale = std::min({2.0f, 76.0f / sprite.width, 46.0f / sprite.height});
        quil::DrawSpriteScaled(n, spriteTint(n),
                               left + 0.5f * (kCellWidthPx - 3 - sprite.width * scale),
                               bottom + 4.0f, scale);
    }
}

// Each font's twelve glyphs, twice their size.
void drawDigitFonts(int top) {
    caption(8, top, "digit fonts (quilfonts.png), glyphs 0-9, point, minus; shown at 2x");
    for (int font = 0; font < quil::kDigitFontCount; ++font) {
        const int y = top - 26 - font * 24;
        caption(8, y + 4, "font " + std::to_string(font));
        glPushMatrix();
        glTranslatef(70.0f, static_cast<float>(y), 0.0f);
        glScalef(2.0f, 2.0f, 1.0f);
        float x = 0.0f;
        for (int glyph = 0; glyph < quil::kDigitGlyphCount; ++glyph) {
            float penY = 0.0f;
            quil::DrawDigitGlyph(glyph, kWhite, x, penY, font);
            x += 2.0f;
        }
        glPopMatrix();
    }
}

void swatch(int x, int y, const float* rgb) { quil::FillRect(rgb, 0, 0, {x, y, 40, 12}); }

void drawColourTable(int top) {
    struct Named {
        PanelColour entry;
        const char* name;
    };
    const Named dimmed[] = {
        {PanelColour::LightGreyA, "grey A"},   {PanelColour::Grey25, "grey25"},
        {PanelColour::Grey28, "grey28"},       {PanelColour::Yellow, "yellow"},
        {PanelColour::GreenA, "green A"},      {PanelColour::DarkRed, "dk red"},
        {PanelColour::LightGreyB, "grey B"},   {PanelColour::RedA, "red A"},
        {PanelColour::AmberA, "amber A"},      {PanelColour::GreenB, "green B"},
        {PanelColour::Magenta, "magenta"},     {PanelColour::White, "white"},
        {PanelColour::RedB, "red B"},          {PanelColour::AmberB, "amber B"},
        {PanelColour::Cyan, "cyan"},           {PanelColour::GreenC, "green C"},
        {PanelColour::LightYellow, "lt yel"},  {PanelColour::Grey33, "grey33"},
        {PanelColour::DisplayDark, "disp dk"},
    };
    caption(8, top,
            "colour table at brightness 0.8: unlit, lit, half-lit; fixed and display entries");
    for (size_t i = 0; i < std::size(dimmed); ++i) {
        const int x = 8 + static_cast<int>(i) * 53;
        caption(x, top - 14, dimmed[i].name);
        swatch(x, top - 30, quil::ColourOf(dimmed[i].entry, ColourVariant::Unlit));
        swatch(x, top - 44, quil::ColourOf(dimmed[i].entry, ColourVariant::Lit));
        swatch(x, top - 58, quil::ColourOf(dimmed[i].entry, ColourVariant::HalfLit));
    }
    struct Fixed {
        const float* rgb;
        const char* name;
    };
    quil::SetDisplayScheme(quil::DisplayScheme::White);
    const float* whiteDigits = quil::DisplayDigitColour();
    const float* whiteBackground = quil::DisplayBackgroundColour();
    quil::SetDisplayScheme(quil::DisplayScheme::Amber);
    const Fixed fixed[] = {
        {quil::ColourOf(FixedColour::Black), "black"},
        {quil::ColourOf(FixedColour::Grey42), "grey42"},
        {quil::ColourOf(FixedColour::WindowAmber), "w amber"},
        {quil::ColourOf(FixedColour::WindowGreen), "w green"},
        {quil::ColourOf(FixedColour::WindowBlue), "w blue"},
        {quil::ColourOf(FixedColour::WindowDarkBlue), "w dk bl"},
        {quil::ColourOf(FixedColour::WindowOlive), "w olive"},
        {whiteDigits, "digits"},
        {whiteBackground, "disp bg"},
        {quil::DisplayBackgroundColour(), "amber bg"},
    };
    for (size_t i = 0; i < std::size(fixed); ++i) {
        const int x = 8 + static_cast<int>(i) * 53;
        caption(x, top - 76, fixed[i].name);
        swatch(x, top - 92, fixed[i].rgb);
    }
    quil::SetDisplayScheme(quil::DisplayScheme::White);
}

int drawPreview(XPLMDrawingPhase, int, void*) {
    quil::FillRect(kBackground, 0, 0, {0, 0, kScreenPx, kScreenPx});
    caption(8, 1008, "quil artwork preview: panel atlas sprites (quiltexture.png) by number");
    drawSpriteGrid();
    drawDigitFonts(kGridTopPx - 10 * kCellHeightPx - 14);
    drawColourTable(112);
    return 1;
}

const char* argument(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const char* aircraft = argument(argc, argv, "--aircraft");
    const char* out = argument(argc, argv, "--out");
    if (aircraft == nullptr || out == nullptr) {
        std::fprintf(stderr,
                     "usage: quil-artwork-preview --aircraft <file.acf> --out <file.png>\n");
        return 2;
    }
    standin::HostConfig config;
    config.windowWidth = kScreenPx;
    config.windowHeight = kScreenPx;
    standin::startHost(config);
    if (!standin::graphicsAvailable()) {
        std::fprintf(stderr, "quil-artwork-preview: no graphics: %s\n",
                     standin::graphicsRenderer().c_str());
        return 1;
    }
    standin::setAircraft(aircraft);
    quil::LoadPanelTextures();
    if (!quil::PanelTexturesLoaded()) {
        std::fprintf(stderr, "quil-artwork-preview: the artwork did not load beside %s\n",
                     aircraft);
        return 1;
    }
    quil::SetPanelBrightness(kBrightness);
    XPLMRegisterDrawCallback(drawPreview, xplm_Phase_Gauges, 0, nullptr);
    standin::runFrame();
    std::string error;
    const bool saved = standin::saveScreenshot(out, &error);
    if (!saved) std::fprintf(stderr, "quil-artwork-preview: %s\n", error.c_str());
    quil::UnloadPanelTextures();
    standin::stopHost();
    return saved ? 0 : 1;
}
