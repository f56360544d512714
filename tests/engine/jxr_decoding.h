#pragma once
// Reading JPEG XR files back with jxrlib: FreeImage 3.18's reader shares the
// misdeclared GUID of its writer and cannot read them. Like the writer's
// encoder, this stays apart from FreeImage.h.

#include <optional>
#include <string>

#include "engine/jxr_encoder.h"

namespace plotvale::engine::testing {

// The file's pixels in the layout it was written in; none when the file
// cannot be read or holds a layout the writer never uses.
std::optional<JxrPicture> decodeJpegXr(const std::string& path);

}  // namespace plotvale::engine::testing
