#include "engine/image_operations.h"

namespace plotvale::engine {

void flipImage(FIBITMAP* bitmap, const ConverterSettings& settings) {
    if (bitmap == nullptr) return;
    if (settings.transform.doImageFlipHorizontal != 0) FreeImage_FlipHorizontal(bitmap);
    if (settings.transform.doImageFlipVertical != 0) FreeImage_FlipVertical(bitmap);
}

}  // namespace plotvale::engine
