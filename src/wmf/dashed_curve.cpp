#include "wmf/dashed_curve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plotvale::wmf {

ThinLinePixels dashEllipse(const std::vector<canvas::Span>& outline, const canvas::RectI& box, int style) {
    struct Pixel {
        double angle;
        int x, y;
    };
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    std::vector<Pixel> pixels;
    for (const auto& span : outline)
        for (int x = span.x0; x < span.x1; ++x) {
            double a = std::atan2(cy - (span.y + 0.5), (x + 0.5) - cx);
            if (a < 0) a += 2 * std::numbers::pi;
            pixels.push_back({a, x, span.y});
        }
    std::sort(pixels.begin(), pixels.end(), [](const Pixel& a, const Pixel& b) { return a.angle < b.angle; });
    const std::vector<int>& pattern = dashPattern(style);
    ThinLinePixels out;
    std::size_t dash = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    for (const Pixel& p : pixels) {
        if (pattern.empty()) { out.pen.add(p.x, p.y); continue; }
        if (left == 0) { dash = (dash + 1) % pattern.size(); left = pattern[dash]; }
        --left;
        (dash % 2 == 0 ? out.pen : out.gaps).add(p.x, p.y);
    }
    return out;
}

}  // namespace plotvale::wmf
