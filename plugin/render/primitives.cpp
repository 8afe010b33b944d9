#include "render/primitives.h"

#include "render/atlas.h"
#include "render/colours.h"
#include "render/draw_state.h"
#include "render/textures.h"

namespace quil {
namespace {

void drawTextureSprite(int texture, const SpriteRecord& record, const float* colour, float x,
                       float y, float scale, int alphaTesting) {
    DrawRunQuad(texture, alphaTesting, colour, QuadColour::Panel,
                {x, y, record.width * scale, record.height * scale, record.texLeft,
                 record.texBottom, record.texRight, record.texTop});
}

void drawAtlasSprite(int sprite, const float* colour, float x, float y, float scale,
                     int alphaTesting) {
    if (sprite < 0 || sprite >= kAtlasSpriteLimit) return;
    drawTextureSprite(AtlasTexture(), AtlasSprite(sprite), colour, x, y, scale, alphaTesting);
}

}  // namespace

void DrawSprite(int sprite, const float* colour, float x, float y) {
    drawAtlasSprite(sprite, colour, x, y, 1.0f, 1);
}

void DrawSpriteScaled(int sprite, const float* colour, float x, float y, float scale) {
    drawAtlasSprite(sprite, colour, x, y, scale, 1);
}

void DrawSpriteCentred(int sprite, const float* colour, float centreX, float y) {
    if (sprite < 0 || sprite >= kAtlasSpriteLimit) return;
    const float left = centreX - (AtlasSprite(sprite).width + 1.0f) / 2.0f - 1.0f;
    drawAtlasSprite(sprite, colour, left, y, 1.0f, 0);
}

void DrawSheetSprite(int texture, const SpriteRecord& sprite, const float* colour, float x,
                     float y) {
    drawTextureSprite(texture, sprite, colour, x, y, 1.0f, 1);
}

void DrawSheetSpriteTurned(int texture, const SpriteRecord& sprite, const float* colour,
                           float centreX, float centreY, float degrees) {
    BeginTurn(centreX, centreY, degrees);
    DrawSheetSprite(texture, sprite, colour, -0.5f * sprite.width, -0.5f * sprite.height);
    EndTurn();
}

void FillRect(const float* colour, int dx, int dy, const PixelRect& rect) {
    FillRectLit(colour, dx, dy, rect, false);
}

void FillRectLit(const float* colour, int dx, int dy, const PixelRect& rect, bool lit) {
    SetGraphicsState(0, 0, lit ? 1 : 0, 1, 1, 0, 0);
    SetColour(colour);
    // In floats: a rectangle placed far off by a nonsense panel mapping must
    // not overflow on its way there.
    const float left = static_cast<float>(rect.x) + static_cast<float>(dx);
    const float bottom = static_cast<float>(rect.y) + static_cast<float>(dy);
    const float right = left + static_cast<float>(rect.width);
    const float top = bottom + static_cast<float>(rect.height);
    BeginShape(Shape::Fan);
    ShapeVertex(left, bottom);
    ShapeVertex(left, top);
    ShapeVertex(right, top);
    ShapeVertex(right, bottom);
    EndShape();
}

}  // namespace quil
