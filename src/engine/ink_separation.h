#pragma once
// The picture as cyan, magenta, yellow and black ink values, the way a TIFF
// with the CMYK colour mode stores it.

#include "canvas/freeimage_bitmap.h"

namespace plotvale::engine {

// A 32-bit copy of a 32-bit picture whose four bytes per pixel hold cyan,
// magenta, yellow and black, in that order: the layout FreeImage's TIFF
// encoder writes as separated samples. Transparent parts are taken as the
// white of the paper. Empty for any other depth or when the copy cannot be
// made.
canvas::Bitmap separateInks(FIBITMAP* bitmap);

}  // namespace plotvale::engine
