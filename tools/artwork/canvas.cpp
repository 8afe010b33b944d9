#include "artwork/canvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>

namespace artwork {
namespace {

constexpr int kSamplesPerAxis = 4;  // 16 samples per texel for the edges

float clamp01(float value) { return std::min(1.0f, std::max(0.0f, value)); }

uint8_t toByte(float value) { return static_cast<uint8_t>(std::lround(clamp01(value) * 255.0f)); }

// Distance from p to the segment a-b.
float segmentDistance(Point p, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    float t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0f;
    t = clamp01(t);
    const float ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Canvas MakeCanvas(int width, int height) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.texels.assign(static_cast<size_t>(width) * height, kClear);
    ClipToCanvas(canvas);
    return canvas;
}

void ClipTo(Canvas& canvas, const Box& box) {
    canvas.clip = {std::max(0, box.left), std::max(0, box.bottom),
                   std::min(canvas.width, box.right), std::min(canvas.height, box.top)};
}

void ClipToCanvas(Canvas& canvas) { canvas.clip = {0, 0, canvas.width, canvas.height}; }

void Blend(Canvas& canvas, int x, int y, const Colour& colour, float coverage) {
    const Box& clip = canvas.clip;
    if (x < clip.left || x >= clip.right || y < clip.bottom || y >= clip.top) return;
    Colour& dst = canvas.texels[static_cast<size_t>(y) * canvas.width + x];
    const float a = clamp01(colour.a * coverage);
    if (a <= 0.0f) return;
    const float outA = a + dst.a * (1.0f - a);
    const float keep = dst.a * (1.0f - a);
    dst.r = (colour.r * a + dst.r * keep) / outA;
    dst.g = (colour.g * a + dst.g * keep) / outA;
    dst.b = (colour.b * a + dst.b * keep) / outA;
    dst.a = outA;
}

void FillBox(Canvas& canvas, const Box& box, const Colour& colour) {
    for (int y = box.bottom; y < box.top; ++y) {
        for (int x = box.left; x < box.right; ++x) Blend(canvas, x, y, colour);
    }
}

void ClearBox(Canvas& canvas, const Box& box) {
    const Box& clip = canvas.clip;
    for (int y = std::max(box.bottom, clip.bottom); y < std::min(box.top, clip.top); ++y) {
        for (int x = std::max(box.left, clip.left); x < std::min(box.right, clip.right); ++x) {
            canvas.texels[static_cast<size_t>(y) * canvas.width + x] = kClear;
        }
    }
}

void OutlineBox(Canvas& canvas, const Box& box, const Colour& colour) {
    FillBox(canvas, {box.left, box.bottom, box.right, box.bottom + 1}, colour);
    FillBox(canvas, {box.left, box.top - 1, box.right, box.top}, colour);
    FillBox(canvas, {box.left, box.bottom + 1, box.left + 1, box.top - 1}, colour);
    FillBox(canvas, {box.right - 1, box.bottom + 1, box.right, box.top - 1}, colour);
}

void FillShape(Canvas& canvas, float left, float bottom, float right, float top,
               const Inside& inside, const Colour& colour) {
    const int x0 = static_cast<int>(std::floor(left)), x1 = static_cast<int>(std::ceil(right));
    const int y0 = static_cast<int>(std::floor(bottom)), y1 = static_cast<int>(std::ceil(top));
    constexpr float step = 1.0f / kSamplesPerAxis;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int j = 0; j < kSamplesPerAxis; ++j) {
                for (int i = 0; i < kSamplesPerAxis; ++i) {
                    if (inside(x + (i + 0.5f) * step, y + (j + 0.5f) * step)) ++hits;
                }
            }
            if (hits > 0) {
                Blend(canvas, x, y, colour,
                      static_cast<float>(hits) / (kSamplesPerAxis * kSamplesPerAxis));
            }
        }
    }
}

void FillCircle(Canvas& canvas, float cx, float cy, float radius, const Colour& colour) {
    FillRing(canvas, cx, cy, 0.0f, radius, colour);
}

void FillRing(Canvas& canvas, float cx, float cy, float inner, float outer, const Colour& colour) {
    FillShape(
        canvas, cx - outer, cy - outer, cx + outer, cy + outer,
        [=](float x, float y) {
            const float d = std::hypot(x - cx, y - cy);
            return d <= outer && d >= inner;
        },
        colour);
}

void FillRoundRect(Canvas& canvas, float left, float bottom, float right, float top, float radius,
                   const Colour& colour) {
    FillShape(
        canvas, left, bottom, right, top,
        [=](float x, float y) {
            const float nx = std::min(std::max(x, left + radius), right - radius);
            const float ny = std::min(std::max(y, bottom + radius), top - radius);
            return x >= left && x <= right && y >= bottom && y <= top &&
                   std::hypot(x - nx, y - ny) <= radius;
        },
        colour);
}

void StrokeLine(Canvas& canvas, Point from, Point to, float width, const Colour& colour) {
    const float half = 0.5f * width;
    FillShape(
        canvas, std::min(from.x, to.x) - half, std::min(from.y, to.y) - half,
        std::max(from.x, to.x) + half, std::max(from.y, to.y) + half,
        [=](float x, float y) {
            return segmentDistance({x, y}, from, to) <= half;
        },
        colour);
}

void FillPolygon(Canvas& canvas, const std::vector<Point>& corners, const Colour& colour) {
    if (corners.size() < 3) return;
    float left = corners[0].x, right = left, bottom = corners[0].y, top = bottom;
    for (const Point& p : corners) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    FillShape(
        canvas, left, bottom, right, top,
        [&corners](float x, float y) {
            bool inside = false;
            for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                const Point& a = corners[i];
                const Point& b = corners[j];
                if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
                    inside = !inside;
                }
            }
            return inside;
        },
        colour);
}

void FillGlow(Canvas& canvas, float cx, float cy, float radiusX, float radiusY,
              const Colour& colour) {
    const int x0 = static_cast<int>(std::floor(cx - radiusX));
    const int x1 = static_cast<int>(std::ceil(cx + radiusX));
    const int y0 = static_cast<int>(std::floor(cy - radiusY));
    const int y1 = static_cast<int>(std::ceil(cy + radiusY));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float dx = (x + 0.5f - cx) / radiusX, dy = (y + 0.5f - cy) / radiusY;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < 1.0f) Blend(canvas, x, y, colour, (1.0f - d) * (1.0f - d));
        }
    }
}

bool WritePng(const Canvas& canvas, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    std::vector<uint8_t> bytes(static_cast<size_t>(canvas.width) * canvas.height * 4);
    for (int row = 0; row < canvas.height; ++row) {
        const int y = canvas.height - 1 - row;
        for (int x = 0; x < canvas.width; ++x) {
            const Colour& c = canvas.texels[static_cast<size_t>(y) * canvas.width + x];
            uint8_t* out = &bytes[(static_cast<size_t>(row) * canvas.width + x) * 4];
            out[0] = toByte(c.r);
            out[1] = toByte(c.g);
            out[2] = toByte(c.b);
            out[3] = toByte(c.a);
        }
    }
    std::vector<png_bytep> rows(canvas.height);
    for (int row = 0; row < canvas.height; ++row) {
        rows[row] = &bytes[static_cast<size_t>(row) * canvas.width * 4];
    }
    bool written = false;
    if (info == nullptr) {
        written = false;
    } else if (setjmp(png_jmpbuf(png)) != 0) {
        written = false;
    } else {
        png_init_io(png, file);
        png_set_IHDR(png, info, canvas.width, canvas.height, 8, PNG_COLOR_TYPE_RGBA,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}

}  // namespace artwork
