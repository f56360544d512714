#pragma once
// The device-context state a metafile changes, saved and restored as a whole
// by SAVEDC and RESTOREDC.

#include <cstdint>
#include <optional>

#include "wmf/gdi_objects.h"
#include "wmf/region.h"

namespace plotvale::wmf {

struct DcState {
    // Window in logical units; the viewport is always the whole picture.
    double windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
    PenObject pen{0, 0, 0};
    BrushObject brush{0, 0xFFFFFF, 0, nullptr, false};
    FontObject font;
    std::vector<std::uint32_t> palette;
    int paletteIndex = -1;     // object slot of the selected palette
    std::uint32_t textColor = 0;
    std::uint32_t bkColor = 0xFFFFFF;
    int bkMode = 2;            // OPAQUE; TRANSPARENT is 1
    int rop2 = 13;             // R2_COPYPEN
    int polyFillMode = 1;      // ALTERNATE; WINDING is 2
    std::uint16_t textAlign = 0;
    int charExtra = 0;
    int breakExtra = 0, breakCount = 0;
    int stretchMode = 1;
    double curX = 0, curY = 0; // current position, logical
    std::optional<Region> clip;  // device pixels; none: the whole picture
    int lineCap = -1, lineJoin = -1;  // from escapes; -1: as the pen says
    double miterLimit = 10;
};

}  // namespace plotvale::wmf
