#pragma once
// Picture sizes read from the headers of formats whose FreeImage loader
// cannot skip the pixels, so that a watermark image can be bounded before
// it is decoded.

#include <cstdint>
#include <optional>
#include <string_view>

namespace plotvale::engine {

// Width times height that decoding would allocate; none when the header is
// cut short or malformed. A JPEG 2000 picture with more than four components
// counts as unbounded (UINT64_MAX), as each component is decoded at full size.
std::optional<uint64_t> gifPixels(std::string_view gif);
std::optional<uint64_t> j2kPixels(std::string_view codestream);
std::optional<uint64_t> jp2Pixels(std::string_view file);

}  // namespace plotvale::engine
