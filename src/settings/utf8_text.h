#pragma once
// Settings texts are UTF-8; the canvas draws Unicode characters.

#include <string>
#include <string_view>

namespace plotvale::settings {

// The characters of a UTF-8 text; a byte that does not start a valid
// sequence stands for the Latin-1 character of its value.
std::u32string decodeUtf8(std::string_view text);

// True when every byte belongs to a valid UTF-8 sequence (no overlong forms,
// no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view text);

// Appends the UTF-8 bytes of one character; a surrogate or a value above
// U+10FFFF is written as U+FFFD.
void appendUtf8(std::string& out, char32_t c);

}  // namespace plotvale::settings
