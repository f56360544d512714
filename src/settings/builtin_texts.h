#pragma once

#include <string_view>
#include <vector>

namespace plotvale::settings {

struct TextPair {
    std::string_view first;
    std::string_view second;
};

const std::vector<TextPair>& builtinTexts();

}  // namespace plotvale::settings
