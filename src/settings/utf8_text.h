#pragma once
// Settings texts are UTF-8; the canvas draws Unicode characters.

#include <string>
#include <string_view>

namespace plotvale::settings {

// The characters of a UTF-8 text; a byte that does not start a valid
// sequence stands for the Latin-1 character of its value.
std::u32string decodeUtf8(std::string_view text);

}  // namespace plotvale::settings
