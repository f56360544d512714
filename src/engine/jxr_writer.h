#pragma once
// The JPEG XR writer. FreeImage 3.18's own JPEG XR encoder fails on every
// picture on Debian 12, so JPEG XR files are encoded with jxrlib directly.

#include <optional>
#include <string>

#include "canvas/freeimage_bitmap.h"

namespace plotvale::engine {

// Writes the bitmap as a JPEG XR file at `path`, losslessly: 32-bit pictures
// as BGRA, 24-bit as BGR, 16-bit as RGB 5-5-5 or 5-6-5, 48-bit as 16 bits per
// channel. Palette pictures become black-and-white (two-colour black and white
// palettes), 8-bit grey (grey palettes) or 24-bit colour. 96-bit float
// pictures keep all but the last bits of each mantissa (see jxr_encoder.h).
// False when the bitmap has another layout or the file cannot be written.
bool writeJpegXr(FIBITMAP* bitmap, const std::string& path);

// The same file's bytes; none when the bitmap has another layout.
std::optional<std::string> jpegXrBytes(FIBITMAP* bitmap);

}  // namespace plotvale::engine
