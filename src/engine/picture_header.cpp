#include "engine/picture_header.h"

#include <algorithm>
#include <limits>

namespace plotvale::engine {
namespace {

uint64_t byteAt(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

uint64_t bigEndian(std::string_view bytes, size_t at, size_t count) {
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i) value = value << 8 | byteAt(bytes, at + i);
    return value;
}

uint64_t littleEndian16(std::string_view bytes, size_t at) {
    return byteAt(bytes, at) | byteAt(bytes, at + 1) << 8;
}

}  // namespace

// The larger of the logical screen and the first image (which FreeImage
// allocates), found by walking the extension blocks before it.
std::optional<uint64_t> gifPixels(std::string_view gif) {
    if (gif.size() < 13) return std::nullopt;
    const uint64_t flags = byteAt(gif, 10);
    size_t at = 13 + ((flags & 0x80) != 0 ? 3 * (size_t{2} << (flags & 7)) : 0);
    while (at < gif.size() && byteAt(gif, at) == 0x21) {  // label, then sub-blocks
        at += 2;
        while (at < gif.size() && byteAt(gif, at) != 0) at += byteAt(gif, at) + 1;
        at += 1;
    }
    if (at + 9 > gif.size() || byteAt(gif, at) != 0x2C) return std::nullopt;
    const uint64_t screen = littleEndian16(gif, 6) * littleEndian16(gif, 8);
    const uint64_t image = littleEndian16(gif, at + 5) * littleEndian16(gif, at + 7);
    return std::max(screen, image);
}

// SOC, then SIZ: Lsiz, Rsiz, Xsiz, Ysiz, XOsiz, YOsiz, tile sizes, Csiz.
std::optional<uint64_t> j2kPixels(std::string_view codestream) {
    if (codestream.size() < 42 || bigEndian(codestream, 0, 4) != 0xFF4FFF51) return std::nullopt;
    const uint64_t right = bigEndian(codestream, 8, 4);
    const uint64_t bottom = bigEndian(codestream, 12, 4);
    const uint64_t left = bigEndian(codestream, 16, 4);
    const uint64_t top = bigEndian(codestream, 20, 4);
    if (left >= right || top >= bottom) return std::nullopt;
    if (bigEndian(codestream, 40, 2) > 4) return std::numeric_limits<uint64_t>::max();
    return (right - left) * (bottom - top);
}

// The codestream of the first "jp2c" box among the top-level boxes.
std::optional<uint64_t> jp2Pixels(std::string_view file) {
    size_t at = 0;
    while (at + 8 <= file.size()) {
        uint64_t length = bigEndian(file, at, 4);
        size_t header = 8;
        if (length == 1) {
            if (at + 16 > file.size()) return std::nullopt;
            length = bigEndian(file, at + 8, 8);
            header = 16;
        } else if (length == 0) {
            length = file.size() - at;
        }
        if (file.substr(at + 4, 4) == "jp2c") return j2kPixels(file.substr(at + header));
        if (length < header || length > file.size() - at) return std::nullopt;
        at += static_cast<size_t>(length);
    }
    return std::nullopt;
}

}  // namespace plotvale::engine
