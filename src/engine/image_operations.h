#pragma once
// The operations applied to the rasterised picture before the frame, the
// watermark and the save, in this order: rotation, resizing, the icon size
// limit, flips, colour adjustment, greyscale, threshold, dither.
//
// Each takes the current bitmap and returns the one to go on with; a bitmap
// it replaces is released. An empty bitmap is passed on untouched, so a
// failed FreeImage call makes the file fail at the save.

#include <FreeImage.h>

#include <cstdint>
#include <string_view>

#include "canvas/freeimage_bitmap.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

using canvas::Bitmap;
using settings::ConverterSettings;

Bitmap rotateImage(Bitmap bitmap, const ConverterSettings& settings);

// width and height are the bitmap's size after the rotation.
Bitmap resizeImage(Bitmap bitmap, const ConverterSettings& settings, int width, int height);
// The target of one side: the value in pixels (unit 0), a percentage of the
// current size rounded half to even (unit 1), 0 for any other unit.
int32_t resizeTarget(int32_t value, int32_t unit, int32_t current);
FREE_IMAGE_FILTER resizeFilter(const ConverterSettings& settings);

// Icons hold at most 128 x 128 pixels: a larger "ico" picture is squeezed to
// exactly that size.
Bitmap limitIconSize(Bitmap bitmap, std::string_view outputExtension);

void flipImage(FIBITMAP* bitmap, const ConverterSettings& settings);
Bitmap adjustColors(Bitmap bitmap, const ConverterSettings& settings);
Bitmap greyscaleImage(Bitmap bitmap, const ConverterSettings& settings);
Bitmap thresholdImage(Bitmap bitmap, const ConverterSettings& settings);
Bitmap ditherImage(Bitmap bitmap, const ConverterSettings& settings);

// Shared by the operations: replaces the bitmap by its 24-bit copy.
Bitmap convertTo24Bits(Bitmap bitmap);

// Width and height of a bitmap, 0 for none.
int bitmapWidth(const Bitmap& bitmap);
int bitmapHeight(const Bitmap& bitmap);
int bitmapDepth(const Bitmap& bitmap);

}  // namespace plotvale::engine
