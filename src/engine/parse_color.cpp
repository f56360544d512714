#include "engine/parse_color.h"

namespace plotvale::engine {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

uint8_t readHexPair(std::string_view pair) {
    int value = 0;
    for (const char c : pair) {
        const int digit = hexDigitValue(c);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return static_cast<uint8_t>(value);
}

}  // namespace

RgbColor parseColor(std::string_view text) {
    if (text.size() != 6) return RgbColor{};
    return RgbColor{readHexPair(text.substr(0, 2)), readHexPair(text.substr(2, 2)),
                    readHexPair(text.substr(4, 2))};
}

}  // namespace plotvale::engine
