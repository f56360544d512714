#include "engine/watermark_font.h"

#include <cstdlib>

namespace plotvale::engine {
namespace {

constexpr double PixelsPerPoint = 96.0 / 72.0;

}  // namespace

std::optional<canvas::Font> loadWatermarkFont(const settings::ConverterSettings& settings) {
    const auto& w = settings.watermark;
    if (w.font.empty()) return std::nullopt;
    canvas::FontSpec spec;
    spec.face = w.font;
    spec.pixelSize = std::abs(w.fontSize) * PixelsPerPoint;
    spec.bold = w.fontStyle == 1 || w.fontStyle == 3;
    spec.italic = w.fontStyle == 2 || w.fontStyle == 3;
    spec.underline = w.fontEffect == 1;
    spec.strikeOut = w.fontEffect == 2;
    // No fall-back: an unrelated default face is not the font that was asked for.
    return canvas::resolveFont(spec, false);
}

}  // namespace plotvale::engine
