// Straight lines in the aliased mode, pixel for pixel as GDI draws them: one-
// pixel lines with their tie-breaking and dashes, wide pens with their
// polygonal round ends, and the pen width rule.

#include <gtest/gtest.h>

#include "metafile_writer.h"
#include "render_helpers.h"

using namespace plotvale::testing;

namespace {
MetafileWriter picture() { return MetafileWriter::placeable(0, 0, 100, 100, 96); }
constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00;  // COLORREF order
constexpr std::uint32_t kRedPixel = 0xFF0000, kGreenPixel = 0x00FF00, kWhite = 0xFFFFFF;
constexpr std::uint16_t kMoveTo = 0x0214, kLineTo = 0x0213, kPolyline = 0x0325;

MetafileWriter& line(MetafileWriter& file, int x0, int y0, int x1, int y1) {
    return file.record(kMoveTo, {y0, x0}).record(kLineTo, {y1, x1});
}
}  // namespace

TEST(LineDrawing, ThinLinesRoundToTheNearestPixelWithHalvesGoingUpOrLeft) {
    auto file = picture().pen(0, 1, kRed).select(0);
    line(file, 10, 10, 20, 14);   // shallow: y = 10 + 0.4 (x - 10)
    line(file, 10, 30, 14, 32);   // halves at x = 11 and 13
    line(file, 40, 10, 42, 20);   // steep: x = 40 + 0.2 (y - 10)
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(11, 10), kRedPixel);
    EXPECT_EQ(r.at(12, 11), kRedPixel);
    EXPECT_EQ(r.at(12, 10), kWhite);
    EXPECT_EQ(r.at(19, 14), kRedPixel);
    EXPECT_EQ(r.at(20, 14), kWhite);  // the last pixel is left out
    EXPECT_EQ(r.at(11, 30), kRedPixel);
    EXPECT_EQ(r.at(11, 31), kWhite);
    EXPECT_EQ(r.at(13, 31), kRedPixel);
    EXPECT_EQ(r.at(13, 32), kWhite);
    EXPECT_EQ(r.at(40, 12), kRedPixel);
    EXPECT_EQ(r.at(41, 13), kRedPixel);
    EXPECT_EQ(r.at(42, 18), kRedPixel);
    EXPECT_EQ(r.at(42, 20), kWhite);
}

TEST(LineDrawing, DashesRunOnAcrossSegmentsAndGapsTakeTheBackgroundWhenOpaque) {
    auto file = picture().pen(1, 1, kRed).select(0).record(0x0201, {static_cast<int>(kGreen), 0});
    line(file, 10, 50, 60, 50);
    file.record(kPolyline, {3, 10, 70, 20, 70, 40, 70});
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(27, 50), kRedPixel);  // 18 on
    EXPECT_EQ(r.at(28, 50), kGreenPixel);  // 6 off
    EXPECT_EQ(r.at(33, 50), kGreenPixel);
    EXPECT_EQ(r.at(34, 50), kRedPixel);
    EXPECT_EQ(r.at(27, 70), kRedPixel);  // the dash goes on past the corner at 20
    EXPECT_EQ(r.at(28, 70), kGreenPixel);
    auto transparent = picture().pen(2, 1, kRed).select(0).record(0x0102, {1});
    line(transparent, 10, 50, 30, 50);
    const auto t = render(transparent.bytes());
    EXPECT_EQ(t.at(12, 50), kRedPixel);  // dots: 3 on, 3 off
    EXPECT_EQ(t.at(13, 50), kWhite);
    EXPECT_EQ(t.at(16, 50), kRedPixel);
}

TEST(LineDrawing, WidePensHaveRoundEnds) {
    auto file = picture().pen(0, 3, kRed).select(0);
    line(file, 20, 80, 60, 80);
    file.pen(0, 9, kRed).select(1);
    line(file, 20, 50, 60, 50);
    file.pen(0, 4, kRed).select(2);
    line(file, 20, 20, 60, 20);
    const auto r = render(file.bytes());
    // Four pixels: rows 18 to 21; the end is the octagon through (-2, -1) and
    // (-1, -2).
    EXPECT_EQ(r.at(30, 17), kWhite);
    EXPECT_EQ(r.at(30, 18), kRedPixel);
    EXPECT_EQ(r.at(30, 21), kRedPixel);
    EXPECT_EQ(r.at(30, 22), kWhite);
    EXPECT_EQ(r.at(18, 19), kRedPixel);
    EXPECT_EQ(r.at(17, 19), kWhite);
    EXPECT_EQ(r.at(18, 18), kWhite);
    EXPECT_EQ(r.at(19, 18), kRedPixel);
    // Three pixels: rows 79 to 81, reaching a pixel past the ends.
    EXPECT_EQ(r.at(30, 78), kWhite);
    EXPECT_EQ(r.at(30, 79), kRedPixel);
    EXPECT_EQ(r.at(30, 81), kRedPixel);
    EXPECT_EQ(r.at(30, 82), kWhite);
    EXPECT_EQ(r.at(18, 80), kWhite);
    EXPECT_EQ(r.at(19, 80), kRedPixel);
    EXPECT_EQ(r.at(61, 80), kRedPixel);
    EXPECT_EQ(r.at(62, 80), kWhite);
    EXPECT_EQ(r.at(19, 79), kWhite);  // the pen's corners are cut off
    EXPECT_EQ(r.at(20, 79), kRedPixel);
    // Nine pixels: the end is round, not square.
    EXPECT_EQ(r.at(16, 50), kRedPixel);
    EXPECT_EQ(r.at(15, 50), kWhite);
    EXPECT_EQ(r.at(19, 46), kRedPixel);
    EXPECT_EQ(r.at(18, 46), kWhite);
}

TEST(LineDrawing, PensBetweenFourThirdsAndTwoPixelsDrawTwoPixelsWide) {
    // Ten logical units to the pixel.
    auto file = picture().record(0x020C, {1000, 1000}).pen(0, 13, kRed).select(0);
    line(file, 100, 200, 600, 200);
    file.pen(0, 15, kRed).select(1);
    line(file, 100, 500, 600, 500);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.count(kRedPixel, 30, 17, 31, 23), 1);  // 1.3 pixels: one row
    EXPECT_EQ(r.count(kRedPixel, 30, 47, 31, 53), 2);  // 1.5 pixels: two rows
}

TEST(LineDrawing, LinesGoThroughTheRasterOperationAndTheClip) {
    auto file = picture().pen(0, 1, kRed).select(0).record(0x0104, {4})  // R2_NOTCOPYPEN
                    .record(0x0416, {100, 50, 0, 0});                    // clip to x < 50
    line(file, 10, 20, 90, 20);
    file.pen(0, 5, kRed).select(1);
    line(file, 10, 40, 90, 40);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(20, 20), 0x00FFFFu);
    EXPECT_EQ(r.at(60, 20), kWhite);
    EXPECT_EQ(r.at(20, 40), 0x00FFFFu);
    EXPECT_EQ(r.at(60, 40), kWhite);
}

TEST(LineDrawing, DiagonalWideLinesAreGdisBands) {
    // A three-pixel line at 45 degrees is six pixels across each row (GDI
    // rounds the band's offsets up to whole pixels), from two left of the
    // line's centre to three right of it.
    auto file = picture().pen(0, 3, kRed).select(0);
    line(file, 20, 20, 60, 60);
    const auto r = render(file.bytes());
    for (int x = 38; x <= 43; ++x) EXPECT_EQ(r.at(x, 40), kRedPixel) << x;
    EXPECT_EQ(r.at(37, 40), kWhite);
    EXPECT_EQ(r.at(44, 40), kWhite);
}
