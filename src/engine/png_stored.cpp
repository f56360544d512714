#include "engine/png_stored.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace plotvale::engine {
namespace {

constexpr size_t LargestStoredBlock = 65535;

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

// Appends data as stored deflate blocks, each at most 65535 bytes, keeping
// the Adler-32 of everything appended.
class StoredBlocks {
public:
    StoredBlocks(std::string& out, size_t total) : out_(out), left_(total) {}

    void append(const char* data, size_t length) {
        adler_ = libdeflate_adler32(adler_, data, length);
        while (length > 0) {
            if (roomInBlock_ == 0) openBlock();
            const size_t part = std::min(length, roomInBlock_);
            out_.append(data, part);
            data += part;
            length -= part;
            roomInBlock_ -= part;
        }
    }
    uint32_t adler() const { return adler_; }

private:
    void openBlock() {
        const size_t size = std::min(left_, LargestStoredBlock);
        left_ -= size;
        const auto length = static_cast<uint16_t>(size);
        const auto inverse = static_cast<uint16_t>(~length);
        out_ += static_cast<char>(left_ == 0 ? 1 : 0);  // BFINAL on the last, BTYPE 00
        out_ += static_cast<char>(length & 0xFF);
        out_ += static_cast<char>(length >> 8);
        out_ += static_cast<char>(inverse & 0xFF);
        out_ += static_cast<char>(inverse >> 8);
        roomInBlock_ = size;
    }

    std::string& out_;
    size_t left_;
    size_t roomInBlock_ = 0;
    uint32_t adler_ = 1;
};

// One row in PNG order: filter type 0, then red, green, blue (and alpha).
void packRow(const BYTE* line, unsigned width, unsigned inStep, bool alpha, std::string& row) {
    row.resize(1 + static_cast<size_t>(width) * (alpha ? 4 : 3));
    char* out = row.data();
    *out++ = 0;
    for (unsigned x = 0; x < width; ++x, line += inStep) {
        *out++ = static_cast<char>(line[FI_RGBA_RED]);
        *out++ = static_cast<char>(line[FI_RGBA_GREEN]);
        *out++ = static_cast<char>(line[FI_RGBA_BLUE]);
        if (alpha) *out++ = static_cast<char>(line[FI_RGBA_ALPHA]);
    }
}

}  // namespace

std::string encodeStoredPng(const PngPicture& picture) {
    FIBITMAP* const bitmap = picture.bitmap;
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    const unsigned inStep = FreeImage_GetBPP(bitmap) / 8;
    const size_t rowBytes = 1 + static_cast<size_t>(width) * (picture.hasAlpha ? 4 : 3);
    const size_t raw = rowBytes * height;
    const size_t blocks = (raw + LargestStoredBlock - 1) / LargestStoredBlock;
    const size_t zlibBytes = 2 + raw + 5 * blocks + 4;

    std::string out;
    out.reserve(8 + 25 + 21 + 12 + zlibBytes + 12);
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

    chunk = startChunk(out, static_cast<uint32_t>(zlibBytes), "IDAT");
    out.append("\x78\x01", 2);  // deflate, 32K window, no preset dictionary, level "fastest"
    StoredBlocks stored(out, raw);
    std::string row;
    for (unsigned y = 0; y < height; ++y) {
        packRow(FreeImage_GetScanLine(bitmap, static_cast<int>(height - 1 - y)), width, inStep,
                picture.hasAlpha, row);
        stored.append(row.data(), row.size());
    }
    putU32(out, stored.adler());
    finishChunk(out, chunk);
    chunk = startChunk(out, 0, "IEND");
    finishChunk(out, chunk);
    return out;
}

}  // namespace plotvale::engine
