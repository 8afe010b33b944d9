// PNG decoding: every colour type comes out as 8-bit RGBA, bottom row
// first; broken, foreign and oversized files fail without harm.
#include "render/png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "render/render_support.h"

namespace {

using rendertest::RawPng;
using rendertest::Rgba;

class PngDecoding : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quil-png-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    // Decodes and expects success.
    quil::PngImage load(const RawPng& picture) {
        const std::string file = path("picture.png");
        EXPECT_TRUE(rendertest::writeRawPng(file, picture));
        quil::PngImage image;
        EXPECT_EQ(quil::LoadPngRgba(file.c_str(), image), quil::kPngLoaded);
        return image;
    }

    std::vector<uint8_t> fileBytes(const std::string& file) const {
        std::ifstream in(file, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void writeBytes(const std::string& file, const std::vector<uint8_t>& bytes) const {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::string folder_;
};

// Texel (x, y) of the decoded image, y counted from the bottom edge.
Rgba texel(const quil::PngImage& image, int x, int y) {
    const uint8_t* p = image.pixels.get() + (static_cast<size_t>(y) * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// A 2 x 2 picture whose top row comes first in the file.
RawPng twoByTwo(int colourType, int bitDepth, std::vector<uint8_t> rows) {
    RawPng picture;
    picture.width = 2;
    picture.height = 2;
    picture.colourType = colourType;
    picture.bitDepth = bitDepth;
    picture.rows = std::move(rows);
    return picture;
}

TEST_F(PngDecoding, RgbaIsStoredBottomRowFirst) {
    const quil::PngImage image = load(twoByTwo(PNG_COLOR_TYPE_RGBA, 8,
                                               {1, 2, 3, 4, 5, 6, 7, 8,            // top row
                                                9, 10, 11, 12, 13, 14, 15, 16}));  // bottom row
    ASSERT_EQ(image.width, 2u);
    ASSERT_EQ(image.height, 2u);
    EXPECT_EQ(texel(image, 0, 0), (Rgba{9, 10, 11, 12}));
    EXPECT_EQ(texel(image, 1, 0), (Rgba{13, 14, 15, 16}));
    EXPECT_EQ(texel(image, 0, 1), (Rgba{1, 2, 3, 4}));
    EXPECT_EQ(texel(image, 1, 1), (Rgba{5, 6, 7, 8}));
}

TEST_F(PngDecoding, GreyWithAlphaIsExpandedToRgb) {
    const quil::PngImage image =
        load(twoByTwo(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {10, 20, 30, 40, 50, 60, 70, 80}));
    EXPECT_EQ(texel(image, 0, 1), (Rgba{10, 10, 10, 20}));
    EXPECT_EQ(texel(image, 1, 0), (Rgba{70, 70, 70, 80}));
}

TEST_F(PngDecoding, SixteenBitSamplesKeepTheirHighByte) {
    std::vector<uint8_t> rows;
    for (int i = 0; i < 4; ++i) {
        const uint8_t high = static_cast<uint8_t>(0x10 * (i + 1));
        for (uint8_t channel : {high, uint8_t(high + 1), uint8_t(high + 2), uint8_t(0xfe)}) {
            rows.push_back(channel);
            rows.push_back(0xcd);
        }
    }
    const quil::PngImage image = load(twoByTwo(PNG_COLOR_TYPE_RGBA, 16, rows));
    EXPECT_EQ(texel(image, 0, 1), (Rgba{0x10, 0x11, 0x12, 0xfe}));
    EXPECT_EQ(texel(image, 1, 0), (Rgba{0x40, 0x41, 0x42, 0xfe}));
}

TEST_F(PngDecoding, RgbGainsAnOpaqueAlpha) {
    const quil::PngImage image =
        load(twoByTwo(PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(texel(image, 0, 1), (Rgba{1, 2, 3, 255}));
    EXPECT_EQ(texel(image, 1, 1), (Rgba{4, 5, 6, 255}));
    EXPECT_EQ(texel(image, 1, 0), (Rgba{10, 11, 12, 255}));
}

TEST_F(PngDecoding, GreyGainsColourAndAnOpaqueAlpha) {
    const quil::PngImage image = load(twoByTwo(PNG_COLOR_TYPE_GRAY, 8, {0, 85, 170, 255}));
    EXPECT_EQ(texel(image, 1, 1), (Rgba{85, 85, 85, 255}));
    EXPECT_EQ(texel(image, 0, 0), (Rgba{170, 170, 170, 255}));
}

TEST_F(PngDecoding, PaletteEntriesBecomeTheirColoursWithTheirTransparency) {
    RawPng picture = twoByTwo(PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 1});
    picture.palette = {{200, 0, 0}, {0, 150, 0}, {0, 0, 100}};
    picture.transparency = {0, 128};
    const quil::PngImage image = load(picture);
    EXPECT_EQ(texel(image, 0, 1), (Rgba{200, 0, 0, 0}));
    EXPECT_EQ(texel(image, 1, 1), (Rgba{0, 150, 0, 128}));
    EXPECT_EQ(texel(image, 0, 0), (Rgba{0, 0, 100, 255})) << "entries past tRNS are opaque";
}

TEST_F(PngDecoding, FourBitPaletteWithoutTransparencyIsOpaque) {
    RawPng picture = twoByTwo(PNG_COLOR_TYPE_PALETTE, 4, {0x01, 0x10});
    picture.palette = {{1, 2, 3}, {4, 5, 6}};
    const quil::PngImage image = load(picture);
    EXPECT_EQ(texel(image, 0, 1), (Rgba{1, 2, 3, 255}));
    EXPECT_EQ(texel(image, 1, 1), (Rgba{4, 5, 6, 255}));
    EXPECT_EQ(texel(image, 0, 0), (Rgba{4, 5, 6, 255}));
}

TEST_F(PngDecoding, InterlacedFilesDecodeLikePlainOnes) {
    RawPng picture;
    picture.width = 9;
    picture.height = 7;
    picture.interlaced = true;
    for (int row = 0; row < picture.height; ++row) {
        for (int x = 0; x < picture.width; ++x) {
            for (uint8_t c : {uint8_t(x), uint8_t(row), uint8_t(x * row), uint8_t(255)}) {
                picture.rows.push_back(c);
            }
        }
    }
    const quil::PngImage image = load(picture);
    EXPECT_EQ(texel(image, 8, 0), (Rgba{8, 6, 48, 255}));
    EXPECT_EQ(texel(image, 3, 4), (Rgba{3, 2, 6, 255}));
}

TEST_F(PngDecoding, MissingFileFails) {
    quil::PngImage image;
    EXPECT_EQ(quil::LoadPngRgba(path("absent.png").c_str(), image), quil::kPngFailed);
    EXPECT_EQ(quil::LoadPngRgba(nullptr, image), quil::kPngFailed);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST_F(PngDecoding, FileWithoutThePngSignatureFails) {
    writeBytes(path("text.png"), std::vector<uint8_t>(64, 'x'));
    writeBytes(path("short.png"), {0x89, 'P', 'N'});
    quil::PngImage image;
    EXPECT_EQ(quil::LoadPngRgba(path("text.png").c_str(), image), quil::kPngFailed);
    EXPECT_EQ(quil::LoadPngRgba(path("short.png").c_str(), image), quil::kPngFailed);
}

RawPng grid(int width, int height) {
    RawPng picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height; ++i) {
        for (uint8_t c : {uint8_t(i), uint8_t(i * 7), uint8_t(i * 13), uint8_t(255 - i)}) {
            picture.rows.push_back(c);
        }
    }
    return picture;
}

TEST_F(PngDecoding, TruncatedAndCorruptedFilesFailAndLeaveNoPixels) {
    ASSERT_TRUE(rendertest::writeRawPng(path("whole.png"), grid(16, 16)));
    const std::vector<uint8_t> whole = fileBytes(path("whole.png"));

    std::vector<uint8_t> truncated(whole.begin(), whole.begin() + whole.size() / 2);
    writeBytes(path("truncated.png"), truncated);
    quil::PngImage image;
    EXPECT_EQ(quil::LoadPngRgba(path("truncated.png").c_str(), image), quil::kPngFailed);
    EXPECT_EQ(image.pixels, nullptr);

    // A flipped byte inside the image data breaks its checksum.
    std::vector<uint8_t> corrupt = whole;
    corrupt[whole.size() - 20] ^= 0x5a;
    writeBytes(path("corrupt.png"), corrupt);
    EXPECT_EQ(quil::LoadPngRgba(path("corrupt.png").c_str(), image), quil::kPngFailed);
    EXPECT_EQ(image.pixels, nullptr);
}

// A signature and a header chunk claiming the given size, with a valid
// checksum, and no image data.
std::vector<uint8_t> headerOnly(uint32_t width, uint32_t height) {
    std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                  0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (uint32_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(uint8_t(value >> shift));
    }
    for (uint8_t field : {8, 6, 0, 0, 0}) bytes.push_back(field);  // 8-bit RGBA
    const uLong crc = crc32(crc32(0, nullptr, 0), bytes.data() + 12, 17);
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(uint8_t(crc >> shift));
    return bytes;
}

TEST_F(PngDecoding, AbsurdSizesAreRefusedBeforeAnyPixelMemoryIsTaken) {
    struct Case {
        uint32_t width, height;
    };
    for (const Case& c : {Case{100000, 100000}, Case{0x7fffffff, 4}, Case{4, 0x7fffffff}}) {
        writeBytes(path("huge.png"), headerOnly(c.width, c.height));
        quil::PngImage image;
        EXPECT_EQ(quil::LoadPngRgba(path("huge.png").c_str(), image), quil::kPngFailed)
            << c.width << " x " << c.height;
    }
}

TEST_F(PngDecoding, OneTexelPastTheLargestAllowedSideIsRefused) {
    struct Case {
        uint32_t width, height;
        int result;
    };
    const uint32_t largest = quil::kPngMaxSidePx;
    for (const Case& c :
         {Case{largest, 1, quil::kPngLoaded}, Case{1, largest, quil::kPngLoaded},
          Case{largest + 1, 1, quil::kPngFailed}, Case{1, largest + 1, quil::kPngFailed}}) {
        ASSERT_TRUE(rendertest::writeRawPng(path("edge.png"), grid(int(c.width), int(c.height))));
        quil::PngImage image;
        EXPECT_EQ(quil::LoadPngRgba(path("edge.png").c_str(), image), c.result)
            << c.width << " x " << c.height;
    }
}

// Mutated files, some with their header checksum repaired so the damage
// reaches the decoder's deeper stages: each decodes or fails, never more.
TEST_F(PngDecoding, MutatedFilesNeverCrashTheDecoder) {
    RawPng base = grid(13, 11);
    base.interlaced = true;
    ASSERT_TRUE(rendertest::writeRawPng(path("base.png"), base));
    const std::vector<uint8_t> original = fileBytes(path("base.png"));
    std::mt19937 random(20240611u);
    const std::string mutatedPath = path("mutated.png");
    int decoded = 0;
    for (int round = 0; round < 1500; ++round) {
        std::vector<uint8_t> bytes = original;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = random() % bytes.size();
            switch (random() % 4) {
                case 0:
                    bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
                    break;
                case 1:
                    bytes[at] = static_cast<uint8_t>(random());
                    break;
                case 2:
                    bytes.resize(std::max<size_t>(at, 8));
                    break;
                default:
                    bytes.insert(bytes.begin() + at, static_cast<uint8_t>(random()));
                    break;
            }
        }
        if (round % 2 == 0 && bytes.size() >= 33) {
            const uLong crc = crc32(crc32(0, nullptr, 0), bytes.data() + 12, 17);
            for (int i = 0; i < 4; ++i) bytes[29 + i] = uint8_t(crc >> (24 - 8 * i));
        }
        writeBytes(mutatedPath, bytes);
        quil::PngImage image;
        const int result = quil::LoadPngRgba(mutatedPath.c_str(), image);
        ASSERT_TRUE(result == quil::kPngFailed || result == quil::kPngLoaded ||
                    result == quil::kPngOutOfMemory)
            << "round " << round << ": result " << result;
        if (result == quil::kPngLoaded) {
            ++decoded;
            ASSERT_NE(image.pixels, nullptr) << "round " << round;
            ASSERT_LE(image.width, quil::kPngMaxSidePx) << "round " << round;
            ASSERT_LE(image.height, quil::kPngMaxSidePx) << "round " << round;
        } else {
            ASSERT_EQ(image.pixels, nullptr) << "round " << round;
        }
    }
    EXPECT_LT(decoded, 1500) << "the mutations never reached a failure";
}

// A valid header, then a chunk that declares about 1.8 GB and ends 64 bytes
// into the file: the plug-in's artwork loading never asks for that memory,
// whichever chunk it is.
class HostileArtwork : public rendertest::AircraftFolderTest {};

TEST_F(HostileArtwork, DeclaredChunkLengthsTakeNoMemory) {
    constexpr uint32_t kDeclaredBytes = 1800000000;
    constexpr size_t kFileBytes = 64;
    constexpr size_t kLargestSaneRequest = 64 << 20;  // well above the plug-in's own
    for (const char* chunk : {"zTXt", "iTXt", "tEXt", "iCCP", "sPLT", "quIl"}) {
        std::vector<uint8_t> bytes = headerOnly(1, 1);
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(uint8_t(kDeclaredBytes >> shift));
        }
        bytes.insert(bytes.end(), chunk, chunk + 4);
        bytes.resize(kFileBytes, 'q');
        std::ofstream(texturePath("quiltexture.png"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), kFileBytes);
        standin::startHost(config());
        useAircraft();
        standin::unloadPlugin(load(quiltest::pluginPath()));
        EXPECT_LT(standin::largestAllocation(), kLargestSaneRequest) << chunk;
    }
}

}  // namespace
