#pragma once
// Reads a Portable Float Map as the format defines it, independently of any
// image library: "PF" (colour) or "Pf" (grey), width and height, a scale
// whose sign gives the byte order (negative: little-endian), then the rows of
// floats from the bottom row up.

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace plotvale::test {

struct FloatPicture {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<float> samples;  // rows from the top, channels interleaved

    float at(int x, int y, int channel) const {
        return samples[(static_cast<size_t>(y) * width + x) * channels + channel];
    }
};

inline std::optional<FloatPicture> readPfm(const std::string& bytes) {
    std::istringstream header(bytes);
    std::string magic;
    FloatPicture picture;
    double scale = 0.0;
    header >> magic >> picture.width >> picture.height >> scale;
    if (!header || (magic != "PF" && magic != "Pf") || picture.width <= 0 || picture.height <= 0 ||
        scale == 0.0)
        return std::nullopt;
    picture.channels = magic == "PF" ? 3 : 1;
    const size_t start = static_cast<size_t>(header.tellg()) + 1;  // one white-space byte
    const size_t rowFloats = static_cast<size_t>(picture.width) * picture.channels;
    const size_t count = rowFloats * picture.height;
    if (bytes.size() < start + count * 4) return std::nullopt;
    const bool swap = (scale < 0) != (std::endian::native == std::endian::little);
    picture.samples.resize(count);
    for (size_t i = 0; i < count; ++i) {
        uint32_t word = 0;
        std::memcpy(&word, bytes.data() + start + i * 4, 4);
        if (swap) word = __builtin_bswap32(word);
        const size_t fileRow = i / rowFloats;
        const size_t topRow = static_cast<size_t>(picture.height) - 1 - fileRow;
        std::memcpy(&picture.samples[topRow * rowFloats + i % rowFloats], &word, 4);
    }
    return picture;
}

}  // namespace plotvale::test
