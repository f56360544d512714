#pragma once
// Owning handles for FreeImage bitmaps and memory streams, so each has
// exactly one owner and is released on every path.

#include <FreeImage.h>

#include <memory>

namespace plotvale::canvas {

struct FreeImageDeleter {
    void operator()(FIBITMAP* bitmap) const noexcept {
        if (bitmap != nullptr) FreeImage_Unload(bitmap);
    }
};

using Bitmap = std::unique_ptr<FIBITMAP, FreeImageDeleter>;

struct FreeImageMemoryCloser {
    void operator()(FIMEMORY* stream) const noexcept { FreeImage_CloseMemory(stream); }
};

using MemoryStream = std::unique_ptr<FIMEMORY, FreeImageMemoryCloser>;

// A new bitmap of the given size and depth, or an empty handle when it
// cannot be allocated. 32-bit bitmaps carry the usual BGRA channel masks.
Bitmap makeBitmap(int width, int height, int bitsPerPixel);

}  // namespace plotvale::canvas
