#pragma once
// PNG files assembled directly, for the 24- and 32-bit pictures the pipeline
// makes, in one IDAT chunk. Compressed data: the rows with the filter that
// libpng's heuristic would pick (the least sum of absolute differences),
// compressed in one call by libdeflate (much faster than zlib at every
// level). Stored (uncompressed) data, the default: unfiltered rows framed as
// stored deflate blocks as each row is packed, so every byte is copied once;
// the checksums are libdeflate's vectorised Adler-32 and CRC-32.

#include <optional>
#include <string>

#include "canvas/freeimage_bitmap.h"

namespace plotvale::engine {

struct PngPicture {
    FIBITMAP* bitmap = nullptr;  // 24 or 32 bits per pixel
    bool hasAlpha = false;       // RGBA, else RGB (from four bytes per pixel the fourth is dropped)
    int level = 0;               // zlib-like compression level, 0 (stored) to 9
};

// IHDR, pHYs from the bitmap's resolution, one IDAT, IEND; nothing when
// memory runs out.
std::optional<std::string> encodeDirectPng(const PngPicture& picture);

}  // namespace plotvale::engine
