#include "engine/image_operations.h"
#include "engine/parse_color.h"

namespace plotvale::engine {
namespace {

constexpr int8_t RotationSimple = 0;
constexpr int8_t RotationAdvanced = 1;

}  // namespace

Bitmap rotateImage(Bitmap bitmap, const ConverterSettings& settings) {
    const auto& transform = settings.transform;
    if (!bitmap || transform.doImageRotation == 0) return bitmap;
    if (transform.imageRotation <= 0 || transform.imageRotation >= 360) return bitmap;

    // Only 24- and 32-bit pictures are rotated as they are.
    const int depth = bitmapDepth(bitmap);
    if (depth <= 16 || depth > 32) bitmap = convertTo24Bits(std::move(bitmap));
    if (!bitmap) return bitmap;

    const double angle = transform.imageRotation;
    if (transform.imageRotationType == RotationSimple) {
        const RgbColor back = parseColor(transform.imageRotationBackColor);
        const RGBQUAD background{back.blue, back.green, back.red, 0};
        return Bitmap(FreeImage_Rotate(bitmap.get(), angle, &background));
    }
    if (transform.imageRotationType == RotationAdvanced) {
        // Turns about the centre, a half-pixel position for odd sizes.
        const double originX = bitmapWidth(bitmap) / 2.0;
        const double originY = bitmapHeight(bitmap) / 2.0;
        return Bitmap(FreeImage_RotateEx(bitmap.get(), angle, 0.0, 0.0, originX, originY, FALSE));
    }
    return bitmap;
}

}  // namespace plotvale::engine
