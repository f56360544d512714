#pragma once
// Text files as editors write them (profiles, list files, the settings
// file), decoded to UTF-8 in one way for all of them:
// - a byte-order mark names the encoding: EF BB BF UTF-8, FF FE UTF-16
//   little-endian, FE FF UTF-16 big-endian, FF FE 00 00 and 00 00 FE FF
//   UTF-32 little- and big-endian; the mark itself is dropped;
// - without a mark, bytes that are valid UTF-8 (what Linux editors write)
//   are UTF-8, and anything else is ISO 8859-1, one character per byte, so
//   older files keep reading as they did.
// Unpaired UTF-16 surrogates and invalid UTF-32 values become U+FFFD.

#include <string>
#include <string_view>

namespace plotvale::settings {

std::string decodeTextFile(std::string_view bytes);

}  // namespace plotvale::settings
