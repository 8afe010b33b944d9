// The window sheets as the artwork generator writes them and the windows
// read them: each file at its size, every sprite and glyph cell inside it,
// none overlapping another.
#include "windows/sheet_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/png.h"

namespace {

using quil::GlyphGrid;
using quil::SpriteRect;
using quil::WindowSheet;

// The glyph cells, as rectangles with both edges counted.
std::vector<SpriteRect> cellsOf(const GlyphGrid& grid) {
    std::vector<SpriteRect> cells;
    const int height = grid.charHeight < 0 ? -grid.charHeight : grid.charHeight;
    for (int ch = grid.baseChar; ch <= grid.topChar; ++ch) {
        const int index = ch - grid.baseChar;
        const int x = (index % grid.glyphsPerRow) * grid.charWidth;
        const int y = grid.originRow + (index / grid.glyphsPerRow) * grid.rowStep;
        cells.push_back({x, y, x + grid.charWidth - 1, y + height - 1});
    }
    return cells;
}

bool overlap(const SpriteRect& a, const SpriteRect& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

struct SheetCase {
    const WindowSheet* sheet;
    std::vector<GlyphGrid> grids;
};

const SheetCase kCases[] = {
    {&quil::kMeterSheet, {}},
    {&quil::kApuSheet, {}},
    {&quil::kCabinUtilitiesSheet, {}},
    {&quil::kAntiIceSheet, {}},
    {&quil::kFuelSheet, {}},
    {&quil::kAuxFuelSheet, {quil::kAfcpLargeGlyphs, quil::kAfcpSmallGlyphs}},
    {&quil::kClockSheet, {quil::kClockLargeGlyphs, quil::kClockSmallGlyphs}},
    {&quil::kFuelStationSheet, {quil::kStationDigitGlyphs}},
    {&quil::kFuelRequestSheet, {}},
};

TEST(WindowSheets, EverySpriteAndGlyphLiesInsideItsSheetAndApartFromTheOthers) {
    ASSERT_EQ(std::size(kCases), std::size(quil::kWindowSheets));
    for (const SheetCase& c : kCases) {
        const WindowSheet& sheet = *c.sheet;
        std::vector<SpriteRect> parts(sheet.sprites, sheet.sprites + sheet.spriteCount);
        for (const GlyphGrid& grid : c.grids) {
            const std::vector<SpriteRect> cells = cellsOf(grid);
            parts.insert(parts.end(), cells.begin(), cells.end());
        }
        for (size_t i = 0; i < parts.size(); ++i) {
            const SpriteRect& r = parts[i];
            const std::string which = std::string(sheet.file) + " part " + std::to_string(i);
            EXPECT_TRUE(0 <= r.x0 && r.x0 <= r.x1 && r.x1 < sheet.width) << which;
            EXPECT_TRUE(0 <= r.y0 && r.y0 <= r.y1 && r.y1 < sheet.height) << which;
            for (size_t j = i + 1; j < parts.size(); ++j) {
                EXPECT_FALSE(overlap(r, parts[j])) << which << " and part " << j;
            }
        }
    }
}

// Both folders the windows look in hold every sheet at its size.
TEST(WindowSheets, TheGeneratorWritesEverySheetAtItsSize) {
    for (const char* folder : {"/aircraft/Quil737/quiltextures/", "/quil/64/quiltextures/"}) {
        for (const WindowSheet* sheet : quil::kWindowSheets) {
            const std::string path = std::string(QUIL_BUILD_DIR) + folder + sheet->file;
            quil::PngImage image;
            ASSERT_EQ(quil::LoadPngRgba(path.c_str(), image), quil::kPngLoaded) << path;
            EXPECT_EQ(image.width, static_cast<uint32_t>(sheet->width)) << path;
            EXPECT_EQ(image.height, static_cast<uint32_t>(sheet->height)) << path;
        }
    }
}

}  // namespace
