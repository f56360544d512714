#include "wmf/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

namespace plotvale::wmf {
namespace {

const char* codePageOf(std::uint8_t charset) {
    switch (charset) {
    case 77: return "MACINTOSH";
    case 128: return "CP932";
    case 129: return "CP949";
    case 130: return "JOHAB";
    case 134: return "CP936";
    case 136: return "CP950";
    case 161: return "CP1253";
    case 162: return "CP1254";
    case 163: return "CP1258";
    case 177: return "CP1255";
    case 178: return "CP1256";
    case 186: return "CP1257";
    case 204: return "CP1251";
    case 222: return "CP874";
    case 238: return "CP1250";
    case 255: return "CP437";
    default: return "CP1252";  // ANSI, DEFAULT and the rest: a fixed code page, never the locale
    }
}

bool isLeadByte(std::uint8_t charset, unsigned char b) {
    switch (charset) {
    case 128: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 129: case 134: case 136: case 130: return b >= 0x81 && b <= 0xFE;
    default: return false;
    }
}

struct IconvCloser {
    void operator()(void* cd) const noexcept { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvPtr = std::unique_ptr<void, IconvCloser>;

iconv_t converterFor(const char* codePage) {
    thread_local std::map<std::string, IconvPtr> cache;
    auto it = cache.find(codePage);
    if (it == cache.end()) {
        iconv_t cd = iconv_open("UTF-32LE", codePage);
        it = cache.emplace(codePage, IconvPtr(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd)).first;
    }
    return static_cast<iconv_t>(it->second.get());
}

char32_t convertOne(iconv_t cd, std::string_view chunk) {
    if (cd == nullptr) return static_cast<unsigned char>(chunk[0]);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[4] = {};
    std::copy(chunk.begin(), chunk.end(), in);
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = chunk.size(), outLeft = sizeof out;
    // Vietnamese (CP1258) holds a base letter back for a combining mark that
    // may follow: the flush gives it out.
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || outLeft > 4)
        return U'\uFFFD';
    return static_cast<char32_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8 |
                                 static_cast<unsigned char>(out[2]) << 16);
}

// The Symbol face's encoding from 0x20 on; 0 marks codes without a character.
constexpr char16_t kSymbol[224] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118,
    0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0, 0x232A, 0x222B, 0x2320,
    0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,
};

char32_t symbolChar(unsigned char b) {
    if (b < 0x20) return b;
    const char16_t c = kSymbol[b - 0x20];
    return c == 0 ? static_cast<char32_t>(0xF000 + b) : c;
}

}  // namespace

bool isSymbolFace(std::string_view face) {
    std::string lower(face);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "symbol" || lower.rfind("wingdings", 0) == 0 || lower == "webdings" ||
           lower == "mt extra" || lower == "marlett";
}

DecodedText decodeText(std::string_view bytes, std::uint8_t charset, SymbolEncoding symbols, DingbatFace dingbats) {
    DecodedText out;
    if (symbols != SymbolEncoding::None) {
        for (unsigned char b : bytes) {
            out.text.push_back(symbols == SymbolEncoding::Symbol ? symbolChar(b) : dingbatChar(dingbats, b));
            out.bytesPerChar.push_back(1);
        }
        return out;
    }
    const iconv_t cd = converterFor(codePageOf(charset));
    for (std::size_t i = 0; i < bytes.size();) {
        const bool lead = isLeadByte(charset, static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size();
        const std::size_t n = lead ? 2 : 1;
        const auto b = static_cast<unsigned char>(bytes[i]);
        out.text.push_back(!lead && b < 0x80 ? b : convertOne(cd, bytes.substr(i, n)));
        out.bytesPerChar.push_back(n);
        i += n;
    }
    return out;
}

}  // namespace plotvale::wmf
