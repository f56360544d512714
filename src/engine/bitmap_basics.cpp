#include "engine/image_operations.h"

namespace plotvale::engine {

Bitmap convertTo24Bits(Bitmap bitmap) {
    if (!bitmap) return bitmap;
    return Bitmap(FreeImage_ConvertTo24Bits(bitmap.get()));
}

int bitmapWidth(const Bitmap& bitmap) {
    return bitmap ? static_cast<int>(FreeImage_GetWidth(bitmap.get())) : 0;
}

int bitmapHeight(const Bitmap& bitmap) {
    return bitmap ? static_cast<int>(FreeImage_GetHeight(bitmap.get())) : 0;
}

int bitmapDepth(const Bitmap& bitmap) {
    return bitmap ? static_cast<int>(FreeImage_GetBPP(bitmap.get())) : 0;
}

}  // namespace plotvale::engine
