#include "engine/watermark_font.h"

#include <cstdint>
#include <cstdlib>

namespace plotvale::engine {
namespace {

constexpr int64_t DisplayDpi = 96;
constexpr int64_t PointsPerInch = 72;

// The em height in whole pixels, rounded as Windows' MulDiv rounds: a font
// height is an integer there.
double pointsToPixels(int32_t points) {
    const int64_t scaled = std::abs(int64_t{points}) * DisplayDpi;
    return static_cast<double>((scaled + PointsPerInch / 2) / PointsPerInch);
}

}  // namespace

std::optional<canvas::Font> loadWatermarkFont(const settings::ConverterSettings& settings) {
    const auto& w = settings.watermark;
    if (w.font.empty()) return std::nullopt;
    canvas::FontSpec spec;
    spec.face = w.font;
    spec.pixelSize = pointsToPixels(w.fontSize);
    spec.bold = w.fontStyle == 1 || w.fontStyle == 3;
    spec.italic = w.fontStyle == 2 || w.fontStyle == 3;
    spec.underline = w.fontEffect == 1;
    spec.strikeOut = w.fontEffect == 2;
    // No fall-back: an unrelated default face is not the font that was asked for.
    return canvas::resolveFont(spec, false);
}

}  // namespace plotvale::engine
