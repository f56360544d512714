#pragma once
// Hand-over of a canvas to FreeImage.

#include "canvas/canvas.h"
#include "canvas/freeimage_bitmap.h"

namespace plotvale::canvas {

// A 32-bit FreeImage bitmap with the canvas's pixels: straight (not
// premultiplied) alpha, FreeImage's bottom-up row order. Empty on failure.
Bitmap toBitmap(const Canvas& canvas);

// A canvas holding a FreeImage bitmap of any depth (converted to 32 bits;
// straight alpha is premultiplied), for drawing images onto canvases.
// nullopt when the bitmap is empty or cannot be converted.
std::optional<Canvas> fromBitmap(FIBITMAP* bitmap);

}  // namespace plotvale::canvas
