// The digit fonts: white glyphs on a clear sheet, each font in its own
// style: plain, small, tiny, seven-segment and bold.
#include <algorithm>
#include <string>

#include "artwork/pixel_fonts.h"
#include "artwork/sheets.h"
#include "render/digit_font_table.h"

namespace artwork {
namespace {

using quil::DigitFontCells;
using quil::GlyphBottomRow;
using quil::kDecimalPointGlyph;
using quil::kDigitFontCells;
using quil::kDigitFontCount;
using quil::kDigitGlyphCount;
using quil::kMinusGlyph;

constexpr int kSheetWidthPx = 128;
constexpr int kSheetHeightPx = 256;

// Digits 5 texels wide and 9 high, top row first.
constexpr const char* kTallDigits[10][9] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"},
    {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"},
    {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####", "...#.", "...#.", "...#."},
    {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."},
    {".###.", "#...#", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."},
    {"#####", "....#", "....#", "...#.", "...#.", "..#..", "..#..", "..#..", "..#.."},
    {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "#...#", ".###."},
};
constexpr int kTallWidth = 5;
constexpr int kTallHeight = 9;

// Seven-segment digits: segments a to g as bits 0 to 6.
constexpr int kSegments[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};

enum class Style { Tall, Small, Tiny, Segments, Bold };

// In font order: the general readouts, two smaller sizes, the dial scale
// numbers, the mode control panel's and the overhead's segment displays,
// and a bold face.
constexpr Style kStyles[kDigitFontCount] = {Style::Tall, Style::Small,    Style::Small,
                                            Style::Tiny, Style::Segments, Style::Segments,
                                            Style::Bold};

void plot(Canvas& canvas, int x, int y) { Blend(canvas, x, y, kWhite); }

void drawTallDigit(Canvas& canvas, int digit, int x, int y) {
    for (int row = 0; row < kTallHeight; ++row) {
        for (int column = 0; column < kTallWidth; ++column) {
            if (kTallDigits[digit][row][column] == '#')
                plot(canvas, x + column, y + kTallHeight - 1 - row);
        }
    }
}

// Segments a (top), b, c (right, top to bottom), d (bottom), e, f (left,
// bottom to top) and g (middle), in a 5 x 9 cell.
void drawSegmentDigit(Canvas& canvas, int digit, int x, int y) {
    const int on = kSegments[digit];
    auto horizontal = [&](int row) {
        for (int column = 1; column <= 3; ++column) plot(canvas, x + column, y + row);
    };
    auto vertical = [&](int column, int from) {
        for (int row = from; row < from + 3; ++row) plot(canvas, x + column, y + row);
    };
    if (on & 0x01) horizontal(8);
    if (on & 0x02) vertical(4, 5);
    if (on & 0x04) vertical(4, 1);
    if (on & 0x08) horizontal(0);
    if (on & 0x10) vertical(0, 1);
    if (on & 0x20) vertical(0, 5);
    if (on & 0x40) horizontal(4);
}

// A pixel-font digit centred in the first `span` columns of the cell.
void drawPixelFontDigit(Canvas& canvas, int digit, int x, int y, int span, PixelFont font) {
    const std::string text(1, static_cast<char>('0' + digit));
    DrawText(canvas, x + (span - TextWidth(text, font)) / 2, y, text, font, kWhite);
}

void drawDigit(Canvas& canvas, Style style, int digit, int x, int y) {
    switch (style) {
        case Style::Tall:
            drawTallDigit(canvas, digit, x, y);
            break;
        case Style::Small:
            drawPixelFontDigit(canvas, digit, x, y, 5, PixelFont::Large);
            break;
        case Style::Tiny:
            drawPixelFontDigit(canvas, digit, x, y, 4, PixelFont::Small);
            break;
        case Style::Segments:
            drawSegmentDigit(canvas, digit, x, y);
            break;
        case Style::Bold:
            drawTallDigit(canvas, digit, x + 1, y);
            drawTallDigit(canvas, digit, x + 2, y);
            break;
    }
}

int glyphHeight(Style style) {
    switch (style) {
        case Style::Small:
            return FontHeight(PixelFont::Large);
        case Style::Tiny:
            return FontHeight(PixelFont::Small);
        default:
            return kTallHeight;
    }
}

// A dot on the bottom row, in the middle of the point's own columns.
void drawPoint(Canvas& canvas, Style style, const Box& cell) {
    const int x = cell.left + (cell.width() - 1) / 2;
    const int thickness = style == Style::Bold ? 2 : 1;
    for (int dx = 0; dx < thickness; ++dx) {
        for (int dy = 0; dy < 2; ++dy) plot(canvas, x + dx, cell.bottom + dy);
    }
}

void drawMinus(Canvas& canvas, Style style, const Box& cell) {
    const int middle = cell.bottom + glyphHeight(style) / 2;
    const int from = style == Style::Bold ? cell.left + 1 : cell.left;
    const int width = style == Style::Tiny ? 3 : (style == Style::Bold ? 6 : 5);
    for (int column = 0; column < width; ++column) {
        plot(canvas, from + column, middle);
        if (style == Style::Bold) plot(canvas, from + column, middle + 1);
    }
}

}  // namespace

Canvas DrawFontSheet() {
    Canvas canvas = MakeCanvas(kSheetWidthPx, kSheetHeightPx);
    for (int font = 0; font < kDigitFontCount; ++font) {
        const DigitFontCells& cells = kDigitFontCells[font];
        const Style style = kStyles[font];
        for (int glyph = 0; glyph < kDigitGlyphCount; ++glyph) {
            const bool point = glyph == kDecimalPointGlyph;
            const int left = point ? cells.pointLeft : cells.left;
            const int right = point ? cells.pointRight : cells.right;
            const Box cell = {left, GlyphBottomRow(glyph), right,
                              GlyphBottomRow(glyph) + cells.height};
            ClipTo(canvas, cell);
            if (point) {
                drawPoint(canvas, style, cell);
            } else if (glyph == kMinusGlyph) {
                drawMinus(canvas, style, cell);
            } else {
                drawDigit(canvas, style, glyph, cell.left, cell.bottom);
            }
        }
    }
    ClipToCanvas(canvas);
    return canvas;
}

}  // namespace artwork
