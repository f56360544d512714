#include "engine/image_operations.h"

namespace plotvale::engine {

Bitmap greyscaleImage(Bitmap bitmap, const ConverterSettings& settings) {
    if (!bitmap || settings.adjustment.doImageGreyscale == 0) return bitmap;
    if (bitmapDepth(bitmap) > 32) bitmap = convertTo24Bits(std::move(bitmap));
    if (!bitmap) return bitmap;
    return Bitmap(FreeImage_ConvertToGreyscale(bitmap.get()));
}

}  // namespace plotvale::engine
