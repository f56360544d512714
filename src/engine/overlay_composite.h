#pragma once
// Compositing of a 32-bit layer over a part of a 24-bit picture.

#include <FreeImage.h>

namespace plotvale::engine {

// FreeImage_Composite of layer over the picture's rectangle of the layer's
// size at (x, y) (top-left, rows counted from the top); the result is
// written back into the picture. Pixels outside the rectangle are exactly
// what a composite of the whole picture with a transparent layer there would
// give: unchanged. False when the rectangle is not wholly inside the picture
// or FreeImage fails.
bool compositeOver(FIBITMAP* picture, FIBITMAP* layer, int x, int y);

}  // namespace plotvale::engine
