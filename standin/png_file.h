// PNG files to and from RGBA8 pixels, for screenshots and aircraft textures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// Larger images are refused: an aircraft paint is at most this size, and a
// corrupt header must not make us allocate gigabytes.
constexpr int kPngMaxSidePx = 8192;

// 8-bit RGBA pixels, bottom row first, so they upload to OpenGL directly
// and match glReadPixels.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 4 bytes
};

// Reads any PNG (grey, palette, RGB, with or without alpha, 1 to 16 bits)
// expanded to RGBA8. False with the reason in *error for a missing,
// non-PNG, truncated, corrupt or oversized file; *image is then emptied.
bool readPng(const std::string& path, RgbaImage* image, std::string* error = nullptr);

// Writes an RGBA8 PNG (top row first, as PNG stores it).
bool writePng(const std::string& path, const RgbaImage& image, std::string* error = nullptr);

}  // namespace standin
