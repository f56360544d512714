#include "engine/image_operations.h"

namespace plotvale::engine {

Bitmap thresholdImage(Bitmap bitmap, const ConverterSettings& settings) {
    const auto& adjustment = settings.adjustment;
    if (!bitmap || adjustment.doImageThreshold == 0) return bitmap;
    const int depth = bitmapDepth(bitmap);
    if (depth > 32 || depth < 4) bitmap = convertTo24Bits(std::move(bitmap));
    if (!bitmap) return bitmap;
    return Bitmap(
        FreeImage_Threshold(bitmap.get(), static_cast<BYTE>(adjustment.imageThreshold)));
}

}  // namespace plotvale::engine
