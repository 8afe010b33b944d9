#include "render/png.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "platform/files.h"

namespace quil {
namespace {

constexpr size_t kSignatureBytes = 8;
constexpr png_byte kOpaque = 0xff;

// No chunk the plug-in reads comes near this; a longer one is refused
// before its memory is taken, whatever length the file declares.
constexpr png_alloc_size_t kPngMaxChunkBytes = 1 << 20;
constexpr png_uint_32 kPngMaxCachedChunks = 16;
// The ancillary chunks that mean nothing to the panel artwork are skipped
// unread, so a hostile text or colour profile chunk costs no memory at all.
constexpr png_byte kUnusedChunks[] =
    "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0"
    "sRGB\0sTER\0tEXt\0tIME\0zTXt";
constexpr int kUnusedChunkCount = 18;

// What the decoder holds. It lives in the caller's frame, so that a libpng
// error, which unwinds by longjmp, leaves it intact for the release.
struct Decoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_bytep* rows = nullptr;
    uint8_t* pixels = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
};

// The plug-in writes no log, so libpng's complaints end here; an error
// still unwinds to the decoder.
void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void quietWarning(png_structp, png_const_charp) {}

// Every colour type and depth comes out as 8-bit RGBA.
void requestRgba(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool transparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (bitDepth > 8) png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (transparencyChunk) png_set_tRNS_to_alpha(png);
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !transparencyChunk) {
        png_set_add_alpha(png, kOpaque, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// The picture into decoder.pixels, bottom row first.
int decode(FILE* file, Decoder& decoder) {
    decoder.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    if (decoder.png == nullptr) return kPngOutOfMemory;
    decoder.info = png_create_info_struct(decoder.png);
    if (decoder.info == nullptr) return kPngOutOfMemory;
    if (setjmp(png_jmpbuf(decoder.png))) return kPngFailed;

    png_set_user_limits(decoder.png, kPngMaxSidePx, kPngMaxSidePx);
    png_set_chunk_malloc_max(decoder.png, kPngMaxChunkBytes);
    png_set_chunk_cache_max(decoder.png, kPngMaxCachedChunks);
    png_set_keep_unknown_chunks(decoder.png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(decoder.png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks,
                                kUnusedChunkCount);
    png_init_io(decoder.png, file);
    png_set_sig_bytes(decoder.png, static_cast<int>(kSignatureBytes));
    png_read_info(decoder.png, decoder.info);
    requestRgba(decoder.png, decoder.info);
    decoder.width = png_get_image_width(decoder.png, decoder.info);
    decoder.height = png_get_image_height(decoder.png, decoder.info);
    const size_t rowBytes = png_get_rowbytes(decoder.png, decoder.info);
    if (decoder.width == 0 || decoder.height == 0 || rowBytes != decoder.width * kRgbaBytes) {
        return kPngFailed;
    }

    decoder.pixels = static_cast<uint8_t*>(std::malloc(rowBytes * decoder.height));
    decoder.rows = static_cast<png_bytep*>(std::malloc(decoder.height * sizeof(png_bytep)));
    if (decoder.pixels == nullptr || decoder.rows == nullptr) return kPngOutOfMemory;
    for (uint32_t i = 0; i < decoder.height; ++i) {
        decoder.rows[decoder.height - 1 - i] = decoder.pixels + i * rowBytes;
    }
    png_read_image(decoder.png, decoder.rows);
    return kPngLoaded;
}

}  // namespace

int LoadPngRgba(const char* path, PngImage& image) {
    image = PngImage();
    if (path == nullptr) return kPngFailed;
    FILE* file = OpenRegularFile(path).file;
    if (file == nullptr) return kPngFailed;
    png_byte signature[kSignatureBytes];
    if (std::fread(signature, 1, kSignatureBytes, file) != kSignatureBytes ||
        png_sig_cmp(signature, 0, kSignatureBytes) != 0) {
        std::fclose(file);
        return kPngFailed;
    }

    Decoder decoder;
    const int result = decode(file, decoder);
    std::free(decoder.rows);
    if (result == kPngLoaded) {
        image.width = decoder.width;
        image.height = decoder.height;
        image.pixels.reset(decoder.pixels);
    } else {
        std::free(decoder.pixels);
    }
    png_destroy_read_struct(&decoder.png, &decoder.info, nullptr);
    std::fclose(file);
    return result;
}

}  // namespace quil
