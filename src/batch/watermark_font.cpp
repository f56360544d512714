#include "batch/watermark_font.h"

#include "canvas/font.h"

namespace plotvale::batch {

namespace {

constexpr double PixelsPerPoint = 96.0 / 72.0;

}  // namespace

bool canLoadWatermarkFont(const settings::ConverterSettings& settings) {
    const auto& w = settings.watermark;
    canvas::FontSpec spec;
    spec.face = w.font;
    spec.pixelSize = w.fontSize * PixelsPerPoint;
    spec.bold = w.fontStyle == 1 || w.fontStyle == 3;
    spec.italic = w.fontStyle == 2 || w.fontStyle == 3;
    spec.underline = w.fontEffect == 1;
    spec.strikeOut = w.fontEffect == 2;
    // A face no installed font serves counts as a font that cannot be made:
    // fontconfig would only fall back to an unrelated default.
    return !w.font.empty() && canvas::resolveFont(spec, false).has_value();
}

}  // namespace plotvale::batch
