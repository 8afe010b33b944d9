#include "artwork/pixel_fonts.h"

#include <iterator>
#include <sstream>
#include <vector>

namespace artwork {
namespace {

struct GlyphRows {
    char ch;
    const char* rows;  // top row first, rows of equal length separated by '|'
};

constexpr GlyphRows kSmall[] = {
    {'A', ".#.|#.#|###|#.#|#.#"},
    {'B', "##.|#.#|##.|#.#|##."},
    {'C', ".##|#..|#..|#..|.##"},
    {'D', "##.|#.#|#.#|#.#|##."},
    {'E', "###|#..|##.|#..|###"},
    {'F', "###|#..|##.|#..|#.."},
    {'G', ".##|#..|#.#|#.#|.##"},
    {'H', "#.#|#.#|###|#.#|#.#"},
    {'I', "#|#|#|#|#"},
    {'J', "..#|..#|..#|#.#|.#."},
    {'K', "#.#|#.#|##.|#.#|#.#"},
    {'L', "#..|#..|#..|#..|###"},
    {'M', "#...#|##.##|#.#.#|#...#|#...#"},
    {'N', "#..#|##.#|#.##|#..#|#..#"},
    {'O', ".#.|#.#|#.#|#.#|.#."},
    {'P', "##.|#.#|##.|#..|#.."},
    {'Q', ".#.|#.#|#.#|##.|.##"},
    {'R', "##.|#.#|##.|#.#|#.#"},
    {'S', ".##|#..|.#.|..#|##."},
    {'T', "###|.#.|.#.|.#.|.#."},
    {'U', "#.#|#.#|#.#|#.#|###"},
    {'V', "#.#|#.#|#.#|#.#|.#."},
    {'W', "#...#|#...#|#.#.#|##.##|#...#"},
    {'X', "#.#|#.#|.#.|#.#|#.#"},
    {'Y', "#.#|#.#|.#.|.#.|.#."},
    {'Z', "###|..#|.#.|#..|###"},
    {'0', "###|#.#|#.#|#.#|###"},
    {'1', ".#|##|.#|.#|.#"},
    {'2', "##.|..#|.#.|#..|###"},
    {'3', "##.|..#|.#.|..#|##."},
    {'4', "#.#|#.#|###|..#|..#"},
    {'5', "###|#..|##.|..#|##."},
    {'6', ".##|#..|###|#.#|###"},
    {'7', "###|..#|.#.|.#.|.#."},
    {'8', "###|#.#|###|#.#|###"},
    {'9', "###|#.#|###|..#|##."},
    {'/', "..#|..#|.#.|#..|#.."},
    {'-', "..|..|##|..|.."},
    {'.', ".|.|.|.|#"},
    {'%', "#.#|..#|.#.|#..|#.#"},
    {'+', "...|.#.|###|.#.|..."},
};

constexpr GlyphRows kLarge[] = {
    {'A', ".###.|#...#|#...#|#####|#...#|#...#|#...#"},
    {'B', "####.|#...#|#...#|####.|#...#|#...#|####."},
    {'C', ".###.|#...#|#....|#....|#....|#...#|.###."},
    {'D', "####.|#...#|#...#|#...#|#...#|#...#|####."},
    {'E', "#####|#....|#....|####.|#....|#....|#####"},
    {'F', "#####|#....|#....|####.|#....|#....|#...."},
    {'G', ".###.|#...#|#....|#.###|#...#|#...#|.####"},
    {'H', "#...#|#...#|#...#|#####|#...#|#...#|#...#"},
    {'I', "###|.#.|.#.|.#.|.#.|.#.|###"},
    {'J', "..###|...#.|...#.|...#.|...#.|#..#.|.##.."},
    {'K', "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#"},
    {'L', "#....|#....|#....|#....|#....|#....|#####"},
    {'M', "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#"},
    {'N', "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#"},
    {'O', ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {'P', "####.|#...#|#...#|####.|#....|#....|#...."},
    {'Q', ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#"},
    {'R', "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {'S', ".####|#....|#....|.###.|....#|....#|####."},
    {'T', "#####|..#..|..#..|..#..|..#..|..#..|..#.."},
    {'U', "#...#|#...#|#...#|#...#|#...#|#...#|.###."},
    {'V', "#...#|#...#|#...#|#...#|#...#|.#.#.|..#.."},
    {'W', "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#."},
    {'X', "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#"},
    {'Y', "#...#|#...#|.#.#.|..#..|..#..|..#..|..#.."},
    {'Z', "#####|....#|...#.|..#..|.#...|#....|#####"},
    {'0', ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {'1', ".#.|##.|.#.|.#.|.#.|.#.|###"},
    {'2', ".###.|#...#|....#|...#.|..#..|.#...|#####"},
    {'3', "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {'4', "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."},
    {'5', "#####|#....|####.|....#|....#|#...#|.###."},
    {'6', "..##.|.#...|#....|####.|#...#|#...#|.###."},
    {'7', "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {'8', ".###.|#...#|#...#|.###.|#...#|#...#|.###."},
    {'9', ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {'/', "....#|....#|...#.|..#..|.#...|#....|#...."},
    {'-', "...|...|...|###|...|...|..."},
    {'.', ".|.|.|.|.|.|#"},
    {'%', "##..#|##..#|...#.|..#..|.#...|#..##|#..##"},
    {'+', ".....|..#..|..#..|#####|..#..|..#..|....."},
};

constexpr int kSmallSpacePx = 2;
constexpr int kLargeSpacePx = 3;
constexpr int kLineGapPx = 1;

struct Glyph {
    int width = 0;
    std::vector<std::string> rows;  // top row first
};

Glyph glyphOf(char ch, PixelFont font) {
    Glyph glyph;
    const bool small = font == PixelFont::Small;
    const GlyphRows* table = small ? kSmall : kLarge;
    const size_t count = small ? std::size(kSmall) : std::size(kLarge);
    for (size_t i = 0; i < count; ++i) {
        if (table[i].ch != ch) continue;
        std::stringstream rows(table[i].rows);
        std::string row;
        while (std::getline(rows, row, '|')) glyph.rows.push_back(row);
        glyph.width = static_cast<int>(glyph.rows.front().size());
        return glyph;
    }
    glyph.width = small ? kSmallSpacePx : kLargeSpacePx;  // space and anything unknown
    return glyph;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    std::string line;
    while (std::getline(in, line, '\n')) lines.push_back(line);
    return lines;
}

bool fits(const std::vector<std::string>& lines, PixelFont font, const Box& box) {
    const int height =
        static_cast<int>(lines.size()) * (FontHeight(font) + kLineGapPx) - kLineGapPx;
    if (height > box.height()) return false;
    for (const std::string& line : lines) {
        if (TextWidth(line, font) > box.width()) return false;
    }
    return true;
}

void drawCentred(Canvas& canvas, const Box& box, const std::vector<std::string>& lines,
                 PixelFont font, const Colour& colour) {
    const int lineHeight = FontHeight(font) + kLineGapPx;
    const int height = static_cast<int>(lines.size()) * lineHeight - kLineGapPx;
    int y = box.bottom + (box.height() - height + 1) / 2 + height - FontHeight(font);
    for (const std::string& line : lines) {
        DrawText(canvas, box.left + (box.width() - TextWidth(line, font) + 1) / 2, y, line, font,
                 colour);
        y -= lineHeight;
    }
}

}  // namespace

int FontHeight(PixelFont font) { return font == PixelFont::Small ? 5 : 7; }

int TextWidth(const std::string& line, PixelFont font) {
    int width = 0;
    for (char ch : line) width += glyphOf(ch, font).width + 1;
    return width > 0 ? width - 1 : 0;
}

void DrawText(Canvas& canvas, int x, int y, const std::string& line, PixelFont font,
              const Colour& colour) {
    const int top = y + FontHeight(font) - 1;
    for (char ch : line) {
        const Glyph glyph = glyphOf(ch, font);
        for (size_t row = 0; row < glyph.rows.size(); ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                if (glyph.rows[row][column] == '#') {
                    Blend(canvas, x + column, top - static_cast<int>(row), colour);
                }
            }
        }
        x += glyph.width + 1;
    }
}

bool DrawLabel(Canvas& canvas, const Box& box, std::initializer_list<const char*> candidates,
               const Colour& colour, FontChoice choice) {
    for (const char* candidate : candidates) {
        const std::vector<std::string> lines = linesOf(candidate);
        for (PixelFont font : {PixelFont::Large, PixelFont::Small}) {
            if (font == PixelFont::Large && choice == FontChoice::SmallOnly) continue;
            if (fits(lines, font, box)) {
                drawCentred(canvas, box, lines, font, colour);
                return true;
            }
        }
    }
    drawCentred(canvas, box, linesOf(*(candidates.end() - 1)), PixelFont::Small, colour);
    return false;
}

}  // namespace artwork
