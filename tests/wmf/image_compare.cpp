#include "image_compare.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace plotvale::imagetest {
namespace {

struct Rgb {
    int w = 0, h = 0;
    std::vector<int> px;  // 3 channels, top-down
};

Rgb toRgb(FIBITMAP* bitmap) {
    canvas::Bitmap b24(FreeImage_ConvertTo24Bits(bitmap));
    Rgb out;
    out.w = static_cast<int>(FreeImage_GetWidth(b24.get()));
    out.h = static_cast<int>(FreeImage_GetHeight(b24.get()));
    out.px.resize(static_cast<std::size_t>(out.w) * out.h * 3);
    for (int y = 0; y < out.h; ++y) {
        const BYTE* line = FreeImage_GetScanLine(b24.get(), out.h - 1 - y);
        for (int x = 0; x < out.w; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * out.w + x) * 3;
            out.px[i] = line[3 * x + FI_RGBA_RED];
            out.px[i + 1] = line[3 * x + FI_RGBA_GREEN];
            out.px[i + 2] = line[3 * x + FI_RGBA_BLUE];
        }
    }
    return out;
}

Rgb boxBlur(const Rgb& in) {
    Rgb out = in;
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0, n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int xx = x + dx, yy = y + dy;
                        if (xx < 0 || yy < 0 || xx >= in.w || yy >= in.h) continue;
                        sum += in.px[(static_cast<std::size_t>(yy) * in.w + xx) * 3 + c];
                        ++n;
                    }
                out.px[(static_cast<std::size_t>(y) * in.w + x) * 3 + c] = sum / n;
            }
    return out;
}

}  // namespace

double matchingShare(FIBITMAP* actual, FIBITMAP* expected) {
    const Rgb a = boxBlur(toRgb(actual)), e = boxBlur(toRgb(expected));
    if (a.w != e.w || a.h != e.h) return -1;
    if (a.w == 0 || a.h == 0) return 1;
    std::size_t matching = 0;
    for (std::size_t i = 0; i < a.px.size(); i += 3) {
        bool ok = true;
        for (int c = 0; c < 3; ++c) ok = ok && std::abs(a.px[i + c] - e.px[i + c]) <= 32;
        if (ok) ++matching;
    }
    return static_cast<double>(matching) / static_cast<double>(a.px.size() / 3);
}

bool writeDiffImage(FIBITMAP* actual, FIBITMAP* expected, const std::string& path) {
    const Rgb a = toRgb(actual), e = toRgb(expected);
    const int w = std::max(a.w, e.w), h = std::max(a.h, e.h);
    canvas::Bitmap out(FreeImage_Allocate(3 * w, h, 24));
    if (!out) return false;
    auto put = [&](int x, int y, int r, int g, int b) {
        BYTE* p = FreeImage_GetScanLine(out.get(), h - 1 - y) + 3 * x;
        p[FI_RGBA_RED] = static_cast<BYTE>(r);
        p[FI_RGBA_GREEN] = static_cast<BYTE>(g);
        p[FI_RGBA_BLUE] = static_cast<BYTE>(b);
    };
    auto get = [](const Rgb& img, int x, int y, int c) {
        return x < img.w && y < img.h ? img.px[(static_cast<std::size_t>(y) * img.w + x) * 3 + c] : 255;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            put(x, y, get(e, x, y, 0), get(e, x, y, 1), get(e, x, y, 2));
            put(2 * w + x, y, get(a, x, y, 0), get(a, x, y, 1), get(a, x, y, 2));
            int diff = 0;
            for (int c = 0; c < 3; ++c) diff = std::max(diff, std::abs(get(a, x, y, c) - get(e, x, y, c)));
            put(w + x, y, 255, 255 - diff, 255 - diff);
        }
    // Small pictures are enlarged so single pixels can be seen.
    const int zoom = std::clamp(900 / (3 * w), 1, 8);
    if (zoom > 1) out.reset(FreeImage_Rescale(out.get(), 3 * w * zoom, h * zoom, FILTER_BOX));
    return out && FreeImage_Save(FIF_PNG, out.get(), path.c_str(), 0) != 0;
}

canvas::Bitmap loadImage(const std::string& path) {
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) return canvas::Bitmap();
    return canvas::Bitmap(FreeImage_Load(format, path.c_str(), 0));
}

}  // namespace plotvale::imagetest
