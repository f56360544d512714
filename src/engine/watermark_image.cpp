// The image watermark: a picture file drawn on a canvas of its size with a
// constant opacity, optionally greyed first.

#include <FreeImage.h>

#include <algorithm>

#include "canvas/canvas_bitmap.h"
#include "canvas/canvas_bitmap.h"
#include "engine/codec_messages.h"
#include "engine/watermark.h"

namespace plotvale::engine {
namespace {

using canvas::Bitmap;

Bitmap loadPicture(const std::string& path) {
    silenceCodecMessages();  // a broken file must not print on the console
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return Bitmap();
    return Bitmap(FreeImage_Load(format, path.c_str(), 0));
}

// Any picture FreeImage reads as 32 bits with straight alpha.
Bitmap to32Bits(FIBITMAP* picture) {
    Bitmap converted(FreeImage_ConvertTo32Bits(picture));
    if (converted || FreeImage_GetImageType(picture) == FIT_BITMAP) return converted;
    const Bitmap standard(FreeImage_ConvertToStandardType(picture, TRUE));
    return standard ? Bitmap(FreeImage_ConvertTo32Bits(standard.get())) : Bitmap();
}

// grey = (77 red + 150 green + 29 blue) / 256 in every colour channel; the
// alpha stays.
void greyPixels(FIBITMAP* picture) {
    const unsigned width = FreeImage_GetWidth(picture);
    for (unsigned y = 0; y < FreeImage_GetHeight(picture); ++y) {
        BYTE* px = FreeImage_GetScanLine(picture, static_cast<int>(y));
        for (unsigned x = 0; x < width; ++x, px += 4) {
            const auto grey = static_cast<BYTE>(
                (77 * px[FI_RGBA_RED] + 150 * px[FI_RGBA_GREEN] + 29 * px[FI_RGBA_BLUE]) >> 8);
            px[FI_RGBA_RED] = px[FI_RGBA_GREEN] = px[FI_RGBA_BLUE] = grey;
        }
    }
}

}  // namespace

Bitmap makeImageWatermark(const settings::WatermarkSettings& watermark) {
    const Bitmap picture = loadPicture(watermark.image);
    if (!picture) return Bitmap();
    const bool hasAlpha = FreeImage_GetBPP(picture.get()) == 32;
    const Bitmap source = to32Bits(picture.get());
    if (!source) return Bitmap();
    if (watermark.imageGreyscale != 0) greyPixels(source.get());
    const auto image = canvas::fromBitmap(source.get());
    auto canvas = canvas::Canvas::create(image ? image->width() : 0, image ? image->height() : 0);
    if (!canvas) return Bitmap();
    // A picture without alpha covers an opaque black box, whatever its opacity.
    if (!hasAlpha) canvas->clear({0, 0, 0, 255});
    canvas->drawCanvas(*image, {0, 0}, std::clamp(watermark.imageOpacity, 0, 255) / 255.0);
    return canvas::toBitmap(*canvas);
}

}  // namespace plotvale::engine
