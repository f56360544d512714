#pragma once
// The frame and the watermark laid over the picture after the image
// operations. Both draw through the canvas layer and are composited over the
// picture, whose size does not change; the result is always 24 bits per pixel
// once the step is switched on.

#include <string_view>

#include "canvas/font.h"
#include "canvas/freeimage_bitmap.h"
#include "canvas/geometry.h"
#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// An RRGGBB colour (any other length is black) with the given alpha, held to 0..255.
canvas::Color colorWithAlpha(std::string_view colour, int alpha);

// width and height are the picture's size after the icon limit.
canvas::Bitmap applyFrame(canvas::Bitmap bitmap, const settings::ConverterSettings& settings,
                          int width, int height);

// watermarkFont is the run's font for the text watermark; without it no text
// watermark is drawn.
canvas::Bitmap applyWatermark(canvas::Bitmap bitmap, const settings::ConverterSettings& settings,
                              const ConversionJob& job, const canvas::Font* watermarkFont,
                              int width, int height);

}  // namespace plotvale::engine
