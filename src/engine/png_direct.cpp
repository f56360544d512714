#include "engine/png_direct.h"

#include <libdeflate.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

namespace plotvale::engine {
namespace {

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const noexcept {
        libdeflate_free_compressor(compressor);
    }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorDeleter>;

enum Filter : unsigned char { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4 };

void putU32(std::string& out, uint32_t value) {
    const std::array<char, 4> bytes{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                                    static_cast<char>(value >> 8), static_cast<char>(value)};
    out.append(bytes.data(), bytes.size());
}

// Writes a chunk's length and type; finishChunk adds its CRC.
size_t startChunk(std::string& out, uint32_t length, std::string_view type) {
    putU32(out, length);
    const size_t typeAt = out.size();
    out += type;
    return typeAt;
}

void finishChunk(std::string& out, size_t typeAt) {
    putU32(out, libdeflate_crc32(0, out.data() + typeAt, out.size() - typeAt));
}

// One row of 24-bit pixels in PNG channel order: red, green, blue.
void packRgbRow(const BYTE* line, unsigned width, unsigned char* out) {
    for (unsigned x = 0; x < width; ++x, line += 3, out += 3) {
        out[0] = line[FI_RGBA_RED];
        out[1] = line[FI_RGBA_GREEN];
        out[2] = line[FI_RGBA_BLUE];
    }
}

static_assert(FI_RGBA_BLUE == 0 && FI_RGBA_GREEN == 1 && FI_RGBA_RED == 2 && FI_RGBA_ALPHA == 3,
              "32-bit rows are packed as little-endian BGRA words");

std::uint32_t loadWord(const BYTE* at) {
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// 32-bit pixels without their alpha, a word at a time: the byte-reversed
// pixel shifted down holds red, green, blue in its first three bytes. Each
// store's fourth byte is overwritten by the next pixel's, the last pixel's
// is stored alone so nothing is written past the row.
void packPaddedRow(const BYTE* line, unsigned width, unsigned char* out) {
    for (unsigned x = 0; x + 1 < width; ++x, line += 4, out += 3) {
        const std::uint32_t rgb = __builtin_bswap32(loadWord(line)) >> 8;
        std::memcpy(out, &rgb, sizeof rgb);
    }
    if (width > 0) packRgbRow(line, 1, out);
}

// 32-bit pixels with their alpha: blue and red change places.
void packRgbaRow(const BYTE* line, unsigned width, unsigned char* out) {
    for (unsigned x = 0; x < width; ++x, line += 4, out += 4) {
        const std::uint32_t p = loadWord(line);
        const std::uint32_t rgba = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
        std::memcpy(out, &rgba, sizeof rgba);
    }
}

// One row in PNG channel order: red, green, blue (and alpha).
void packRow(const BYTE* line, unsigned width, unsigned inStep, bool alpha, unsigned char* out) {
    if (alpha) return packRgbaRow(line, width, out);
    if (inStep == 4) return packPaddedRow(line, width, out);
    packRgbRow(line, width, out);
}

unsigned char paethPredictor(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<unsigned char>(left);
    return static_cast<unsigned char>(toUp <= toUpLeft ? up : upLeft);
}

template <Filter filter>
int predict(int left, int up, int upLeft) {
    if constexpr (filter == Sub) return left;
    if constexpr (filter == Up) return up;
    if constexpr (filter == Average) return (left + up) / 2;
    if constexpr (filter == Paeth) return paethPredictor(left, up, upLeft);
    return 0;
}

// The row filtered with one filter into out; returns libpng's measure of it,
// the sum of the bytes taken as signed magnitudes.
template <Filter filter>
size_t filterRow(const unsigned char* row, const unsigned char* previous, size_t length,
                 size_t pixelBytes, unsigned char* out) {
    size_t cost = 0;
    for (size_t i = 0; i < pixelBytes; ++i) {
        out[i] = static_cast<unsigned char>(row[i] - predict<filter>(0, previous[i], 0));
        cost += static_cast<size_t>(std::abs(static_cast<signed char>(out[i])));
    }
    for (size_t i = pixelBytes; i < length; ++i) {
        out[i] = static_cast<unsigned char>(
            row[i] - predict<filter>(row[i - pixelBytes], previous[i], previous[i - pixelBytes]));
        cost += static_cast<size_t>(std::abs(static_cast<signed char>(out[i])));
    }
    return cost;
}

using RowFilter = size_t (*)(const unsigned char*, const unsigned char*, size_t, size_t,
                             unsigned char*);
constexpr std::array<RowFilter, 5> RowFilters{filterRow<None>, filterRow<Sub>, filterRow<Up>,
                                              filterRow<Average>, filterRow<Paeth>};

// Writes the row with the filter of least cost behind its filter-type byte.
void writeFilteredRow(const unsigned char* row, const unsigned char* previous, size_t length,
                      size_t pixelBytes, unsigned char* scratch, unsigned char* out) {
    size_t best = SIZE_MAX;
    for (size_t filter = 0; filter < RowFilters.size(); ++filter) {
        const size_t cost = RowFilters[filter](row, previous, length, pixelBytes, scratch);
        if (cost >= best) continue;
        best = cost;
        out[0] = static_cast<unsigned char>(filter);
        std::copy(scratch, scratch + length, out + 1);
    }
}

// A buffer whose bytes are all written before they are read, so it is not
// cleared first; nothing when memory runs out.
std::unique_ptr<unsigned char[]> uninitialised(size_t bytes) {
    try {
        return std::make_unique_for_overwrite<unsigned char[]>(bytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The image data before compression: each row behind its filter-type byte.
// Stored (uncompressed) data takes no filter, so its rows are packed in
// place; compressed data takes the filter of least cost on each row.
std::unique_ptr<unsigned char[]> filteredRows(FIBITMAP* bitmap, size_t pixelBytes, bool search) {
    const unsigned width = FreeImage_GetWidth(bitmap), height = FreeImage_GetHeight(bitmap);
    const unsigned inStep = FreeImage_GetBPP(bitmap) / 8;
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    auto raw = uninitialised((1 + rowBytes) * height);
    auto rows = search ? uninitialised(3 * rowBytes) : nullptr;  // this row, the one above, scratch
    if (!raw || (search && !rows)) return nullptr;
    unsigned char* row = rows.get();
    unsigned char* previous = search ? row + rowBytes : nullptr;
    if (search) std::fill(previous, previous + rowBytes, 0);
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(height - 1 - y));
        unsigned char* out = raw.get() + y * (1 + rowBytes);
        if (!search) {
            out[0] = None;
            packRow(line, width, inStep, pixelBytes == 4, out + 1);
            continue;
        }
        packRow(line, width, inStep, pixelBytes == 4, row);
        writeFilteredRow(row, previous, rowBytes, pixelBytes, rows.get() + 2 * rowBytes, out);
        std::swap(row, previous);
    }
    return raw;
}

}  // namespace

std::optional<std::string> encodeDirectPng(const PngPicture& picture) {
    FIBITMAP* const bitmap = picture.bitmap;
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    const size_t pixelBytes = picture.hasAlpha ? 4 : 3;
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    const Compressor compressor(libdeflate_alloc_compressor(picture.level));
    if (!compressor) return std::nullopt;
    const auto raw = filteredRows(bitmap, pixelBytes, picture.level > 0);
    if (!raw) return std::nullopt;
    const size_t rawBytes = (1 + rowBytes) * height;

    std::string out;
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rawBytes);
    out.reserve(8 + 25 + 21 + 12 + bound + 12);
    out.append("\x89PNG\r\n\x1a\n", 8);
    size_t chunk = startChunk(out, 13, "IHDR");
    putU32(out, width);
    putU32(out, height);
    out.append({8, static_cast<char>(picture.hasAlpha ? 6 : 2), 0, 0, 0});
    finishChunk(out, chunk);
    chunk = startChunk(out, 9, "pHYs");
    putU32(out, FreeImage_GetDotsPerMeterX(bitmap));
    putU32(out, FreeImage_GetDotsPerMeterY(bitmap));
    out += '\x01';  // per metre
    finishChunk(out, chunk);

    const size_t lengthAt = out.size();
    chunk = startChunk(out, 0, "IDAT");
    const size_t dataAt = out.size();
    out.resize(dataAt + bound);
    const size_t packed =
        libdeflate_zlib_compress(compressor.get(), raw.get(), rawBytes, out.data() + dataAt, bound);
    if (packed == 0) return std::nullopt;
    out.resize(dataAt + packed);
    const auto length = static_cast<uint32_t>(packed);
    for (int i = 0; i < 4; ++i) out[lengthAt + static_cast<size_t>(i)] = static_cast<char>(length >> (24 - 8 * i));
    finishChunk(out, chunk);
    chunk = startChunk(out, 0, "IEND");
    finishChunk(out, chunk);
    return out;
}

}  // namespace plotvale::engine
