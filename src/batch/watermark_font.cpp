#include "batch/watermark_font.h"

#include "engine/watermark_font.h"

namespace plotvale::batch {

bool loadWatermarkFont(BatchRun& run) {
    run.watermarkFont = engine::loadWatermarkFont(run.settings);
    return run.watermarkFont.has_value();
}

}  // namespace plotvale::batch
