#include "settings/text_file.h"

#include <gtest/gtest.h>

#include "settings/utf8_text.h"

using namespace plotvale::settings;

namespace {

// "café" followed by U+1F600 in UTF-16 of the given byte order.
std::string utf16(bool bigEndian, std::string mark) {
    const unsigned units[] = {'c', 'a', 'f', 0xE9, 0xD83D, 0xDE00};
    for (unsigned unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        mark += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return mark;
}

const std::string CafeSmile = "caf\xC3\xA9\xF0\x9F\x98\x80";

}  // namespace

TEST(TextFile, UnmarkedUtf8IsUtf8AndAnythingElseLatin1) {
    EXPECT_EQ(decodeTextFile("caf\xC3\xA9"), "caf\xC3\xA9");  // as Linux editors write it
    EXPECT_EQ(decodeTextFile("caf\xE9"), "caf\xC3\xA9");      // an older ISO 8859-1 file
    EXPECT_EQ(decodeTextFile("plain ascii\r\n"), "plain ascii\r\n");
    // One invalid sequence anywhere makes the whole file ISO 8859-1.
    EXPECT_EQ(decodeTextFile("\xC3\xA9 \xE9"), "\xC3\x83\xC2\xA9 \xC3\xA9");
    // Overlong forms and encoded surrogates are no UTF-8.
    EXPECT_EQ(decodeTextFile("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(decodeTextFile("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");
    EXPECT_EQ(decodeTextFile(""), "");
}

TEST(TextFile, ByteOrderMarksNameTheEncoding) {
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBF" "caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(decodeTextFile(utf16(false, "\xFF\xFE")), CafeSmile);
    EXPECT_EQ(decodeTextFile(utf16(true, "\xFE\xFF")), CafeSmile);
    const std::string le32("\xFF\xFE\x00\x00" "A\x00\x00\x00\x00\xF6\x01\x00", 12);
    EXPECT_EQ(decodeTextFile(le32), "A\xF0\x9F\x98\x80");
    const std::string be32("\x00\x00\xFE\xFF\x00\x00\x00" "A", 8);
    EXPECT_EQ(decodeTextFile(be32), "A");
}

TEST(TextFile, BrokenUtf16NeitherFailsNorLosesTheRest) {
    // A lone low surrogate, a high surrogate before a plain unit, a stray last byte.
    const std::string broken("\xFF\xFE\x00\xDC" "a\x00\x3D\xD8" "b\x00" "c", 11);
    EXPECT_EQ(decodeTextFile(broken), "\xEF\xBF\xBD" "a\xEF\xBF\xBD" "b");
}

TEST(Utf8Text, AppendAndValidate) {
    std::string out;
    for (char32_t c : {U'A', U'\u00E9', U'\u20AC', U'\U0001F600'}) appendUtf8(out, c);
    EXPECT_EQ(out, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_TRUE(isValidUtf8(out));
    EXPECT_FALSE(isValidUtf8(out.substr(0, out.size() - 1)));  // cut inside a sequence
    EXPECT_EQ(decodeUtf8(out), U"A\u00E9\u20AC\U0001F600");
}
