// Text is drawn with glyphs, never with a font's missing-glyph box: every
// code of Wingdings, Wingdings 2, Wingdings 3 and Webdings that has a Unicode
// character (Unicode's mappings of these faces), and Chinese, Japanese and
// Korean text; and the faces tried for a font.

#include <gtest/gtest.h>

#include <vector>

#include "canvas/canvas.h"
#include "canvas/font.h"
#include "metafile_writer.h"
#include "render_helpers.h"
#include "wmf/dingbat_faces.h"
#include "wmf/font_faces.h"

using namespace plotvale;
using namespace plotvale::testing;

namespace {

constexpr int kCell = 32, kColumns = 16, kEm = 22;

// The dark pixels of a cell, cropped to their bounding box, as rows of 0/1.
using Mask = std::vector<std::vector<bool>>;

template <typename IsInk>
Mask cropInk(int width, int height, const IsInk& ink) {
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (ink(x, y)) {
                left = std::min(left, x); right = std::max(right, x);
                top = std::min(top, y); bottom = std::max(bottom, y);
            }
    Mask mask;
    for (int y = top; y <= bottom; ++y) {
        mask.emplace_back();
        for (int x = left; x <= right; ++x) mask.back().push_back(ink(x, y));
    }
    return mask;
}

// What a font draws for a character it has no glyph for.
Mask missingGlyphBox(const char* face) {
    canvas::FontSpec spec;
    spec.face = face;
    spec.pixelSize = kEm;
    const auto font = canvas::resolveFont(spec, false);
    if (!font) return {};
    auto canvas = canvas::Canvas::create(kCell, kCell);
    canvas->setAntialias(false);
    canvas->clear({255, 255, 255, 255});
    canvas->drawText(*font, U"\U0010FFFD", {{4, 24}, 0, nullptr}, {0, 0, 0, 255});
    return cropInk(kCell, kCell, [&](int x, int y) { return canvas->pixel(x, y).r < 128; });
}

// A font of kEm pixels with the given face and character set, selected.
MetafileWriter& fontWithCharset(MetafileWriter& file, const std::string& face, int charset) {
    std::string p;
    for (int v : {-kEm, 0, 0, 0, 400}) putU16(p, v);
    p += std::string(3, '\0') + std::string(1, static_cast<char>(charset)) + std::string(4, '\0');
    p += face + std::string(32 - face.size(), '\0');
    return file.recordBytes(0x02FB, p).select(0);
}

}  // namespace

TEST(DingbatFaces, EveryMappedCodeDrawsItsSymbol) {
    const Mask box = missingGlyphBox(wmf::kDingbatFont);
    ASSERT_FALSE(box.empty()) << "the dingbat font is not installed";
    for (const char* face : {"Wingdings", "Wingdings 2", "Wingdings 3", "Webdings"}) {
        const wmf::DingbatFace dingbats = wmf::dingbatFaceOf(face);
        auto file = MetafileWriter::placeable(0, 0, kCell * kColumns, kCell * 14, 96);
        fontWithCharset(file, face, 2).record(0x0102, {1});  // SYMBOL_CHARSET
        for (int code = 0x20; code < 0x100; ++code) {
            const int cell = code - 0x20;
            file.textOut(cell % kColumns * kCell + 4, cell / kColumns * kCell + 2, std::string(1, static_cast<char>(code)));
        }
        const auto picture = render(file.bytes());
        int drawn = 0;
        for (int code = 0x21; code < 0x100; ++code) {
            if (wmf::dingbatChar(dingbats, static_cast<unsigned char>(code)) == U' ') continue;
            const int cell = code - 0x20, x0 = cell % kColumns * kCell, y0 = cell / kColumns * kCell;
            const Mask ink = cropInk(kCell, kCell, [&](int x, int y) {
                return (picture.at(x0 + x, y0 + y) & 0xFF) < 128;
            });
            EXPECT_FALSE(ink.empty()) << face << " code " << code << " draws nothing";
            EXPECT_NE(ink, box) << face << " code " << code << " draws the missing-glyph box";
            ++drawn;
        }
        EXPECT_GT(drawn, 200) << face;
    }
}

TEST(CjkText, DrawsGlyphsOfAChineseJapaneseKoreanFont) {
    // The CJK font's box, and the Latin fallback's one that text without a
    // CJK font would show.
    const Mask box = missingGlyphBox("WenQuanYi Micro Hei"), latinBox = missingGlyphBox("Liberation Sans");
    ASSERT_FALSE(box.empty()) << "no CJK font installed";
    struct Sample {
        int charset;
        std::string bytes;  // two characters in the charset's code page
    };
    const Sample samples[] = {{128, "\x93\xfa\x96\x7b"},   // SHIFTJIS: nihon
                              {134, "\xd6\xd0\xce\xc4"},   // GB2312: zhongwen
                              {129, "\xc7\xd1\xb1\xb9"},   // HANGUL: hanguk
                              {136, "\xa4\xa4\xa4\xe5"}};  // CHINESEBIG5: zhongwen
    for (const auto& sample : samples) {
        auto file = MetafileWriter::placeable(0, 0, 2 * kCell, kCell, 96);
        fontWithCharset(file, "MS Mincho", sample.charset).record(0x0102, {1});
        file.textOut(4, 2, sample.bytes.substr(0, 2)).textOut(kCell + 4, 2, sample.bytes.substr(2));
        const auto picture = render(file.bytes());
        for (int cell = 0; cell < 2; ++cell) {
            const Mask ink = cropInk(kCell, kCell, [&](int x, int y) {
                return (picture.at(cell * kCell + x, y) & 0xFF) < 128;
            });
            EXPECT_FALSE(ink.empty()) << "charset " << sample.charset << " draws nothing";
            EXPECT_NE(ink, box) << "charset " << sample.charset << " draws the missing-glyph box";
            EXPECT_NE(ink, latinBox) << "charset " << sample.charset << " draws a Latin font's missing-glyph box";
        }
    }
}

TEST(FaceChoice, WindowsFacesThenGdisChoiceByPitchFamilyAndCharset) {
    auto faces = [](const char* face, int pitchAndFamily = 0, int charset = 0) {
        wmf::FontObject f;
        f.face = face;
        f.pitchAndFamily = static_cast<std::uint8_t>(pitchAndFamily);
        f.charset = static_cast<std::uint8_t>(charset);
        return wmf::candidateFaces(f);
    };
    using List = std::vector<std::string>;
    EXPECT_EQ(faces("Calibri"), (List{"Carlito", "Liberation Sans"}));
    EXPECT_EQ(faces("CAMBRIA", 0x12), (List{"Caladea", "Liberation Serif"}));
    EXPECT_EQ(faces("MS Shell Dlg"), (List{"Tahoma", "Liberation Sans"}));
    // Unknown faces: the roman family is serif, the modern family and fixed pitch are mono.
    EXPECT_EQ(faces("Garamond Book", 0x12), (List{"Garamond Book", "Liberation Serif"}));
    EXPECT_EQ(faces("Letter Gothic", 0x31), (List{"Letter Gothic", "Liberation Mono"}));
    EXPECT_EQ(faces("Prestige", 0x01), (List{"Prestige", "Liberation Mono"}));
    // fontconfig's generic names are no Windows faces.
    EXPECT_EQ(faces("sans-serif"), (List{"Liberation Sans"}));
    EXPECT_EQ(faces(""), (List{"Liberation Sans"}));
    // A Latin face has no CJK glyphs: the CJK character sets take a CJK face.
    EXPECT_EQ(faces("Arial", 0, 128), (List{"WenQuanYi Micro Hei"}));
    EXPECT_EQ(faces("MS Gothic", 0x31, 134), (List{"WenQuanYi Micro Hei Mono"}));
}
