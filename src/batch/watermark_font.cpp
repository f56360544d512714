#include "batch/watermark_font.h"

namespace plotvale::batch {

bool canLoadWatermarkFont(const settings::ConverterSettings& settings) {
    return !settings.watermark.font.empty();
}

}  // namespace plotvale::batch
