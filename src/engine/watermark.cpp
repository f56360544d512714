// The watermark step: make the text or image watermark, rotate it, cut it to
// the picture, place it at one of nine anchors and composite it.

#include <FreeImage.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/image_operations.h"
#include "engine/overlay_composite.h"
#include "engine/overlays.h"
#include "engine/watermark.h"
#include "platform/clock.h"

namespace plotvale::engine {
namespace {

constexpr int8_t TextWatermark = 1;
constexpr int8_t ImageWatermark = 2;
constexpr int8_t FrameBoundary = 1;

Bitmap makeWatermark(const settings::ConverterSettings& settings, const ConversionJob& job,
                     const canvas::Font* font) {
    const auto& w = settings.watermark;
    if (w.doWatermark == ImageWatermark) return makeImageWatermark(w);
    if (w.doWatermark != TextWatermark || font == nullptr) return Bitmap();
    const WallClock clock = [] { return int64_t{platform::nowLocalWallClockSeconds()}; };
    return makeTextWatermark(w, *font, expandWatermarkText(w, job, clock));
}

// The watermark pasted at alpha 255 on a transparent layer of its size, as
// FreeImage_Paste blends it (which scales every channel by 255/256).
Bitmap pasteOnLayer(FIBITMAP* watermark) {
    const auto width = static_cast<int>(FreeImage_GetWidth(watermark));
    const auto height = static_cast<int>(FreeImage_GetHeight(watermark));
    Bitmap layer(FreeImage_AllocateT(FIT_BITMAP, width, height,
                                     static_cast<int>(FreeImage_GetBPP(watermark))));
    if (!layer || !FreeImage_Paste(layer.get(), watermark, 0, 0, 255)) return Bitmap();
    return layer;
}

// Positions far outside the picture stay far outside.
int clampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

}  // namespace

WatermarkLayout watermarkLayout(const settings::ConverterSettings& settings) {
    const auto& w = settings.watermark;
    const bool image = w.doWatermark == ImageWatermark;
    WatermarkLayout layout;
    layout.rotation = image ? w.imageRotation : w.textRotation;
    layout.position = image ? w.imagePosition : w.textPosition;
    layout.xOffset = image ? w.imageXOffset : w.textXOffset;
    layout.yOffset = image ? w.imageYOffset : w.textYOffset;
    if (settings.frame.doFrame != 0 &&
        (image ? w.imageBoundary : w.textBoundary) == FrameBoundary) {
        layout.frameLeft = settings.frame.solidLeft;
        layout.frameRight = settings.frame.solidRight;
        layout.frameTop = settings.frame.solidTop;
        layout.frameBottom = settings.frame.solidBottom;
    }
    return layout;
}

Bitmap rotateWatermark(Bitmap watermark, const WatermarkLayout& layout) {
    if (!watermark || layout.rotation <= 0 || layout.rotation >= 360) return watermark;
    return Bitmap(FreeImage_Rotate(watermark.get(), layout.rotation, nullptr));
}

Bitmap fitWatermark(Bitmap watermark, const WatermarkLayout& layout, int width, int height) {
    if (!watermark) return watermark;
    const int64_t areaWidth = int64_t{width} - layout.frameLeft - layout.frameRight;
    const int64_t areaHeight = int64_t{height} - layout.frameTop - layout.frameBottom;
    const int64_t markWidth = bitmapWidth(watermark);
    const int64_t markHeight = bitmapHeight(watermark);
    const int64_t fitWidth =
        markWidth + layout.xOffset > areaWidth ? areaWidth - layout.xOffset : markWidth;
    const int64_t fitHeight =
        markHeight + layout.yOffset > areaHeight ? areaHeight - layout.yOffset : markHeight;
    if (fitWidth == markWidth && fitHeight == markHeight) return watermark;
    if (fitWidth <= 0 || fitHeight <= 0) return Bitmap();
    return Bitmap(FreeImage_Copy(watermark.get(), 0, 0, static_cast<int>(fitWidth),
                                 static_cast<int>(fitHeight)));
}

WatermarkPosition placeWatermark(const WatermarkLayout& layout, int width, int height,
                                 int markWidth, int markHeight) {
    // In 64 bits, so that no offset or frame width can overflow.
    const int64_t a = int64_t{width} - layout.frameLeft - layout.frameRight;
    const int64_t b = int64_t{height} - layout.frameTop - layout.frameBottom;
    const int64_t ox = layout.xOffset;
    const int64_t oy = layout.yOffset;
    const int64_t left = ox, centre = (a - markWidth) / 2, right = a - markWidth - ox;
    const int64_t top = oy, middle = (b - markHeight) / 2, bottom = b - markHeight - oy;
    int64_t x = 0;
    int64_t y = 0;
    switch (layout.position) {
    case 0: x = left, y = top; break;
    case 1: x = centre, y = top; break;
    case 2: x = right, y = top; break;
    case 3: x = left, y = middle; break;
    case 4: x = centre, y = middle; break;
    case 5: x = right, y = middle; break;
    case 6: x = left, y = bottom; break;
    case 7: x = centre, y = bottom; break;
    case 8: x = right, y = bottom; break;
    default: break;  // the area's corner
    }
    return {clampToInt(x + layout.frameLeft), clampToInt(y + layout.frameTop)};
}

Bitmap applyWatermark(Bitmap bitmap, const settings::ConverterSettings& settings,
                      const ConversionJob& job, const canvas::Font* watermarkFont, int width,
                      int height) {
    if (settings.watermark.doWatermark == 0 || !bitmap) return bitmap;
    if (bitmapDepth(bitmap) != 24) bitmap = convertTo24Bits(std::move(bitmap));
    Bitmap watermark = makeWatermark(settings, job, watermarkFont);
    if (!bitmap || !watermark) return bitmap;

    const WatermarkLayout layout = watermarkLayout(settings);
    watermark = fitWatermark(rotateWatermark(std::move(watermark), layout), layout, width, height);
    if (!watermark) return bitmap;
    const int markWidth = bitmapWidth(watermark);
    const int markHeight = bitmapHeight(watermark);
    const WatermarkPosition at = placeWatermark(layout, width, height, markWidth, markHeight);
    // A watermark not wholly inside the picture is left out.
    if (at.x < 0 || at.y < 0 || at.x > width - markWidth || at.y > height - markHeight)
        return bitmap;
    const Bitmap layer = pasteOnLayer(watermark.get());
    if (!layer || !compositeOver(bitmap.get(), layer.get(), at.x, at.y)) return Bitmap();
    return bitmap;
}

}  // namespace plotvale::engine
