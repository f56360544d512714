#include "wmf/dib.h"

#include <FreeImage.h>

#include <bit>

#include "canvas/freeimage_bitmap.h"
#include "wmf/record_reader.h"

namespace plotvale::wmf {
namespace {

struct DibHeader {
    std::uint32_t headerSize = 0;
    long long width = 0;
    long long height = 0;  // negative: top-down
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    bool core = false;
    std::uint32_t masks[3] = {0, 0, 0};
};

std::optional<DibHeader> readHeader(std::string_view dib) {
    DibHeader h;
    h.headerSize = readU32(dib, 0);
    if (h.headerSize == 12) {
        if (dib.size() < 12) return std::nullopt;
        h.core = true;
        h.width = readU16(dib, 4);
        h.height = readU16(dib, 6);
        h.bits = readU16(dib, 10);
    } else if (h.headerSize >= 40 && h.headerSize <= dib.size()) {
        h.width = static_cast<std::int32_t>(readU32(dib, 4));
        h.height = static_cast<std::int32_t>(readU32(dib, 8));
        h.bits = readU16(dib, 14);
        h.compression = readU32(dib, 16);
        h.colorsUsed = readU32(dib, 32);
        // The masks follow a 40-byte header (BI_BITFIELDS) or are part of a larger one.
        if (h.headerSize >= 52 || h.compression == 3)
            for (int i = 0; i < 3; ++i) h.masks[i] = readU32(dib, 40 + 4 * i);
    } else {
        return std::nullopt;
    }
    return h;
}

std::size_t paletteCount(const DibHeader& h) {
    if (h.bits <= 8) {
        const std::size_t full = std::size_t{1} << std::max(h.bits, 1);
        return h.colorsUsed == 0 || h.colorsUsed > full ? full : h.colorsUsed;
    }
    return h.core ? 0 : std::min<std::uint32_t>(h.colorsUsed, 256);
}

std::size_t maskBytes(const DibHeader& h) {
    return (h.headerSize == 40 && h.compression == 3) ? 12 : 0;
}

std::vector<std::uint32_t> readPalette(std::string_view dib, const DibHeader& h, int colorUsage,
                                       const std::vector<std::uint32_t>& logical) {
    std::vector<std::uint32_t> colors;
    const std::size_t count = h.bits <= 8 ? paletteCount(h) : 0;
    std::size_t at = h.headerSize + maskBytes(h);
    for (std::size_t i = 0; i < count; ++i) {
        if (colorUsage == 1) {
            const std::uint16_t index = readU16(dib, at + 2 * i);
            colors.push_back(index < logical.size() ? logical[index] : (index & 1 ? 0xFFFFFFu : 0));
        } else if (h.core) {
            const std::size_t p = at + 3 * i;
            colors.push_back(p + 3 <= dib.size() ? (readU32(dib, p) & 0xFFFFFFu) : 0);
        } else {
            colors.push_back(readU32(dib, at + 4 * i) & 0xFFFFFFu);
        }
    }
    return colors;
}

std::uint32_t channelFromMask(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255 / max;
}

std::uint32_t bitfieldPixel(std::uint32_t v, const std::uint32_t masks[3]) {
    return channelFromMask(v, masks[0]) << 16 | channelFromMask(v, masks[1]) << 8 |
           channelFromMask(v, masks[2]);
}

// Uncompressed rows; 'row' is the storage row, y the image row.
void decodeRows(std::string_view bits, const DibHeader& h, const std::vector<std::uint32_t>& pal,
                Image& img, bool topDown) {
    const std::size_t stride = ((static_cast<std::size_t>(img.width) * h.bits + 31) / 32) * 4;
    std::uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
    if (h.compression != 3 || (masks[0] | masks[1] | masks[2]) == 0) {
        if (h.bits == 16) { masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F; }
        else { masks[0] = 0xFF0000; masks[1] = 0xFF00; masks[2] = 0xFF; }
    }
    auto color = [&](std::size_t index) { return index < pal.size() ? pal[index] : 0u; };
    for (int row = 0; row < img.height; ++row) {
        const std::size_t base = static_cast<std::size_t>(row) * stride;
        if (base >= bits.size()) break;
        const int y = topDown ? row : img.height - 1 - row;
        std::uint32_t* out = &img.pixels[static_cast<std::size_t>(y) * img.width];
        auto byte = [&](std::size_t i) -> std::uint32_t {
            return base + i < bits.size() ? static_cast<unsigned char>(bits[base + i]) : 0u;
        };
        for (int x = 0; x < img.width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            switch (h.bits) {
            case 1: out[x] = color((byte(ux / 8) >> (7 - ux % 8)) & 1); break;
            case 2: out[x] = color((byte(ux / 4) >> (6 - 2 * (ux % 4))) & 3); break;
            case 4: out[x] = color((byte(ux / 2) >> (ux % 2 ? 0 : 4)) & 15); break;
            case 8: out[x] = color(byte(ux)); break;
            case 16: out[x] = bitfieldPixel(byte(2 * ux) | byte(2 * ux + 1) << 8, masks); break;
            case 24: out[x] = byte(3 * ux) | byte(3 * ux + 1) << 8 | byte(3 * ux + 2) << 16; break;
            case 32:
                out[x] = bitfieldPixel(byte(4 * ux) | byte(4 * ux + 1) << 8 | byte(4 * ux + 2) << 16 |
                                           byte(4 * ux + 3) << 24, masks);
                break;
            default: out[x] = 0; break;
            }
        }
    }
}

// BI_RLE8 / BI_RLE4, bottom-up; every write is checked against the image.
// Pixels that deltas, ends of line and an early end of the bitmap skip stay
// kUnpainted.
void decodeRle(std::string_view bits, int bitCount, const std::vector<std::uint32_t>& pal, Image& img) {
    auto color = [&](std::size_t index) { return index < pal.size() ? pal[index] : 0u; };
    long long x = 0, row = 0;
    auto put = [&](std::size_t index) {
        if (x >= 0 && x < img.width && row >= 0 && row < img.height)
            img.pixels[static_cast<std::size_t>(img.height - 1 - row) * img.width + x] = color(index);
        ++x;
    };
    std::size_t i = 0;
    auto next = [&]() -> unsigned { return i < bits.size() ? static_cast<unsigned char>(bits[i++]) : 0u; };
    while (i + 1 < bits.size() && row < img.height) {
        const unsigned count = next(), value = next();
        if (count > 0) {
            for (unsigned k = 0; k < count && x < img.width; ++k)
                put(bitCount == 8 ? value : (k % 2 == 0 ? value >> 4 : value & 15));
        } else if (value == 0) { x = 0; ++row; }
        else if (value == 1) { break; }
        else if (value == 2) { x += next(); row += next(); }
        else {
            const std::size_t bytes = bitCount == 8 ? value : (value + 1) / 2;
            const std::size_t start = i;
            for (unsigned k = 0; k < value; ++k) {
                const std::size_t at = start + (bitCount == 8 ? k : k / 2);
                const unsigned b = at < bits.size() ? static_cast<unsigned char>(bits[at]) : 0u;
                put(bitCount == 8 ? b : (k % 2 == 0 ? b >> 4 : b & 15));
            }
            i = start + bytes + (bytes % 2);
        }
    }
}

// The payload's size is read from its header first, so a picture larger
// than maxPixels is refused before its pixels are allocated.
std::optional<Image> decodeEmbedded(std::string_view payload, long long maxPixels) {
    FIMEMORY* memory = FreeImage_OpenMemory(reinterpret_cast<BYTE*>(const_cast<char*>(payload.data())),
                                            static_cast<DWORD>(payload.size()));
    if (memory == nullptr) return std::nullopt;
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory, 0);
    const bool known = format == FIF_JPEG || format == FIF_PNG;
    canvas::Bitmap header(known ? FreeImage_LoadFromMemory(format, memory, FIF_LOAD_NOPIXELS) : nullptr);
    const bool fits = header && static_cast<long long>(FreeImage_GetWidth(header.get())) *
                                        FreeImage_GetHeight(header.get()) <= maxPixels;
    FreeImage_SeekMemory(memory, 0, SEEK_SET);
    canvas::Bitmap loaded(fits ? FreeImage_LoadFromMemory(format, memory, 0) : nullptr);
    FreeImage_CloseMemory(memory);
    if (!loaded) return std::nullopt;
    canvas::Bitmap rgb(FreeImage_ConvertTo32Bits(loaded.get()));
    if (!rgb) return std::nullopt;
    Image img;
    img.width = static_cast<int>(FreeImage_GetWidth(rgb.get()));
    img.height = static_cast<int>(FreeImage_GetHeight(rgb.get()));
    if (static_cast<long long>(img.width) * img.height > maxPixels) return std::nullopt;
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height);
    for (int y = 0; y < img.height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(rgb.get(), img.height - 1 - y);
        for (int x = 0; x < img.width; ++x) {
            const BYTE* p = line + 4 * x;
            img.pixels[static_cast<std::size_t>(y) * img.width + x] =
                static_cast<std::uint32_t>(p[FI_RGBA_RED]) << 16 | static_cast<std::uint32_t>(p[FI_RGBA_GREEN]) << 8 | p[FI_RGBA_BLUE];
        }
    }
    return img;
}

// A header may claim far more pixels than its data can hold: an image is
// allocated for what the data could describe (with room for a truncated
// file), never more. Every record decodes and samples its whole image, so
// the small-data allowance is kept small: thousands of tiny records each
// claiming a million pixels would otherwise cost seconds for a picture that
// shows nothing of them.
constexpr long long kSmallDataPixels = 1LL << 16;

bool dataCanDescribe(long long pixels, std::size_t dataBytes, int bits, bool runLengths) {
    const long long dataPixels = runLengths ? static_cast<long long>(dataBytes) * 255
                                            : static_cast<long long>(dataBytes) * 8 * 2 / std::max(bits, 1);
    return pixels <= std::max(dataPixels, kSmallDataPixels);
}

}  // namespace

std::size_t dibHeaderBytes(std::string_view dib) {
    const auto h = readHeader(dib);
    if (!h) return 0;
    return h->headerSize + maskBytes(*h) + paletteCount(*h) * (h->core ? 3 : 4);
}

std::optional<Image> decodeDib(std::string_view dib, int colorUsage,
                               const std::vector<std::uint32_t>& palette, long long maxPixels) {
    const auto h = readHeader(dib);
    if (!h || h->width <= 0 || h->height == 0) return std::nullopt;
    const long long height = h->height < 0 ? -h->height : h->height;
    maxPixels = std::min(maxPixels, kMaxImagePixels);
    if (h->width * height > maxPixels) return std::nullopt;
    std::size_t colorBytes = paletteCount(*h) * (colorUsage == 1 ? 2 : (h->core ? 3 : 4));
    const std::size_t offset = h->headerSize + maskBytes(*h) + colorBytes;
    const std::string_view bits = offset < dib.size() ? dib.substr(offset) : std::string_view();
    if (h->compression == 4 || h->compression == 5) return decodeEmbedded(bits, maxPixels);
    if (!dataCanDescribe(h->width * height, bits.size(), h->bits, h->compression == 1 || h->compression == 2))
        return std::nullopt;
    Image img;
    img.width = static_cast<int>(h->width);
    img.height = static_cast<int>(height);
    img.bottomUp = h->height > 0;
    const bool rle = h->compression == 1 || h->compression == 2;
    img.pixels.assign(static_cast<std::size_t>(h->width * height), rle ? Image::kUnpainted : 0u);
    const auto pal = readPalette(dib, *h, colorUsage, palette);
    if ((h->compression == 1 && h->bits == 8) || (h->compression == 2 && h->bits == 4))
        decodeRle(bits, h->bits, pal, img);
    else if (h->compression == 0 || h->compression == 3)
        decodeRows(bits, *h, pal, img, h->height < 0);
    else
        return std::nullopt;
    return img;
}

std::optional<Image> decodeBitmap16(std::string_view data, std::uint32_t foreground,
                                    std::uint32_t background, long long maxPixels) {
    const int width = static_cast<std::int16_t>(readU16(data, 2));
    const int height = static_cast<std::int16_t>(readU16(data, 4));
    const int widthBytes = static_cast<std::int16_t>(readU16(data, 6));
    const int bits = data.size() > 9 ? static_cast<unsigned char>(data[9]) : 0;
    const std::string_view raw = data.size() > 10 ? data.substr(10) : std::string_view();
    const long long pixels = static_cast<long long>(width) * height;
    if (width <= 0 || height <= 0 || widthBytes <= 0 || pixels > std::min(maxPixels, kMaxImagePixels))
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    if (!dataCanDescribe(pixels, raw.size(), bits, false)) return std::nullopt;
    Image img;
    img.width = width;
    img.height = height;
    img.pixels.assign(static_cast<std::size_t>(width) * height, background);
    // Without a colour table only monochrome and true-colour bits are meaningful;
    // 4 and 8 bits are drawn as grey levels.
    for (int y = 0; y < height; ++y) {
        const std::size_t base = static_cast<std::size_t>(y) * widthBytes;
        auto byte = [&](std::size_t i) -> std::uint32_t {
            return base + i < raw.size() ? static_cast<unsigned char>(raw[base + i]) : 0u;
        };
        for (int x = 0; x < width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            std::uint32_t c = 0;
            if (bits == 1) c = ((byte(ux / 8) >> (7 - ux % 8)) & 1) ? background : foreground;
            else if (bits == 4) { const std::uint32_t g = ((byte(ux / 2) >> (ux % 2 ? 0 : 4)) & 15) * 17; c = g * 0x010101u; }
            else if (bits == 8) c = byte(ux) * 0x010101u;
            else if (bits == 24) c = byte(3 * ux) | byte(3 * ux + 1) << 8 | byte(3 * ux + 2) << 16;
            else c = byte(4 * ux) | byte(4 * ux + 1) << 8 | byte(4 * ux + 2) << 16;
            img.pixels[static_cast<std::size_t>(y) * width + x] = c;
        }
    }
    return img;
}

}  // namespace plotvale::wmf
