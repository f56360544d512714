#include "settings/text_file.h"

#include "settings/utf8_text.h"

namespace plotvale::settings {

namespace {

enum class Encoding { Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be, Unmarked };

struct Mark {
    Encoding encoding;
    std::size_t length;
};

// The UTF-32 little-endian mark begins like the UTF-16 one, so it is tried first.
Mark markOf(std::string_view bytes) {
    const auto startsWith = [bytes](std::string_view mark) {
        return bytes.substr(0, mark.size()) == mark;
    };
    if (startsWith("\xEF\xBB\xBF")) return {Encoding::Utf8, 3};
    if (startsWith(std::string_view("\xFF\xFE\x00\x00", 4))) return {Encoding::Utf32Le, 4};
    if (startsWith(std::string_view("\x00\x00\xFE\xFF", 4))) return {Encoding::Utf32Be, 4};
    if (startsWith("\xFF\xFE")) return {Encoding::Utf16Le, 2};
    if (startsWith("\xFE\xFF")) return {Encoding::Utf16Be, 2};
    return {Encoding::Unmarked, 0};
}

// The code unit of `size` bytes at bytes[i], in the given byte order.
char32_t unitAt(std::string_view bytes, std::size_t i, std::size_t size, bool bigEndian) {
    char32_t unit = 0;
    for (std::size_t k = 0; k < size; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[i + (bigEndian ? k : size - 1 - k)]);
        unit = (unit << 8) | byte;
    }
    return unit;
}

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string fromUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t end = bytes.size() & ~std::size_t{1};  // a stray last byte is dropped
    for (std::size_t i = 0; i < end; i += 2) {
        char32_t c = unitAt(bytes, i, 2, bigEndian);
        if (isHighSurrogate(c) && i + 2 < end &&
            isLowSurrogate(unitAt(bytes, i + 2, 2, bigEndian))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(bytes, i + 2, 2, bigEndian) - 0xDC00);
            i += 2;
        }
        appendUtf8(out, c);  // a lone surrogate is written as U+FFFD
    }
    return out;
}

std::string fromUtf32(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
        appendUtf8(out, unitAt(bytes, i, 4, bigEndian));
    return out;
}

std::string fromLatin1(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

}  // namespace

std::string decodeTextFile(std::string_view bytes) {
    const Mark mark = markOf(bytes);
    const std::string_view text = bytes.substr(mark.length);
    switch (mark.encoding) {
    case Encoding::Utf8: return std::string(text);
    case Encoding::Utf16Le: return fromUtf16(text, false);
    case Encoding::Utf16Be: return fromUtf16(text, true);
    case Encoding::Utf32Le: return fromUtf32(text, false);
    case Encoding::Utf32Be: return fromUtf32(text, true);
    case Encoding::Unmarked: break;
    }
    return isValidUtf8(text) ? std::string(text) : fromLatin1(text);
}

}  // namespace plotvale::settings
