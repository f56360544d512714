#pragma once
// Rendering a test metafile and reading its pixels back.

#include <cstdint>
#include <string>

#include "wmf/render_metafile.h"

namespace plotvale::testing {

struct Rendered {
    wmf::RenderResult result;
    int width() const;
    int height() const;
    // 0xRRGGBB at (x, y), y counted from the top.
    std::uint32_t at(int x, int y) const;
    // Pixels of the given colour within a rectangle.
    int count(std::uint32_t rgb, int left, int top, int right, int bottom) const;
    int countNot(std::uint32_t rgb) const;
};

Rendered render(const std::string& data, bool antialias = false, int dpi = 96);

}  // namespace plotvale::testing
