#pragma once
// Small text helpers shared by every module that reads user-typed names:
// ASCII case folding and blank trimming. Non-ASCII bytes are left alone, so
// UTF-8 text passes through unchanged.

#include <string>
#include <string_view>

namespace plotvale::settings {

std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Replaces every occurrence of `needle` found without regard to ASCII case.
std::string replaceAllIgnoringCase(std::string_view text, std::string_view needle,
                                   std::string_view replacement);

// Removes the given characters from both ends (by default blanks only).
std::string_view trim(std::string_view text, std::string_view characters = " ");

}  // namespace plotvale::settings
