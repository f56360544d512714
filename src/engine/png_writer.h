#pragma once
// PNG without FreeImage's encoder for the pictures the pipeline makes most: 24-
// and 32-bit colour. FreeImage's encoder runs libpng's filter search on
// every row even when nothing is compressed, scans the picture for alpha
// pixel by pixel, and writes through small buffered calls; this one writes
// the same image (colour type, size, resolution, interlacing and level as
// FreeImage chooses them) into memory and then to the file in one call.
// Pictures without interlacing skip libpng altogether (engine/png_direct.h);
// interlaced ones go through libpng with FreeImage's levels.

#include <cstdint>
#include <optional>
#include <string>

#include "canvas/freeimage_bitmap.h"

namespace plotvale::engine {

// True for the bitmaps encodePng handles: 24 or 32 bits per pixel of
// standard colour.
bool encodesPngDirectly(FIBITMAP* bitmap);

// The PNG file's bytes for the FreeImage PNG save flags (compression level,
// interlacing); nothing when libpng fails. A 32-bit picture whose pixels are
// all opaque is written as RGB, as FreeImage does.
std::optional<std::string> encodePng(FIBITMAP* bitmap, int32_t saveFlags);

}  // namespace plotvale::engine
