#pragma once
// Hand-over of a canvas to FreeImage.

#include "canvas/canvas.h"
#include "canvas/freeimage_bitmap.h"

namespace plotvale::canvas {

// A 32-bit FreeImage bitmap with the canvas's pixels: straight (not
// premultiplied) alpha, FreeImage's bottom-up row order. Empty on failure.
Bitmap toBitmap(const Canvas& canvas);

}  // namespace plotvale::canvas
