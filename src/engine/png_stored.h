#pragma once
// The uncompressed PNG the default settings ask for, assembled directly:
// with nothing to compress there is nothing for a deflate encoder or filters
// to do, only the pixels in PNG order, stored deflate blocks around them,
// and the Adler-32 and CRC-32 checksums (libdeflate's, which use the
// processor's vector units).

#include <string>

#include "canvas/freeimage_bitmap.h"

namespace plotvale::engine {

struct PngPicture {
    FIBITMAP* bitmap = nullptr;  // 24 or 32 bits per pixel
    bool hasAlpha = false;       // RGBA, else RGB (from four bytes per pixel the fourth is dropped)
};

// A valid PNG file: IHDR, pHYs from the bitmap's resolution, one IDAT of
// stored blocks with unfiltered rows, IEND.
std::string encodeStoredPng(const PngPicture& picture);

}  // namespace plotvale::engine
