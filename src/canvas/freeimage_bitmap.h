#pragma once
// Owning handle for FreeImage bitmaps, so a bitmap has exactly one owner
// and is released on every path.

#include <FreeImage.h>

#include <memory>

namespace plotvale::canvas {

struct FreeImageDeleter {
    void operator()(FIBITMAP* bitmap) const noexcept {
        if (bitmap != nullptr) FreeImage_Unload(bitmap);
    }
};

using Bitmap = std::unique_ptr<FIBITMAP, FreeImageDeleter>;

// A new bitmap of the given size and depth, or an empty handle when it
// cannot be allocated. 32-bit bitmaps carry the usual BGRA channel masks.
Bitmap makeBitmap(int width, int height, int bitsPerPixel);

}  // namespace plotvale::canvas
