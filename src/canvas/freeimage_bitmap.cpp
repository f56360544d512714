#include "canvas/freeimage_bitmap.h"

namespace plotvale::canvas {

Bitmap makeBitmap(int width, int height, int bitsPerPixel) {
    if (width <= 0 || height <= 0) return Bitmap();
    return Bitmap(FreeImage_Allocate(width, height, bitsPerPixel, FI_RGBA_RED_MASK,
                                     FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
}

}  // namespace plotvale::canvas
