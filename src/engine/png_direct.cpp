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

// The picture's rows as PNG stores them: top first, in PNG channel order,
// each behind its filter-type byte in the image data.
struct PngRows {
    PngRows(FIBITMAP* picture, size_t bytesPerPixel)
        : bitmap(picture), width(FreeImage_GetWidth(picture)), height(FreeImage_GetHeight(picture)),
          inStep(FreeImage_GetBPP(picture) / 8), pixelBytes(bytesPerPixel) {}
    size_t rowBytes() const { return static_cast<size_t>(width) * pixelBytes; }
    size_t dataBytes() const { return (1 + rowBytes()) * height; }
    void pack(unsigned y, unsigned char* out) const {
        packRow(FreeImage_GetScanLine(bitmap, static_cast<int>(height - 1 - y)), width, inStep, pixelBytes == 4, out);
    }

    FIBITMAP* bitmap;
    unsigned width, height, inStep;
    size_t pixelBytes;
};

// The image data before compression: each row behind its filter-type byte,
// with the filter of least cost on each row.
std::unique_ptr<unsigned char[]> filteredRows(const PngRows& rows) {
    const size_t rowBytes = rows.rowBytes();
    auto raw = uninitialised(rows.dataBytes());
    auto lines = uninitialised(3 * rowBytes);  // this row, the one above, scratch
    if (!raw || !lines) return nullptr;
    unsigned char* row = lines.get();
    unsigned char* previous = row + rowBytes;
    std::fill(previous, previous + rowBytes, 0);
    for (unsigned y = 0; y < rows.height; ++y) {
        rows.pack(y, row);
        writeFilteredRow(row, previous, rowBytes, rows.pixelBytes, lines.get() + 2 * rowBytes,
                         raw.get() + y * (1 + rowBytes));
        std::swap(row, previous);
    }
    return raw;
}

// The IDAT data compressed by libdeflate in one call.
bool appendCompressedData(std::string& out, const PngRows& rows, int level) {
    const Compressor compressor(libdeflate_alloc_compressor(level));
    if (!compressor) return false;
    const auto raw = filteredRows(rows);
    if (!raw) return false;
    const size_t rawBytes = rows.dataBytes();
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rawBytes);
    const size_t dataAt = out.size();
    try {
        out.resize(dataAt + bound);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const size_t packed =
        libdeflate_zlib_compress(compressor.get(), raw.get(), rawBytes, out.data() + dataAt, bound);
    out.resize(dataAt + packed);
    return packed > 0;
}

// A zlib stream of stored (uncompressed) deflate blocks, appended as the
// data arrives: each byte is copied once, straight from a row that is still
// in the cache, with no buffer of the whole picture before it.
class StoredZlibStream {
public:
    static constexpr size_t BlockBytes = 0xFFFF;

    // The stream's size for `total` bytes of data.
    static size_t sizeFor(size_t total) { return 2 + 5 * ((total + BlockBytes - 1) / BlockBytes) + total + 4; }

    StoredZlibStream(std::string& out, size_t total) : out_(out), remaining_(total) {
        out_.append("\x78\x01", 2);  // deflate, 32 KiB window, fastest level
    }

    void append(const unsigned char* data, size_t size) {
        adler_ = libdeflate_adler32(adler_, data, size);
        while (size > 0) {
            if (blockLeft_ == 0) startBlock();
            const size_t take = std::min(size, blockLeft_);
            out_.append(reinterpret_cast<const char*>(data), take);
            data += take;
            size -= take;
            blockLeft_ -= take;
            remaining_ -= take;
        }
    }

    void finish() { putU32(out_, adler_); }

private:
    void startBlock() {
        blockLeft_ = std::min(remaining_, BlockBytes);
        const auto length = static_cast<std::uint16_t>(blockLeft_);
        const auto complement = static_cast<std::uint16_t>(~length);
        out_ += static_cast<char>(remaining_ <= BlockBytes ? 1 : 0);  // the last block's flag
        out_.append({static_cast<char>(length & 0xFF), static_cast<char>(length >> 8),
                     static_cast<char>(complement & 0xFF), static_cast<char>(complement >> 8)});
    }

    std::string& out_;
    size_t remaining_;
    size_t blockLeft_ = 0;
    std::uint32_t adler_ = 1;
};

// The IDAT data stored uncompressed: rows without filters.
bool appendStoredData(std::string& out, const PngRows& rows) {
    const size_t lineBytes = 1 + rows.rowBytes();
    auto line = uninitialised(lineBytes);
    if (!line) return false;
    line[0] = None;
    StoredZlibStream stream(out, rows.dataBytes());
    for (unsigned y = 0; y < rows.height; ++y) {
        rows.pack(y, line.get() + 1);
        stream.append(line.get(), lineBytes);
    }
    stream.finish();
    return true;
}

}  // namespace

std::optional<std::string> encodeDirectPng(const PngPicture& picture) {
    FIBITMAP* const bitmap = picture.bitmap;
    const PngRows rows(bitmap, picture.hasAlpha ? 4 : 3);

    std::string out;
    try {
        // Stored data's exact size; compressed data reserves its own bound.
        out.reserve(8 + 25 + 21 + 12 + (picture.level == 0 ? StoredZlibStream::sizeFor(rows.dataBytes()) : 0) + 12);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    out.append("\x89PNG\r\n\x1a\n", 8);
    size_t chunk = startChunk(out, 13, "IHDR");
    putU32(out, rows.width);
    putU32(out, rows.height);
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
    const bool written = picture.level == 0 ? appendStoredData(out, rows) : appendCompressedData(out, rows, picture.level);
    if (!written) return std::nullopt;
    const auto length = static_cast<uint32_t>(out.size() - dataAt);
    for (int i = 0; i < 4; ++i) out[lengthAt + static_cast<size_t>(i)] = static_cast<char>(length >> (24 - 8 * i));
    finishChunk(out, chunk);
    chunk = startChunk(out, 0, "IEND");
    finishChunk(out, chunk);
    return out;
}

}  // namespace plotvale::engine
