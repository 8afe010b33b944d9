#include "render/atlas.h"

#include <array>

#include "render/atlas_table.h"

namespace quil {
namespace {

static_assert(sizeof kAtlasRects / sizeof kAtlasRects[0] == kAtlasSpriteCount,
              "the atlas table holds every sprite");

// Room for every number the drawing accepts; the record after the last
// sprite ends the table and the rest stay empty.
constexpr std::array<SpriteRecord, kAtlasSpriteLimit> atlasTable() {
    std::array<SpriteRecord, kAtlasSpriteLimit> table{};
    for (int n = 0; n < kAtlasSpriteCount; ++n) {
        const SpriteRect& rect = kAtlasRects[n];
        table[n].x0 = rect.x0;
        table[n].y0 = rect.y0;
        table[n].x1 = rect.x1;
        table[n].y1 = rect.y1;
    }
    table[kAtlasSpriteCount].x0 = -1;
    return table;
}

std::array<SpriteRecord, kAtlasSpriteLimit> atlasSprites = atlasTable();

}  // namespace

void ComputeAtlasCoordinates(float atlasWidth, float atlasHeight) {
    for (SpriteRecord* sprite = atlasSprites.data(); sprite->x0 >= 0; ++sprite) {
        sprite->texLeft = static_cast<float>(sprite->x0 + 1) / atlasWidth;
        sprite->texRight = static_cast<float>(sprite->x1 + 1) / atlasWidth;
        sprite->texBottom = static_cast<float>(sprite->y0) / atlasHeight;
        sprite->texTop = static_cast<float>(sprite->y1) / atlasHeight;
        sprite->width = static_cast<float>(sprite->x1 - sprite->x0);
        sprite->height = static_cast<float>(sprite->y1 - sprite->y0);
    }
}

const SpriteRecord& AtlasSprite(int n) {
    static const SpriteRecord kNone{};
    return n >= 0 && n < kAtlasSpriteLimit ? atlasSprites[n] : kNone;
}

}  // namespace quil
