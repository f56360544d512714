#include "engine/icon_writer.h"

#include <cstdint>
#include <cstring>

#include "engine/save_image.h"

namespace plotvale::engine {

namespace {

constexpr size_t FileHeaderBytes = 14;  // the BMP file header an icon leaves out
constexpr size_t InfoHeaderBytes = 40;
constexpr unsigned LargestIconSide = 256;

void putWord(std::string& out, uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void putDword(std::string& out, uint32_t value) {
    putWord(out, static_cast<uint16_t>(value & 0xFFFF));
    putWord(out, static_cast<uint16_t>(value >> 16));
}

// The AND mask: one bit per pixel, rows padded to 32 bits, all clear so
// every pixel shows (32-bit pictures carry their own alpha).
std::string opaqueMask(unsigned width, unsigned height) {
    const size_t rowBytes = ((width + 31) / 32) * 4;
    return std::string(rowBytes * height, '\0');
}

// FreeImage writes 16-bit BMPs with explicit channel masks. Icon readers
// expect plain 5-5-5 pixels without masks, which is what those masks say.
void dropDefaultBitfields(std::string& image) {
    constexpr uint32_t BiRgb = 0;
    constexpr uint32_t BiBitfields = 3;
    constexpr uint32_t Masks555[3] = {FI16_555_RED_MASK, FI16_555_GREEN_MASK, FI16_555_BLUE_MASK};
    uint32_t compression = 0;
    std::memcpy(&compression, image.data() + 16, sizeof compression);
    if (compression != BiBitfields || image.size() < InfoHeaderBytes + sizeof Masks555) return;
    if (std::memcmp(image.data() + InfoHeaderBytes, Masks555, sizeof Masks555) != 0) return;
    image.erase(InfoHeaderBytes, sizeof Masks555);
    std::memcpy(image.data() + 16, &BiRgb, sizeof BiRgb);
}

}  // namespace

std::optional<std::string> encodeIcon(FIBITMAP* bitmap) {
    if (bitmap == nullptr || FreeImage_GetImageType(bitmap) != FIT_BITMAP) return std::nullopt;
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    if (width == 0 || height == 0 || width > LargestIconSide || height > LargestIconSide) {
        return std::nullopt;
    }
    const auto bmp = encodeBmp(bitmap, BMP_DEFAULT);
    if (!bmp || bmp->size() < FileHeaderBytes + InfoHeaderBytes) return std::nullopt;

    // The image data is the BMP without its file header; the info header
    // counts the colour and mask rows together, so its height doubles.
    std::string image = bmp->substr(FileHeaderBytes);
    const int32_t doubled = static_cast<int32_t>(height * 2);
    std::memcpy(image.data() + 8, &doubled, sizeof doubled);
    dropDefaultBitfields(image);
    image += opaqueMask(width, height);

    const unsigned bpp = FreeImage_GetBPP(bitmap);
    std::string icon;
    putWord(icon, 0);  // reserved
    putWord(icon, 1);  // icon, not cursor
    putWord(icon, 1);  // one image
    icon += static_cast<char>(width == LargestIconSide ? 0 : width);
    icon += static_cast<char>(height == LargestIconSide ? 0 : height);
    icon += static_cast<char>(bpp < 8 ? (1u << bpp) : 0u);  // colours in the palette
    icon += '\0';
    putWord(icon, 1);  // planes
    putWord(icon, static_cast<uint16_t>(bpp));
    putDword(icon, static_cast<uint32_t>(image.size()));
    putDword(icon, 6 + 16);  // the image follows the directory
    return icon + image;
}

}  // namespace plotvale::engine
