#include "engine/jxr_writer.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "engine/jxr_encoder.h"
#include "platform/file_system.h"

namespace plotvale::engine {
namespace {

JxrPicture emptyPicture(FIBITMAP* bitmap, JxrLayout layout, uint32_t stride) {
    JxrPicture picture;
    picture.layout = layout;
    picture.width = FreeImage_GetWidth(bitmap);
    picture.height = FreeImage_GetHeight(bitmap);
    picture.stride = stride;
    picture.rows.resize(static_cast<size_t>(stride) * picture.height);
    return picture;
}

uint8_t* rowAt(JxrPicture& picture, uint32_t row) {
    return picture.rows.data() + static_cast<size_t>(row) * picture.stride;
}

// FreeImage stores rows bottom-up.
const BYTE* sourceRow(FIBITMAP* bitmap, uint32_t row) {
    return FreeImage_GetScanLine(bitmap, static_cast<int>(FreeImage_GetHeight(bitmap) - 1 - row));
}

// The rows as they are, for layouts jxrlib shares with FreeImage.
JxrPicture copiedPicture(FIBITMAP* bitmap, JxrLayout layout) {
    const uint32_t rowBytes = (FreeImage_GetWidth(bitmap) * FreeImage_GetBPP(bitmap) + 7) / 8;
    JxrPicture picture = emptyPicture(bitmap, layout, rowBytes);
    for (uint32_t row = 0; row < picture.height; ++row)
        std::memcpy(rowAt(picture, row), sourceRow(bitmap, row), rowBytes);
    return picture;
}

unsigned paletteIndex(const BYTE* line, uint32_t x, unsigned bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1: return (line[x / 8] >> (7 - x % 8)) & 1U;
        case 4: return (line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15U;
        default: return line[x];
    }
}

bool isWhite(const RGBQUAD& colour) {
    return colour.rgbRed == 255 && colour.rgbGreen == 255 && colour.rgbBlue == 255;
}

bool isBlack(const RGBQUAD& colour) {
    return colour.rgbRed == 0 && colour.rgbGreen == 0 && colour.rgbBlue == 0;
}

bool isBlackAndWhite(const RGBQUAD* palette, unsigned colours) {
    return colours == 2 && ((isBlack(palette[0]) && isWhite(palette[1])) ||
                            (isWhite(palette[0]) && isBlack(palette[1])));
}

bool isGrey(const RGBQUAD* palette, unsigned colours) {
    for (unsigned i = 0; i < colours; ++i) {
        if (palette[i].rgbRed != palette[i].rgbGreen || palette[i].rgbRed != palette[i].rgbBlue)
            return false;
    }
    return true;
}

JxrPicture blackAndWhitePicture(FIBITMAP* bitmap, const RGBQUAD* palette) {
    JxrPicture picture =
        emptyPicture(bitmap, JxrLayout::BlackWhite, (FreeImage_GetWidth(bitmap) + 7) / 8);
    for (uint32_t row = 0; row < picture.height; ++row) {
        const BYTE* line = sourceRow(bitmap, row);
        uint8_t* target = rowAt(picture, row);
        for (uint32_t x = 0; x < picture.width; ++x) {
            if (isWhite(palette[paletteIndex(line, x, 1)]))
                target[x / 8] = static_cast<uint8_t>(target[x / 8] | (0x80U >> (x % 8)));
        }
    }
    return picture;
}

JxrPicture greyPicture(FIBITMAP* bitmap, const RGBQUAD* palette) {
    JxrPicture picture = emptyPicture(bitmap, JxrLayout::Grey8, FreeImage_GetWidth(bitmap));
    const unsigned bitsPerPixel = FreeImage_GetBPP(bitmap);
    for (uint32_t row = 0; row < picture.height; ++row) {
        const BYTE* line = sourceRow(bitmap, row);
        uint8_t* target = rowAt(picture, row);
        for (uint32_t x = 0; x < picture.width; ++x)
            target[x] = palette[paletteIndex(line, x, bitsPerPixel)].rgbRed;
    }
    return picture;
}

JxrPicture colourPicture(FIBITMAP* bitmap, const RGBQUAD* palette) {
    JxrPicture picture = emptyPicture(bitmap, JxrLayout::Bgr24, 3 * FreeImage_GetWidth(bitmap));
    const unsigned bitsPerPixel = FreeImage_GetBPP(bitmap);
    for (uint32_t row = 0; row < picture.height; ++row) {
        const BYTE* line = sourceRow(bitmap, row);
        uint8_t* target = rowAt(picture, row);
        for (uint32_t x = 0; x < picture.width; ++x) {
            const RGBQUAD& colour = palette[paletteIndex(line, x, bitsPerPixel)];
            target[3 * x] = colour.rgbBlue;
            target[3 * x + 1] = colour.rgbGreen;
            target[3 * x + 2] = colour.rgbRed;
        }
    }
    return picture;
}

// JPEG XR has no palette formats: the colours themselves are written.
std::optional<JxrPicture> palettePicture(FIBITMAP* bitmap) {
    const RGBQUAD* palette = FreeImage_GetPalette(bitmap);
    const unsigned colours = FreeImage_GetColorsUsed(bitmap);
    if (palette == nullptr || colours < (1U << FreeImage_GetBPP(bitmap))) return std::nullopt;
    if (isBlackAndWhite(palette, colours)) return blackAndWhitePicture(bitmap, palette);
    if (isGrey(palette, colours)) return greyPicture(bitmap, palette);
    return colourPicture(bitmap, palette);
}

std::optional<JxrPicture> sixteenBitPicture(FIBITMAP* bitmap) {
    const unsigned red = FreeImage_GetRedMask(bitmap);
    const unsigned green = FreeImage_GetGreenMask(bitmap);
    const unsigned blue = FreeImage_GetBlueMask(bitmap);
    if (red == FI16_565_RED_MASK && green == FI16_565_GREEN_MASK && blue == FI16_565_BLUE_MASK)
        return copiedPicture(bitmap, JxrLayout::Bgr565);
    if (red == FI16_555_RED_MASK && green == FI16_555_GREEN_MASK && blue == FI16_555_BLUE_MASK)
        return copiedPicture(bitmap, JxrLayout::Bgr555);
    return std::nullopt;
}

std::optional<JxrPicture> pictureOf(FIBITMAP* bitmap) {
    switch (FreeImage_GetImageType(bitmap)) {
        case FIT_RGB16: return copiedPicture(bitmap, JxrLayout::Rgb48);
        case FIT_RGBF: return copiedPicture(bitmap, JxrLayout::RgbFloat96);
        case FIT_BITMAP: break;
        default: return std::nullopt;
    }
    switch (FreeImage_GetBPP(bitmap)) {
        case 1:
        case 4:
        case 8: return palettePicture(bitmap);
        case 16: return sixteenBitPicture(bitmap);
        case 24: return copiedPicture(bitmap, JxrLayout::Bgr24);
        case 32: return copiedPicture(bitmap, JxrLayout::Bgra32);
        default: return std::nullopt;
    }
}

float dotsPerInch(unsigned dotsPerMetre) {
    return dotsPerMetre > 0 ? static_cast<float>(std::round(dotsPerMetre * 0.0254)) : 96.0F;
}

}  // namespace

std::optional<std::string> jpegXrBytes(FIBITMAP* bitmap) {
    if (bitmap == nullptr || !FreeImage_HasPixels(bitmap)) return std::nullopt;
    std::optional<JxrPicture> picture = pictureOf(bitmap);
    if (!picture) return std::nullopt;
    picture->dotsPerInchX = dotsPerInch(FreeImage_GetDotsPerMeterX(bitmap));
    picture->dotsPerInchY = dotsPerInch(FreeImage_GetDotsPerMeterY(bitmap));
    return encodeJpegXr(*picture);
}

bool writeJpegXr(FIBITMAP* bitmap, const std::string& path) {
    const auto bytes = jpegXrBytes(bitmap);
    return bytes && platform::writeFile(path, *bytes);
}

}  // namespace plotvale::engine
