#include "render_helpers.h"

namespace plotvale::testing {

int Rendered::width() const { return result.bitmap ? static_cast<int>(FreeImage_GetWidth(result.bitmap.get())) : 0; }
int Rendered::height() const { return result.bitmap ? static_cast<int>(FreeImage_GetHeight(result.bitmap.get())) : 0; }

std::uint32_t Rendered::at(int x, int y) const {
    const BYTE* p = FreeImage_GetScanLine(result.bitmap.get(), height() - 1 - y) + 4 * x;
    return static_cast<std::uint32_t>(p[FI_RGBA_RED]) << 16 | static_cast<std::uint32_t>(p[FI_RGBA_GREEN]) << 8 |
           p[FI_RGBA_BLUE];
}

int Rendered::count(std::uint32_t rgb, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += at(x, y) == rgb ? 1 : 0;
    return n;
}

int Rendered::countNot(std::uint32_t rgb) const {
    return width() * height() - count(rgb, 0, 0, width(), height());
}

Rendered render(const std::string& data, bool antialias, int dpi) {
    wmf::RenderOptions options;
    options.antialias = antialias;
    options.dpi = dpi;
    return Rendered{wmf::renderMetafile(data, options)};
}

}  // namespace plotvale::testing
