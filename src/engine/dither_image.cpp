#include "engine/image_operations.h"

namespace plotvale::engine {
namespace {

FREE_IMAGE_DITHER ditherAlgorithm(int8_t code) {
    switch (code) {
        case 0: return FID_FS;
        case 1: return FID_BAYER4x4;
        case 2: return FID_BAYER8x8;
        case 3: return FID_BAYER16x16;
        case 4: return FID_CLUSTER6x6;
        case 5: return FID_CLUSTER8x8;
        case 6: return FID_CLUSTER16x16;
        default: return FID_FS;
    }
}

}  // namespace

Bitmap ditherImage(Bitmap bitmap, const ConverterSettings& settings) {
    const auto& adjustment = settings.adjustment;
    if (!bitmap || adjustment.doImageDither == 0) return bitmap;
    const int depth = bitmapDepth(bitmap);
    if (depth > 32 || depth < 4) bitmap = convertTo24Bits(std::move(bitmap));
    if (!bitmap) return bitmap;
    return Bitmap(FreeImage_Dither(bitmap.get(), ditherAlgorithm(adjustment.imageDitherAlgorithm)));
}

}  // namespace plotvale::engine
