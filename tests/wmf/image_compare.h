#pragma once
// Picture comparison for the fidelity tests: both pictures blurred with a
// 3 x 3 box filter, a pixel matches when no channel differs by more than 32.

#include <FreeImage.h>

#include <string>

#include "canvas/freeimage_bitmap.h"

namespace plotvale::imagetest {

// Share of matching pixels, or -1 when the sizes differ.
double matchingShare(FIBITMAP* actual, FIBITMAP* expected);

// Writes expected | difference | actual side by side as a PNG.
bool writeDiffImage(FIBITMAP* actual, FIBITMAP* expected, const std::string& path);

canvas::Bitmap loadImage(const std::string& path);

}  // namespace plotvale::imagetest
