#pragma once
// Where a metafile's picture lies and how large its bitmap is.
//
// A placeable metafile (key D7 CD C6 9A) names its bounding box and units per
// inch; the bitmap is |Right - Left| x |Bottom - Top| at the requested DPI and
// the window starts as that box. A standard metafile (no placeable header) is
// sized by the last SETMAPMODE, SETWINDOWORG and SETWINDOWEXT before its first
// drawing record, or without a window extent by the bounds of what it draws.

#include <optional>
#include <string_view>

namespace plotvale::wmf {

struct PictureFrame {
    int width = 0;   // bitmap size in pixels
    int height = 0;
    // Initial window in logical units; the viewport is the whole bitmap.
    double windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
    double dpiScale = 1;  // bitmap pixels per pixel of the picture at 96 DPI
    std::string_view records;  // the records after the metafile header
};

inline constexpr unsigned long long kMaxBitmapBytes = 1ULL << 30;

// The frame, or nullopt when the data is no metafile, Inch is 0, the size is
// empty or the 32-bit bitmap would pass maxBitmapBytes.
std::optional<PictureFrame> readPictureFrame(std::string_view data, int dpi,
                                             unsigned long long maxBitmapBytes = kMaxBitmapBytes);

// Rounds halves away from zero.
double roundHalfAway(double v);

}  // namespace plotvale::wmf
