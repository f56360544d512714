#include "engine/ink_separation.h"

#include <algorithm>

namespace plotvale::engine {
namespace {

// A colour channel laid over white paper with the pixel's alpha.
int overWhite(int channel, int alpha) {
    return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
}

// The usual device separation: black takes the common part of the three
// colours, cyan, magenta and yellow the rest of each, relative to the
// light left over by the black.
void separatePixel(BYTE* pixel) {
    const int alpha = pixel[FI_RGBA_ALPHA];
    const int red = overWhite(pixel[FI_RGBA_RED], alpha);
    const int green = overWhite(pixel[FI_RGBA_GREEN], alpha);
    const int blue = overWhite(pixel[FI_RGBA_BLUE], alpha);
    const int light = std::max({red, green, blue});
    const auto ink = [light](int channel) {
        return light == 0 ? 0 : ((light - channel) * 255 + light / 2) / light;
    };
    pixel[0] = static_cast<BYTE>(ink(red));
    pixel[1] = static_cast<BYTE>(ink(green));
    pixel[2] = static_cast<BYTE>(ink(blue));
    pixel[3] = static_cast<BYTE>(255 - light);
}

}  // namespace

canvas::Bitmap separateInks(FIBITMAP* bitmap) {
    if (FreeImage_GetImageType(bitmap) != FIT_BITMAP || FreeImage_GetBPP(bitmap) != 32)
        return canvas::Bitmap();
    canvas::Bitmap inks(FreeImage_Clone(bitmap));
    if (!inks) return inks;
    const unsigned width = FreeImage_GetWidth(inks.get());
    for (unsigned y = 0; y < FreeImage_GetHeight(inks.get()); ++y) {
        BYTE* pixel = FreeImage_GetScanLine(inks.get(), static_cast<int>(y));
        for (unsigned x = 0; x < width; ++x, pixel += 4) separatePixel(pixel);
    }
    return inks;
}

}  // namespace plotvale::engine
