#include "engine/image_operations.h"

namespace plotvale::engine {

Bitmap adjustColors(Bitmap bitmap, const ConverterSettings& settings) {
    const auto& adjustment = settings.adjustment;
    if (!bitmap || adjustment.doImageColorCorrection == 0) return bitmap;
    const int depth = bitmapDepth(bitmap);
    if (depth < 8 || depth > 32) bitmap = convertTo24Bits(std::move(bitmap));
    if (!bitmap) return bitmap;
    // A picture FreeImage cannot adjust simply stays as it is.
    FreeImage_AdjustColors(bitmap.get(), static_cast<double>(adjustment.imageBrightness),
                           static_cast<double>(adjustment.imageContrast),
                           static_cast<double>(adjustment.imageGamma), adjustment.imageInvert != 0);
    return bitmap;
}

}  // namespace plotvale::engine
