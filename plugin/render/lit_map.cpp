#include "render/lit_map.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "XPLMGraphics.h"
#include "render/draw_state.h"
#include "render/png.h"
#include "render/textures.h"
#include "sim/paths.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"

namespace quil {
namespace {

constexpr int kSmallestCapturedPx = 64;        // smaller light maps are left alone
constexpr float kLayoutWidthTexels = 1024.0f;  // the glow rectangles' own scale
constexpr int kFillWidthTexels = 512;
constexpr int kFillHeightTexels = 262;
constexpr uint8_t kOpaqueBlack[kRgbaBytes] = {0, 0, 0, 255};

struct GlowRect {
    int x, y, width, height;
};

// A light's glows on a 1024-texel light map, blacked out while its bit of
// the mask is clear.
struct Glow {
    int bit;
    int count;
    GlowRect rects[3];
};

// Blacked out in this order, the cabin glow last.
constexpr Glow kGlows[] = {
    {kGalleyGlow, 2, {{19, 0, 512, 262}, {934, 930, 32, 16}}},
    {kLandingGlow, 2, {{132, 809, 256, 100}, {132, 558, 256, 100}}},
    {kTaxiGlow, 3, {{0, 774, 128, 88}, {0, 521, 128, 88}, {0, 398, 128, 128}}},
    {kAcPowerGlow, 2, {{128, 906, 512, 32}, {128, 654, 512, 32}}},
};
// The cabin glow lies elsewhere on the light maps of simulators before 8.00.
constexpr Glow kCabinGlowV8 = {kCabinGlow, 1, {{268, 264, 256, 256}}};
constexpr Glow kCabinGlowBeforeV8 = {kCabinGlow, 1, {{646, 258, 128, 138}}};

using Block = std::unique_ptr<uint8_t, FreeDeleter>;

Block allocateTexels(size_t texels) {
    return Block(static_cast<uint8_t*>(std::malloc(texels * kRgbaBytes)));
}

struct LitMapState {
    int texture = 0;
    int width = 0, height = 0;  // texels
    float scale = 0.0f;         // width / 1024
    Block saved;                // the light map as captured
    Block fill;                 // opaque black, enough for the largest glow
    size_t fillTexels = 0;
    int lastMask = kAllGlows;
    bool captureTried = false;  // once per load: a failed capture is not retried every frame
};

LitMapState litMap;

const Glow& cabinGlow() { return snapshot.hostIsV8 != 0 ? kCabinGlowV8 : kCabinGlowBeforeV8; }

int scaled(int texels) { return TruncToInt(static_cast<float>(texels) * litMap.scale); }

// Every output texel is the truncated mean of a k x k block of the input.
Block boxFilter(const uint8_t* in, int inWidth, int inHeight, int k, int& outWidth,
                int& outHeight) {
    outWidth = inWidth / k;
    outHeight = inHeight / k;
    Block out = allocateTexels(static_cast<size_t>(outWidth) * outHeight);
    if (!out) return out;
    const uint64_t blockTexels = static_cast<uint64_t>(k) * k;
    for (int oy = 0; oy < outHeight; ++oy) {
        for (int ox = 0; ox < outWidth; ++ox) {
            uint64_t sum[kRgbaBytes] = {};
            for (int dy = 0; dy < k; ++dy) {
                const uint8_t* row = in + (static_cast<size_t>(oy * k + dy) * inWidth +
                                           static_cast<size_t>(ox) * k) *
                                              kRgbaBytes;
                for (int dx = 0; dx < k; ++dx) {
                    for (size_t c = 0; c < kRgbaBytes; ++c) sum[c] += row[dx * kRgbaBytes + c];
                }
            }
            uint8_t* texel = out.get() + (static_cast<size_t>(oy) * outWidth + ox) * kRgbaBytes;
            for (size_t c = 0; c < kRgbaBytes; ++c)
                texel[c] = static_cast<uint8_t>(sum[c] / blockTexels);
        }
    }
    return out;
}

// A picture that still differs from the texture's size (a smaller file, or
// one that is no whole multiple of it) is sampled to exactly that size, so
// the upload never reads past its pixels.
Block sampleToSize(const uint8_t* in, int inWidth, int inHeight, int outWidth, int outHeight) {
    Block out = allocateTexels(static_cast<size_t>(outWidth) * outHeight);
    if (!out) return out;
    for (int y = 0; y < outHeight; ++y) {
        const size_t sy = static_cast<size_t>(y) * inHeight / outHeight;
        for (int x = 0; x < outWidth; ++x) {
            const size_t sx = static_cast<size_t>(x) * inWidth / outWidth;
            std::memcpy(out.get() + (static_cast<size_t>(y) * outWidth + x) * kRgbaBytes,
                        in + (sy * inWidth + sx) * kRgbaBytes, kRgbaBytes);
        }
    }
    return out;
}

void uploadWholeLitMap(const uint8_t* pixels) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, litMap.width, litMap.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels);
}

// The light-map paint file, shrunk to the texture, into the bound texture.
void reloadFromPaint() {
    std::string paintPath, litPath;
    PaintPaths(paintPath, litPath);
    PngImage image;
    if (LoadPngRgba(litPath.c_str(), image) != kPngLoaded) return;
    const uint8_t* source = image.pixels.get();
    int width = static_cast<int>(image.width);
    int height = static_cast<int>(image.height);
    const int k = width / litMap.width;
    Block shrunk;
    if (k > 1) {
        shrunk = boxFilter(source, width, height, k, width, height);
        if (!shrunk) return;
        source = shrunk.get();
    }
    Block fitted;
    if (width != litMap.width || height != litMap.height) {
        fitted = sampleToSize(source, width, height, litMap.width, litMap.height);
        if (!fitted) return;
        source = fitted.get();
    }
    uploadWholeLitMap(source);
}

// A light map wider than 1024 texels scales the glows past a 512 x 262
// block, so the fill grows with the largest scaled glow.
size_t fillTexelsNeeded() {
    size_t largest = static_cast<size_t>(kFillWidthTexels) * kFillHeightTexels;
    auto consider = [&largest](const Glow& glow) {
        for (int i = 0; i < glow.count; ++i) {
            const size_t texels = static_cast<size_t>(std::max(0, scaled(glow.rects[i].width))) *
                                  static_cast<size_t>(std::max(0, scaled(glow.rects[i].height)));
            largest = std::max(largest, texels);
        }
    };
    for (const Glow& glow : kGlows) consider(glow);
    consider(cabinGlow());
    return largest;
}

void ensureFillBlock() {
    const size_t needed = fillTexelsNeeded();
    if (litMap.fill && litMap.fillTexels >= needed) return;
    litMap.fill = allocateTexels(needed);
    litMap.fillTexels = litMap.fill ? needed : 0;
    for (size_t i = 0; i < litMap.fillTexels; ++i) {
        std::memcpy(litMap.fill.get() + i * kRgbaBytes, kOpaqueBlack, kRgbaBytes);
    }
}

void capture() {
    litMap.texture = XPLMGetTexture(xplm_Tex_AircraftLiteMap);
    if (litMap.texture == 0 || glIsTexture(static_cast<GLuint>(litMap.texture)) != GL_TRUE) return;
    BindTexture(litMap.texture);
    float width = 0.0f, height = 0.0f;
    glGetTexLevelParameterfv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameterfv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    litMap.width = TruncToInt(width);
    litMap.height = TruncToInt(height);
    if (litMap.width <= 0 || litMap.height <= 0) return;

    reloadFromPaint();
    if (litMap.width < kSmallestCapturedPx || litMap.height < kSmallestCapturedPx) return;
    litMap.scale = static_cast<float>(litMap.width) / kLayoutWidthTexels;
    litMap.saved = allocateTexels(static_cast<size_t>(litMap.width) * litMap.height);
    if (!litMap.saved) return;
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, litMap.saved.get());
    ensureFillBlock();
}

// The glow's rectangles, scaled to the light map and kept inside it.
void blackOut(const Glow& glow, int mask) {
    if ((mask & glow.bit) != 0) return;
    for (int i = 0; i < glow.count; ++i) {
        const GlowRect& rect = glow.rects[i];
        const int left = std::max(0, scaled(rect.x));
        const int bottom = std::max(0, scaled(rect.y));
        const int right = std::min(litMap.width, scaled(rect.x) + scaled(rect.width));
        const int top = std::min(litMap.height, scaled(rect.y) + scaled(rect.height));
        if (right <= left || top <= bottom) continue;
        glTexSubImage2D(GL_TEXTURE_2D, 0, left, bottom, right - left, top - bottom, GL_RGBA,
                        GL_UNSIGNED_BYTE, litMap.fill.get());
    }
}

void releaseCopy() {
    litMap.saved.reset();
    litMap.width = litMap.height = 0;
    litMap.scale = 0.0f;
    litMap.captureTried = false;
}

}  // namespace

void ApplyLitMapMask(int mask) {
    // A newly loaded aircraft brings its own light map, which must not be
    // painted over with the copy of the last one: it is captured afresh.
    if (litMap.saved && XPLMGetTexture(xplm_Tex_AircraftLiteMap) != litMap.texture) ForgetLitMap();
    if (!litMap.saved && !litMap.captureTried) {
        litMap.captureTried = true;
        capture();
    }
    if (mask == litMap.lastMask || !litMap.saved || !litMap.fill) return;
    BindTexture(litMap.texture);
    uploadWholeLitMap(litMap.saved.get());
    for (const Glow& glow : kGlows) blackOut(glow, mask);
    blackOut(cabinGlow(), mask);
    litMap.lastMask = mask;
}

void ForgetLitMap() {
    releaseCopy();
    litMap.lastMask = kAllGlows;
}

void RestoreAndReleaseLitMap() {
    if (litMap.saved && XPLMGetTexture(xplm_Tex_AircraftLiteMap) == litMap.texture) {
        ApplyLitMapMask(kAllGlows);
    }
    releaseCopy();
    litMap.fill.reset();
    litMap.fillTexels = 0;
}

}  // namespace quil
