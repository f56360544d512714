#pragma once
// Icons whose width and height differ. The icon format allows them, but
// FreeImage writes square icons only; a wide or tall picture would otherwise
// fail to convert.

#include <FreeImage.h>

#include <optional>
#include <string>

namespace plotvale::engine {

// The bytes of a one-image icon file holding the bitmap as a device
// independent bitmap with an all-opaque mask; none when the bitmap is larger
// than 256 in either direction or cannot be encoded.
std::optional<std::string> encodeIcon(FIBITMAP* bitmap);

}  // namespace plotvale::engine
