// PNG artwork decoded into RGBA pixels for upload as OpenGL textures.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace quil {

// Results of LoadPngRgba.
constexpr int kPngFailed = 0;  // missing, not a PNG, corrupt or oversized
constexpr int kPngLoaded = 1;
constexpr int kPngOutOfMemory = 4;  // no memory for the decoder or the pixels

// Larger pictures are refused before any pixel memory is taken: aircraft
// artwork stays well below it, and a damaged header must not make the
// simulator allocate gigabytes.
constexpr uint32_t kPngMaxSidePx = 8192;

struct FreeDeleter {
    void operator()(uint8_t* block) const { std::free(block); }
};

constexpr size_t kRgbaBytes = 4;  // per texel

// RGBA bytes, bottom row first, so that texture coordinate v = 0 is the
// bottom edge of the picture.
struct PngImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::unique_ptr<uint8_t, FreeDeleter> pixels;
};

// Every colour type is expanded to 8-bit RGBA: grey to RGB, palettes to
// their colours, transparency chunks to alpha, and an opaque alpha added
// where the file has none. On failure the image is left empty.
int LoadPngRgba(const char* path, PngImage& image);

}  // namespace quil
