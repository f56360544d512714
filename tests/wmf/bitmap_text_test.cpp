// Bitmap records (DIBs of every depth and compression) and text placement.

#include <gtest/gtest.h>

#include "metafile_writer.h"
#include "render_helpers.h"

using namespace plotvale::testing;

namespace {

MetafileWriter picture() { return MetafileWriter::placeable(0, 0, 100, 100, 96); }

std::string dib(int width, int height, int bits, int compression, const std::vector<std::uint32_t>& palette,
                const std::string& pixels) {
    return dibBits(width, height, bits, compression, palette, pixels);
}

// STRETCHDIB of a DIB onto (x, y, w, h) with SRCCOPY.
MetafileWriter stretchDib(const std::string& bits, int srcW, int srcH, int x, int y, int w, int h) {
    std::string p;
    for (int v : {0x0020, 0x00CC, 0, srcH, srcW, 0, 0, h, w, y, x}) putU16(p, v);
    return picture().recordBytes(0x0F43, p + bits);
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

}  // namespace

TEST(Bitmaps, TrueColourDibBottomUpAndTopDown) {
    // 2 x 2, 24 bits, rows padded to 8 bytes. Bottom-up: first stored row is the bottom.
    const std::string rows = bytes({0, 0, 255, 0, 255, 0, 0, 0,  255, 0, 0, 255, 255, 255, 0, 0});
    const auto up = render(stretchDib(dib(2, 2, 24, 0, {}, rows), 2, 2, 0, 0, 100, 100).bytes());
    EXPECT_EQ(up.at(25, 75), 0xFF0000u);  // bottom-left red
    EXPECT_EQ(up.at(75, 75), 0x00FF00u);
    EXPECT_EQ(up.at(25, 25), 0x0000FFu);  // top-left blue
    EXPECT_EQ(up.at(75, 25), 0xFFFFFFu);
    const auto down = render(stretchDib(dib(2, -2, 24, 0, {}, rows), 2, 2, 0, 0, 100, 100).bytes());
    EXPECT_EQ(down.at(25, 25), 0xFF0000u);
}

TEST(Bitmaps, NegativeDestinationMirrors) {
    const std::string rows = bytes({0, 0, 255, 255, 255, 255, 0, 0,  0, 0, 255, 255, 255, 255, 0, 0});
    const auto r = render(stretchDib(dib(2, 2, 24, 0, {}, rows), 2, 2, 100, 0, -100, 100).bytes());
    EXPECT_EQ(r.at(75, 50), 0xFF0000u);
    EXPECT_EQ(r.at(25, 50), 0xFFFFFFu);
}

TEST(Bitmaps, PalettedDepths) {
    const std::vector<std::uint32_t> pal = {0x000000, 0xFF0000};
    // 1 bit: one row 10000000 padded to 4 bytes; 8 x 1 picture.
    const auto one = render(stretchDib(dib(8, 1, 1, 0, pal, bytes({0x80, 0, 0, 0})), 8, 1, 0, 0, 80, 10).bytes());
    EXPECT_EQ(one.at(5, 5), 0xFF0000u);
    EXPECT_EQ(one.at(15, 5), 0x000000u);
    const auto four = render(stretchDib(dib(2, 1, 4, 0, pal, bytes({0x01, 0, 0, 0})), 2, 1, 0, 0, 100, 10).bytes());
    EXPECT_EQ(four.at(25, 5), 0x000000u);
    EXPECT_EQ(four.at(75, 5), 0xFF0000u);
    const auto eight = render(stretchDib(dib(2, 1, 8, 0, pal, bytes({1, 0, 0, 0})), 2, 1, 0, 0, 100, 10).bytes());
    EXPECT_EQ(eight.at(25, 5), 0xFF0000u);
}

TEST(Bitmaps, SixteenAndThirtyTwoBits) {
    // 16 bits 5-5-5: pure red is 0x7C00.
    const auto r16 = render(stretchDib(dib(1, 1, 16, 0, {}, bytes({0x00, 0x7C, 0, 0})), 1, 1, 0, 0, 10, 10).bytes());
    EXPECT_EQ(r16.at(5, 5), 0xFF0000u);
    const auto r32 = render(stretchDib(dib(1, 1, 32, 0, {}, bytes({255, 0, 0, 0})), 1, 1, 0, 0, 10, 10).bytes());
    EXPECT_EQ(r32.at(5, 5), 0x0000FFu);
}

TEST(Bitmaps, RunLengthEncoded) {
    const std::vector<std::uint32_t> pal = {0x000000, 0xFF0000, 0x00FF00};
    // RLE8, 4 x 2: bottom row 4 x colour 1, then end of line, top row absolute 2,2,1,1, end.
    const std::string rle8 = bytes({4, 1, 0, 0, 0, 4, 2, 2, 1, 1, 0, 1});
    const auto r = render(stretchDib(dib(4, 2, 8, 1, pal, rle8), 4, 2, 0, 0, 40, 20).bytes());
    EXPECT_EQ(r.at(5, 15), 0xFF0000u);
    EXPECT_EQ(r.at(5, 5), 0x00FF00u);
    EXPECT_EQ(r.at(35, 5), 0xFF0000u);
    // RLE4: a run of 4 pixels alternating colours 1 and 2.
    const auto r4 = render(stretchDib(dib(4, 1, 4, 2, pal, bytes({4, 0x12, 0, 1})), 4, 1, 0, 0, 40, 10).bytes());
    EXPECT_EQ(r4.at(5, 5), 0xFF0000u);
    EXPECT_EQ(r4.at(15, 5), 0x00FF00u);
}

TEST(Bitmaps, RleRunningPastTheBitmapIsBounded) {
    const std::vector<std::uint32_t> pal = {0x000000, 0xFF0000};
    std::string rle;
    for (int i = 0; i < 200; ++i) rle += bytes({255, 1, 0, 2, 255, 255});  // long runs and huge deltas
    rle += bytes({0, 250});  // absolute run longer than the data
    const auto r = render(stretchDib(dib(4, 4, 8, 1, pal, rle), 4, 4, 0, 0, 40, 40).bytes());
    EXPECT_EQ(r.width(), 100);
}

TEST(Bitmaps, SourceAndInvertBuildTransparency) {
    // SRCINVERT twice restores the destination; SRCAND with white keeps it.
    const std::string white = bytes({255, 255, 255, 0});
    std::string p;
    for (int v : {0x0046, 0x0066, 0, 1, 1, 0, 0, 50, 50, 0, 0}) putU16(p, v);  // SRCINVERT
    auto file = picture().brush(0, 0x0000FF).select(0).record(0x061D, {0x0021, 0x00F0, 100, 100, 0, 0});
    file.recordBytes(0x0F43, p + dib(1, 1, 24, 0, {}, white));
    const auto once = render(file.bytes());
    EXPECT_EQ(once.at(10, 10), 0x00FFFFu);
    file.recordBytes(0x0F43, p + dib(1, 1, 24, 0, {}, white));
    EXPECT_EQ(render(file.bytes()).at(10, 10), 0xFF0000u);
}

TEST(Text, DrawsWithTheSelectedColourAndFont) {
    auto file = picture().font(-20, "Arial").select(0).record(0x0209, {0x00FF, 0}).record(0x0102, {1}).textOut(10, 10, "Hello");
    const auto r = render(file.bytes());
    EXPECT_GT(r.count(0xFF0000, 10, 10, 80, 35), 30);
    EXPECT_EQ(r.count(0xFF0000, 0, 40, 100, 100), 0);
}

TEST(Text, AlignmentMovesTheText) {
    auto aligned = [](int align) {
        return render(picture().font(-20, "Arial").select(0).record(0x0102, {1}).record(0x012E, {align})
                          .textOut(50, 50, "MMM").bytes());
    };
    const auto left = aligned(0), right = aligned(2), center = aligned(6), baseline = aligned(24);
    EXPECT_GT(left.count(0, 50, 50, 100, 75), 20);
    EXPECT_EQ(left.count(0, 0, 0, 49, 100), 0);
    EXPECT_GT(right.count(0, 0, 50, 50, 75), 20);
    EXPECT_EQ(right.count(0, 51, 0, 100, 100), 0);
    EXPECT_GT(center.count(0, 30, 50, 50, 75), 5);
    EXPECT_GT(center.count(0, 50, 50, 70, 75), 5);
    EXPECT_GT(baseline.count(0, 50, 30, 100, 50), 20);  // above the reference point
    EXPECT_EQ(baseline.count(0, 0, 52, 100, 100), 0);
}

TEST(Text, EscapementRotatesCounterClockwise) {
    auto file = picture().font(-16, "Arial", 900).select(0).record(0x0102, {1}).record(0x012E, {24})
                    .textOut(50, 90, "MMMMM");
    const auto r = render(file.bytes());
    EXPECT_GT(r.count(0, 30, 20, 55, 90), 30);  // runs upwards from the reference point
    EXPECT_EQ(r.count(0, 60, 0, 100, 100), 0);
}

TEST(Text, UnknownFaceStillDraws) {
    auto file = picture().font(-20, "No Such Face 123").select(0).record(0x0102, {1}).textOut(10, 10, "Hello");
    EXPECT_GT(render(file.bytes()).count(0, 0, 0, 100, 100), 30);
}

TEST(Text, OpaqueRectangleAndClipping) {
    std::string p;
    for (int v : {20, 10, 2, 0x0006, 10, 10, 30, 30}) putU16(p, v);  // y, x, count, OPAQUE|CLIPPED, rect
    p += "WW";
    auto file = picture().font(-40, "Arial").select(0).record(0x0201, {0x00FF, 0}).recordBytes(0x0A32, p);
    const auto r = render(file.bytes());
    EXPECT_GT(r.count(0xFF0000, 10, 10, 30, 30), 0);  // opaque box in the background colour
    EXPECT_EQ(r.count(0x000000, 30, 0, 100, 100), 0);  // glyphs clipped to the box
    EXPECT_EQ(r.count(0x000000, 0, 30, 100, 100), 0);
}

TEST(Text, DxSpreadsCharactersAndPairedDxIsIgnored) {
    auto extText = [](std::uint16_t options, std::initializer_list<int> dx) {
        std::string p;
        for (int v : {40, 5, 2, static_cast<int>(options)}) putU16(p, v);  // y, x, count, options
        p += "ii";
        for (int v : dx) putU16(p, v);
        return render(picture().font(-20, "Arial").select(0).record(0x0102, {1}).recordBytes(0x0A32, p).bytes());
    };
    const auto spread = extText(0, {60, 60});
    EXPECT_GT(spread.count(0, 60, 30, 80, 70), 3);  // the second i sixty pixels on
    const auto plain = extText(0, {});
    const auto paired = extText(0x2000, {60, 40, 60, 40});  // ETO_PDY: (dx, dy) pairs
    EXPECT_EQ(paired.count(0, 0, 0, 100, 100), plain.count(0, 0, 0, 100, 100));
    EXPECT_EQ(paired.count(0, 30, 0, 100, 100), 0);  // both characters at the font's own advance
}

TEST(Bitmaps, SetDibToDeviceDrawsOnlyItsBandOfScanLines) {
    // A 1 x 4 bottom-up DIB of which the record carries scan lines 1 and 2
    // (red, then green counted from the bottom), drawn 1:1 at (0, 0).
    const std::string band = bytes({0, 0, 255, 0, 0, 255, 0, 0});
    std::string p;
    for (int v : {0, 2, 1, 0, 0, 4, 1, 0, 0}) putU16(p, v);  // usage, scans, start, ySrc, xSrc, h, w, yDst, xDst
    const auto r = render(MetafileWriter::placeable(0, 0, 4, 4, 96).recordBytes(0x0D33, p + dib(1, 4, 24, 0, {}, band)).bytes());
    EXPECT_EQ(r.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(r.at(0, 1), 0x00FF00u);
    EXPECT_EQ(r.at(0, 2), 0xFF0000u);
    EXPECT_EQ(r.at(0, 3), 0xFFFFFFu);
}

TEST(Bitmaps, PaletteEntriesChangedAfterSelectionColourLaterDibs) {
    std::string palette;
    for (int v : {0x0300, 2}) putU16(palette, v);
    for (std::uint32_t c : {0x0000FFu, 0x00FF00u}) putU32(palette, c);  // red, green as COLORREFs
    std::string entries;
    for (int v : {1, 1}) putU16(entries, v);  // start 1, one entry
    putU32(entries, 0xFF0000u);              // blue
    std::string stretch;
    for (int v : {0x0020, 0x00CC, 1, 1, 2, 0, 0, 10, 100, 0, 0}) putU16(stretch, v);  // DIB_PAL_COLORS
    // Two 8-bit pixels 0 and 1; the colour table holds palette indices 0 and 1.
    std::string bits = dib(2, 1, 8, 0, {0x00010000u}, bytes({0, 1, 0, 0}));
    bits[32] = 2;  // two colour-table entries of 16 bits each
    auto file = picture().recordBytes(0x00F7, palette).record(0x0234, {0}).recordBytes(0x0037, entries)
                    .recordBytes(0x0F43, stretch + bits);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(25, 5), 0xFF0000u);
    EXPECT_EQ(r.at(75, 5), 0x0000FFu);
}

TEST(Bitmaps, StretchModeCombinesPixelsOfAShrunkSource) {
    // Red, green, blue and white squeezed into one pixel.
    const std::string rows = bytes({0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
    auto shrunk = [&](int mode) {
        std::string p;
        for (int v : {0x0020, 0x00CC, 0, 1, 4, 0, 0, 10, 1, 0, 0}) putU16(p, v);
        return render(picture().record(0x0107, {mode}).recordBytes(0x0F43, p + dib(4, 1, 24, 0, {}, rows)).bytes()).at(0, 5);
    };
    EXPECT_EQ(shrunk(1), 0x000000u);  // BLACKONWHITE: AND keeps dark detail
    EXPECT_EQ(shrunk(2), 0xFFFFFFu);  // WHITEONBLACK: OR keeps light detail
    EXPECT_EQ(shrunk(3), 0x0000FFu);  // COLORONCOLOR: the pixel under the centre
    EXPECT_EQ(shrunk(4), 0x7F7F7Fu);  // HALFTONE: the average
}
