#pragma once
// The metafile player's entry: a Windows metafile (placeable or standard,
// optionally gzip-compressed) in memory, rendered to a 32-bit bitmap on a
// white background.

#include <cstdint>
#include <string_view>

#include "canvas/freeimage_bitmap.h"

namespace plotvale::wmf {

struct RenderOptions {
    int dpi = 96;            // resolution at which the picture is rendered
    bool antialias = true;   // false draws aliased, as GDI does
    // Pictures whose 32-bit bitmap would pass this many bytes are refused.
    unsigned long long maxBitmapBytes = 1ULL << 30;
};

struct RenderResult {
    canvas::Bitmap bitmap;  // 32 bits per pixel; empty when rendering failed
    int unknownRecords = 0; // records skipped because the player does not know them
};

RenderResult renderMetafile(std::string_view data, const RenderOptions& options);

}  // namespace plotvale::wmf
