#include "engine/overlay_composite.h"

#include "canvas/freeimage_bitmap.h"

namespace plotvale::engine {

bool compositeOver(FIBITMAP* picture, FIBITMAP* layer, int x, int y) {
    const int width = static_cast<int>(FreeImage_GetWidth(layer));
    const int height = static_cast<int>(FreeImage_GetHeight(layer));
    if (x < 0 || y < 0 || x + width > static_cast<int>(FreeImage_GetWidth(picture)) ||
        y + height > static_cast<int>(FreeImage_GetHeight(picture)))
        return false;
    const canvas::Bitmap under(FreeImage_Copy(picture, x, y, x + width, y + height));
    if (!under) return false;
    const canvas::Bitmap blended(FreeImage_Composite(layer, FALSE, nullptr, under.get()));
    // An alpha above 255 pastes the pixels as they are.
    return blended && FreeImage_Paste(picture, blended.get(), x, y, 256) != FALSE;
}

}  // namespace plotvale::engine
