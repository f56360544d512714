#pragma once
// Hand-over of a FreeImage picture to a canvas, the way back of toBitmap().

#include <optional>

#include "canvas/canvas.h"
#include "canvas/freeimage_bitmap.h"

namespace plotvale::canvas {

// A canvas with the pixels of a 32-bit FreeImage bitmap whose alpha is
// straight (not premultiplied). nullopt for another depth or when the canvas
// cannot be made.
std::optional<Canvas> fromBitmap(FIBITMAP* bitmap);

}  // namespace plotvale::canvas
