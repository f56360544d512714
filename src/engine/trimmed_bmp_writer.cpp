#include <bit>
#include <cstring>

#include "engine/save_image.h"

namespace plotvale::engine {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the BMP headers are copied as little-endian memory");

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr size_t HeadersSize = FileHeaderSize + InfoHeaderSize;

uint32_t readU32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

void writeU32(std::string& bytes, size_t at, uint32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

// Highest palette index used by any pixel, plus one.
uint32_t usedPaletteLength(FIBITMAP* bitmap) {
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    unsigned highest = 0;
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(y));
        for (unsigned x = 0; x < width; ++x) highest = std::max<unsigned>(highest, line[x]);
    }
    return highest + 1;
}

}  // namespace

std::optional<std::string> encodeBmp(FIBITMAP* bitmap, int32_t saveFlags) {
    auto bytes = encodeWithFreeImage(bitmap, FIF_BMP, saveFlags);
    if (!bytes || bytes->size() < HeadersSize) return std::nullopt;
    return bytes;
}

std::optional<std::string> encodeTrimmedBmp(FIBITMAP* bitmap, int32_t saveFlags) {
    if (bitmap == nullptr || FreeImage_GetBPP(bitmap) != 8 || FreeImage_GetPalette(bitmap) == nullptr)
        return std::nullopt;
    const auto full = encodeBmp(bitmap, saveFlags);
    if (!full) return std::nullopt;
    // FreeImage writes the full 256-entry table: pixels start at 1078.
    const uint32_t pixelOffset = readU32(*full, 10);
    if (pixelOffset < HeadersSize || pixelOffset > full->size()) return std::nullopt;

    const uint32_t count = usedPaletteLength(bitmap);
    const auto pixelBytes = static_cast<uint32_t>(full->size() - pixelOffset);
    const uint32_t newOffset = static_cast<uint32_t>(HeadersSize) + 4 * count;

    std::string file = full->substr(0, HeadersSize);
    writeU32(file, 2, newOffset + pixelBytes);
    writeU32(file, 10, newOffset);
    // Info header: the compression FreeImage wrote (BI_RGB, or BI_RLE8 with the RLE
    // flag) stays; image size, colours used and colours important change.
    writeU32(file, FileHeaderSize + 20, pixelBytes);
    writeU32(file, FileHeaderSize + 32, count);
    writeU32(file, FileHeaderSize + 36, count);
    file.append(reinterpret_cast<const char*>(FreeImage_GetPalette(bitmap)), 4 * count);
    file.append(*full, pixelOffset);
    return file;
}

}  // namespace plotvale::engine
