#pragma once
// The bit depth a picture is saved with: the automatic choice from the
// format's allowed depths, and the conversion just before the save.

#include <cstdint>
#include <string_view>

#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"

namespace plotvale::engine {

// The first allowed depth of the format not below the source depth, else the
// format's largest; 0 for an unknown format.
int32_t chooseDepth(std::string_view outputExtension, int32_t sourceDepth);

// Sets the job's target depth from its source depth when the depth is
// automatic; a fixed depth stays as it is.
void settleTargetDepth(ConversionJob& job);

// Converts the bitmap to the job's target depth, settling that depth first.
// Empty when the conversion fails or the depth is not one the converter
// writes.
canvas::Bitmap convertDepth(canvas::Bitmap bitmap, ConversionJob& job);

}  // namespace plotvale::engine
