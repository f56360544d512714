#include "engine/image_operations.h"
#include "engine/rounding.h"

namespace plotvale::engine {
namespace {

constexpr int32_t UnitPixels = 0;
constexpr int32_t UnitPercent = 1;
constexpr int8_t ResizeLargeImagesOnly = 1;

struct Size {
    int width = 0;
    int height = 0;
};

// With the aspect ratio kept only the target of the longer side counts.
Size keepAspectRatio(int width, int height, int targetWidth, int targetHeight) {
    if (width >= height) {
        const float ratio = static_cast<float>(width) / static_cast<float>(height);
        return {targetWidth, saturatingInt32(roundHalfAwayFromZero(
                                 static_cast<float>(targetWidth) / ratio))};
    }
    const float ratio = static_cast<float>(height) / static_cast<float>(width);
    return {saturatingInt32(roundHalfAwayFromZero(static_cast<float>(targetHeight) / ratio)),
            targetHeight};
}

}  // namespace

int32_t resizeTarget(int32_t value, int32_t unit, int32_t current) {
    if (unit == UnitPixels) return value;
    if (unit == UnitPercent) return saturatingInt32(roundHalfToEven(value / 100.0 * current));
    return 0;
}

FREE_IMAGE_FILTER resizeFilter(const ConverterSettings& settings) {
    switch (settings.transform.imageResizeAlgorithm) {
        case 0: return FILTER_BOX;
        case 1: return FILTER_BILINEAR;
        case 2: return FILTER_BSPLINE;
        case 3: return FILTER_BICUBIC;
        case 4: return FILTER_CATMULLROM;
        case 5: return FILTER_LANCZOS3;
        default: return FILTER_BICUBIC;
    }
}

Bitmap resizeImage(Bitmap bitmap, const ConverterSettings& settings, int width, int height) {
    const auto& transform = settings.transform;
    if (!bitmap || transform.doImageResize == 0) return bitmap;
    const int targetWidth = resizeTarget(transform.imageWidth, transform.imageWidthUnit, width);
    const int targetHeight = resizeTarget(transform.imageHeight, transform.imageHeightUnit, height);
    if (targetWidth < 1 || targetHeight < 1) return bitmap;
    if (width == targetWidth && height == targetHeight) return bitmap;
    if (transform.imageResizeType == ResizeLargeImagesOnly && width < targetWidth &&
        height < targetHeight)
        return bitmap;

    Size size{targetWidth, targetHeight};
    if (transform.keepAspectRatio != 0 && width > 0 && height > 0)
        size = keepAspectRatio(width, height, targetWidth, targetHeight);
    return Bitmap(FreeImage_Rescale(bitmap.get(), size.width, size.height, resizeFilter(settings)));
}

}  // namespace plotvale::engine
