#include "render/digit_fonts.h"

#include "render/digit_font_table.h"
#include "render/draw_state.h"
#include "render/sprites.h"
#include "render/textures.h"

namespace quil {
namespace {

SpriteRecord glyphs[kDigitFontCount][kDigitGlyphCount] = {};

int fontIndex(int font) { return font >= 1 && font < kDigitFontCount ? font : 0; }

}  // namespace

void ComputeDigitFontCoordinates(float sheetWidth, float sheetHeight) {
    for (int font = 0; font < kDigitFontCount; ++font) {
        const DigitFontCells& cells = kDigitFontCells[font];
        for (int g = 0; g < kDigitGlyphCount; ++g) {
            const bool point = g == kDecimalPointGlyph;
            SpriteRecord& glyph = glyphs[font][g];
            glyph.x0 = point ? cells.pointLeft : cells.left;
            glyph.x1 = point ? cells.pointRight : cells.right;
            glyph.y0 = GlyphBottomRow(g);
            glyph.y1 = GlyphBottomRow(g) + cells.height;
            glyph.texLeft = static_cast<float>(glyph.x0) / sheetWidth;
            glyph.texRight = static_cast<float>(glyph.x1) / sheetWidth;
            glyph.texBottom = static_cast<float>(glyph.y0) / sheetHeight;
            glyph.texTop = static_cast<float>(glyph.y1) / sheetHeight;
            glyph.width = static_cast<float>(point ? cells.pointWidth : cells.width);
            glyph.height = static_cast<float>(cells.height);
        }
    }
}

void DrawDigitGlyph(int glyph, const float* colour, float& x, float& y, int font) {
    if (glyph < 0 || glyph >= kDigitGlyphCount) return;
    const SpriteRecord& record = glyphs[fontIndex(font)][glyph];
    DrawRunQuad(FontSheetTexture(), 1, colour, QuadColour::Panel,
                {x, y, record.width, record.height, record.texLeft, record.texBottom,
                 record.texRight, record.texTop});
    x += record.width;
    y += record.height;
}

void DrawMinusGlyph(const float* colour, float& x, float& y, int font) {
    DrawDigitGlyph(kMinusGlyph, colour, x, y, font);
}

}  // namespace quil
