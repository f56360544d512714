#pragma once
// The font of the text watermark. A run makes it once before converting and
// lends it to every conversion.

#include <optional>

#include "canvas/font.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// `Font` at `Font Size` points on a 96 dpi display, bold for `Font Style` 1
// and 3, italic for 2 and 3, underlined for `Font Effect` 1, struck out for 2.
// Empty when the face name is empty or no installed font serves it.
std::optional<canvas::Font> loadWatermarkFont(const settings::ConverterSettings& settings);

}  // namespace plotvale::engine
