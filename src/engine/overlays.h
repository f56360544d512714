#pragma once
// The frame and the watermark laid over the picture after the image
// operations. Both draw through the canvas layer.

#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// width and height are the picture's size after the icon limit.
canvas::Bitmap applyFrame(canvas::Bitmap bitmap, const settings::ConverterSettings& settings,
                          int width, int height);
canvas::Bitmap applyWatermark(canvas::Bitmap bitmap, const settings::ConverterSettings& settings,
                              const ConversionJob& job, int width, int height);

}  // namespace plotvale::engine
