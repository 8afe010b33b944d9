#include "standin/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace standin {
namespace {

constexpr int kSignatureBytes = 8;
constexpr int kRgbaBytes = 4;

// libpng reports errors through a callback that must not return; it leaves
// the message here and jumps back to the setjmp in decode/encode.
struct PngErrorSink {
    char message[256] = "";
};

void onPngError(png_structp png, png_const_charp message) {
    auto* sink = static_cast<PngErrorSink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

bool fail(std::string* error, const std::string& path, const std::string& reason) {
    if (error) *error = path + ": " + reason;
    return false;
}

// The rows libpng reads into or writes from: bottom row first in memory,
// top row first in the file.
std::vector<png_bytep> flippedRows(uint8_t* pixels, int width, int height) {
    std::vector<png_bytep> rows(height);
    const size_t stride = static_cast<size_t>(width) * kRgbaBytes;
    for (int row = 0; row < height; ++row) rows[row] = pixels + (height - 1 - row) * stride;
    return rows;
}

// Everything from setjmp to the last libpng call happens here, and the
// only objects that live in this frame are plain pointers, so a jump out
// of libpng skips no destructor.
bool decode(png_structp png, png_infop info, FILE* file, RgbaImage* image,
            std::vector<png_bytep>* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_sig_bytes(png, kSignatureBytes);
    png_set_user_limits(png, kPngMaxSidePx, kPngMaxSidePx);
    png_read_info(png, info);

    png_set_expand(png);  // palette, grey below 8 bits and tRNS become 8-bit channels
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // opaque alpha where there is none
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * kRgbaBytes)
        png_error(png, "unexpected pixel layout after expansion to RGBA");
    image->width = width;
    image->height = height;
    image->pixels.resize(static_cast<size_t>(width) * height * kRgbaBytes);
    *rows = flippedRows(image->pixels.data(), width, height);
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    return true;
}

bool encode(png_structp png, png_infop info, FILE* file, const RgbaImage& image,
            png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool readPng(const std::string& path, RgbaImage* image, std::string* error) {
    if (!image) return fail(error, path, "no image to read into");
    *image = RgbaImage();
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return fail(error, path, std::strerror(errno));

    png_byte signature[kSignatureBytes];
    if (std::fread(signature, 1, kSignatureBytes, file.get()) != kSignatureBytes ||
        png_sig_cmp(signature, 0, kSignatureBytes) != 0)
        return fail(error, path, "not a PNG file");

    PngErrorSink sink;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &sink, onPngError, onPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return fail(error, path, "out of memory");
    }
    std::vector<png_bytep> rows;
    bool decoded = false;
    try {
        decoded = decode(png, info, file.get(), image, &rows);
    } catch (const std::bad_alloc&) {
        std::snprintf(sink.message, sizeof sink.message, "out of memory");
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (decoded) return true;
    *image = RgbaImage();
    return fail(error, path, sink.message);
}

bool writePng(const std::string& path, const RgbaImage& image, std::string* error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * kRgbaBytes)
        return fail(error, path, "image size does not match its pixels");
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return fail(error, path, std::strerror(errno));

    PngErrorSink sink;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, onPngError, onPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return fail(error, path, "out of memory");
    }
    // libpng only reads through these rows; its API is not const-correct.
    std::vector<png_bytep> rows =
        flippedRows(const_cast<uint8_t*>(image.pixels.data()), image.width, image.height);
    const bool encoded = encode(png, info, file.get(), image, rows.data());
    png_destroy_write_struct(&png, &info);
    if (!encoded) return fail(error, path, sink.message);
    if (std::fclose(file.release()) != 0) return fail(error, path, std::strerror(errno));
    return true;
}

}  // namespace standin
