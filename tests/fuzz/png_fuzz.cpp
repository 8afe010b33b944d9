// PNG artwork, any bytes at all. The chunk checksums are put right before
// the file is read, so that the fuzzer's changes reach the chunks' contents
// instead of failing at the first checksum.
#include <unistd.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "render/png.h"

namespace {

constexpr size_t kSignatureBytes = 8;

uint32_t bigEndian(const uint8_t* at) {
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
}

void fixChecksums(std::vector<uint8_t>& bytes) {
    size_t at = kSignatureBytes;
    while (at + 12 <= bytes.size()) {
        const uint32_t length = bigEndian(&bytes[at]);
        if (length > bytes.size() - at - 12) return;
        const uLong crc = crc32(crc32(0, nullptr, 0), &bytes[at + 4], length + 4);
        for (int i = 0; i < 4; ++i) bytes[at + 8 + length + i] = uint8_t(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/quil-png-fuzz-" + std::to_string(getpid()) + ".png";
    std::vector<uint8_t> bytes(data, data + size);
    fixChecksums(bytes);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    quil::PngImage image;
    quil::LoadPngRgba(path.c_str(), image);
    return 0;
}
