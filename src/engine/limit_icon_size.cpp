#include "engine/image_operations.h"

namespace plotvale::engine {
namespace {

constexpr int LargestIconSide = 128;

}  // namespace

Bitmap limitIconSize(Bitmap bitmap, std::string_view outputExtension) {
    if (!bitmap || outputExtension != "ico") return bitmap;
    if (bitmapWidth(bitmap) <= LargestIconSide && bitmapHeight(bitmap) <= LargestIconSide)
        return bitmap;
    return Bitmap(
        FreeImage_Rescale(bitmap.get(), LargestIconSide, LargestIconSide, FILTER_BICUBIC));
}

}  // namespace plotvale::engine
