#pragma once
// Colours written as six hexadecimal digits RRGGBB.

#include <cstdint>
#include <string_view>

namespace plotvale::engine {

struct RgbColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const RgbColor&) const = default;
};

// Each pair is read as hexadecimal up to its first non-digit (no digit gives
// 0); a text that is not exactly six characters long is black.
RgbColor parseColor(std::string_view text);

}  // namespace plotvale::engine
