// Shapes, objects, state and mapping, checked by their pixels on a 100 x 100
// picture whose logical units are pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "metafile_writer.h"
#include "render_helpers.h"

using namespace plotvale::testing;

namespace {
MetafileWriter picture() { return MetafileWriter::placeable(0, 0, 100, 100, 96); }
constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;  // COLORREF order
}  // namespace

TEST(Drawing, RectangleWithPenAndBrushExcludesRightAndBottom) {
    const auto r = render(picture().pen(0, 1, 0).select(0).brush(0, kRed).select(1).rectangle(10, 10, 20, 20).bytes());
    EXPECT_EQ(r.at(10, 10), 0x000000u);  // outline
    EXPECT_EQ(r.at(19, 19), 0x000000u);
    EXPECT_EQ(r.at(15, 15), 0xFF0000u);  // interior
    EXPECT_EQ(r.at(20, 15), 0xFFFFFFu);  // right edge excluded
    EXPECT_EQ(r.at(15, 20), 0xFFFFFFu);
}

TEST(Drawing, InsideFramePenStaysInsideTheBox) {
    const auto centred = render(picture().pen(0, 9, 0).select(0).brush(1, 0).select(1).rectangle(20, 20, 80, 80).bytes());
    const auto inside = render(picture().pen(6, 9, 0).select(0).brush(1, 0).select(1).rectangle(20, 20, 80, 80).bytes());
    EXPECT_EQ(centred.at(17, 50), 0x000000u);
    EXPECT_EQ(inside.at(17, 50), 0xFFFFFFu);
    EXPECT_EQ(inside.at(20, 50), 0x000000u);
    EXPECT_EQ(inside.at(28, 50), 0x000000u);
}

TEST(Drawing, NullPenAndNullBrushDrawNothing) {
    const auto r = render(picture().pen(5, 1, 0).select(0).brush(1, 0).select(1).rectangle(10, 10, 90, 90).bytes());
    EXPECT_EQ(r.countNot(0xFFFFFF), 0);
}

TEST(Drawing, ObjectsTakeTheLowestFreeSlot) {
    // Slots 0 and 1 are filled, 0 is freed; the next object must land in slot 0.
    auto file = picture().pen(5, 1, 0).brush(0, kRed).remove(0).brush(0, kGreen)
                    .select(1).rectangle(0, 0, 50, 50)    // red brush from slot 1
                    .select(0).rectangle(50, 50, 100, 100)  // green brush from slot 0
                    .select(7).select(60000).remove(900);   // empty slots: ignored
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(20, 20), 0xFF0000u);
    EXPECT_EQ(r.at(70, 70), 0x00FF00u);
}

TEST(Drawing, SaveAndRestoreBringBackObjectsRelativeAndAbsolute) {
    auto file = picture().pen(5, 1, 0).select(0).brush(0, kRed).brush(0, kGreen).brush(0, kBlue)
                    .select(1).record(0x001E, {})     // save 1: red
                    .select(2).record(0x001E, {})     // save 2: green
                    .select(3)
                    .record(0x0127, {-1}).rectangle(0, 0, 30, 30)   // back to green
                    .select(3).record(0x0127, {1}).rectangle(40, 0, 70, 30);  // absolute 1: red
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(10, 10), 0x00FF00u);
    EXPECT_EQ(r.at(50, 10), 0xFF0000u);
}

TEST(Drawing, FlippedWindowMirrorsThePicture) {
    // Window runs right to left and bottom to top.
    auto file = picture().record(0x020B, {100, 100}).record(0x020C, {-100, -100})
                    .pen(5, 1, 0).select(0).brush(0, kRed).select(1).rectangle(0, 0, 20, 20);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(90, 90), 0xFF0000u);
    EXPECT_EQ(r.at(10, 10), 0xFFFFFFu);
}

TEST(Drawing, ViewportAndMapModeRecordsAreNotPlayed) {
    auto file = picture().record(0x0103, {1}).record(0x020E, {10, 10}).record(0x020D, {50, 50})
                    .pen(5, 1, 0).select(0).brush(0, kRed).select(1).rectangle(0, 0, 20, 20);
    EXPECT_EQ(render(file.bytes()).at(10, 10), 0xFF0000u);
}

TEST(Drawing, WindowRecordsScaleThePicture) {
    auto file = picture().record(0x020C, {50, 50})  // 50 logical units fill 100 pixels
                    .pen(5, 1, 0).select(0).brush(0, kRed).select(1).rectangle(0, 0, 25, 25);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(45, 45), 0xFF0000u);
    EXPECT_EQ(r.at(55, 55), 0xFFFFFFu);
}

TEST(Drawing, HatchedBrushLeavesGapsAndHonoursBackgroundMode) {
    auto transparent = picture().pen(5, 1, 0).select(0).brush(2, 0, 0).select(1)
                           .record(0x0102, {1}).rectangle(0, 0, 100, 100);
    const auto t = render(transparent.bytes());
    const int black = t.count(0x000000, 0, 0, 96, 96);
    EXPECT_EQ(black, 96 * 12);  // one horizontal line in every 8 rows
    auto opaque = picture().record(0x0201, {static_cast<int>(kGreen & 0xFFFF), static_cast<int>(kGreen >> 16)})
                      .pen(5, 1, 0).select(0).brush(2, 0, 1).select(1).rectangle(0, 0, 100, 100);
    const auto o = render(opaque.bytes());
    EXPECT_EQ(o.count(0x000000, 0, 0, 96, 96), 96 * 12);
    EXPECT_EQ(o.count(0x00FF00, 0, 0, 96, 96), 96 * 96 - 96 * 12);
}

TEST(Drawing, PolygonFillModes) {
    // A pentagram: its centre is outside with ALTERNATE, inside with WINDING.
    const std::vector<int> star = {5, 50, 0, 79, 90, 2, 35, 98, 35, 21, 90};
    auto alternate = picture().pen(5, 1, 0).select(0).brush(0, kRed).select(1).record(0x0324, star);
    auto winding = picture().pen(5, 1, 0).select(0).brush(0, kRed).select(1).record(0x0106, {2}).record(0x0324, star);
    EXPECT_EQ(render(alternate.bytes()).at(50, 50), 0xFFFFFFu);
    EXPECT_EQ(render(winding.bytes()).at(50, 50), 0xFF0000u);
}

TEST(Drawing, EllipseArcPieAndChord) {
    auto file = picture().pen(0, 1, 0).select(0).brush(0, kRed).select(1)
                    .record(0x0418, {40, 40, 0, 0})                       // ellipse
                    .record(0x081A, {50, 100, 50, 100, 100, 100, 50, 50}); // full pie
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(20, 20), 0xFF0000u);
    EXPECT_EQ(r.at(1, 1), 0xFFFFFFu);
    EXPECT_EQ(r.at(75, 85), 0xFF0000u);  // filled; the centre holds the radial line
}

TEST(Drawing, BinaryRasterOperations) {
    auto base = [] { return picture().pen(5, 1, 0).select(0).brush(0, 0x000000).select(1).rectangle(0, 0, 50, 100)
                         .brush(0, kRed).select(2); };
    // XOR with red over black gives red, over white gives cyan.
    const auto x = render(base().record(0x0104, {7}).rectangle(0, 0, 100, 100).bytes());
    EXPECT_EQ(x.at(20, 50), 0xFF0000u);
    EXPECT_EQ(x.at(70, 50), 0x00FFFFu);
    const auto n = render(base().record(0x0104, {6}).rectangle(0, 0, 100, 100).bytes());  // R2_NOT
    EXPECT_EQ(n.at(20, 50), 0xFFFFFFu);
    EXPECT_EQ(n.at(70, 50), 0x000000u);
    const auto m = render(base().record(0x0104, {9}).rectangle(0, 0, 100, 100).bytes());  // R2_MASKPEN
    EXPECT_EQ(m.at(20, 50), 0x000000u);
    EXPECT_EQ(m.at(70, 50), 0xFF0000u);
    const auto nop = render(base().record(0x0104, {11}).rectangle(0, 0, 100, 100).bytes());
    EXPECT_EQ(nop.at(70, 50), 0xFFFFFFu);
}

TEST(Drawing, PatBltTernaryOperations) {
    auto base = [] { return picture().brush(0, kRed).select(0); };
    const auto patcopy = render(base().record(0x061D, {0x0021, 0x00F0, 50, 50, 0, 0}).bytes());
    EXPECT_EQ(patcopy.at(10, 10), 0xFF0000u);
    EXPECT_EQ(patcopy.at(60, 60), 0xFFFFFFu);
    const auto dstinvert = render(base().record(0x061D, {0x0009, 0x0055, 50, 50, 0, 0}).bytes());
    EXPECT_EQ(dstinvert.at(10, 10), 0x000000u);
    const auto blackness = render(base().record(0x061D, {0x0042, 0x0000, 50, 50, 0, 0}).bytes());
    EXPECT_EQ(blackness.at(49, 49), 0x000000u);
    EXPECT_EQ(blackness.at(50, 50), 0xFFFFFFu);
}

TEST(Drawing, ClippingByRectanglesAndRegions) {
    auto rects = picture().pen(5, 1, 0).select(0).brush(0, kRed).select(1)
                     .record(0x0416, {60, 60, 20, 20})     // intersect 20..60
                     .record(0x0415, {40, 40, 30, 30})     // exclude 30..40
                     .rectangle(0, 0, 100, 100);
    const auto r = render(rects.bytes());
    EXPECT_EQ(r.at(25, 25), 0xFF0000u);
    EXPECT_EQ(r.at(35, 35), 0xFFFFFFu);
    EXPECT_EQ(r.at(10, 10), 0xFFFFFFu);
    EXPECT_EQ(r.at(70, 70), 0xFFFFFFu);

    // A region of two scans: 10..20 x 10..20 and 50..60 x 50..60.
    std::vector<int> region = {0, 6, 0, 0, 0, 2, 20, 10, 10, 60, 60,
                               2, 10, 20, 10, 20, 2, 2, 50, 60, 50, 60, 2};
    auto clipped = picture().pen(5, 1, 0).select(0).brush(0, kRed).select(1)
                       .record(0x06FF, region).record(0x012C, {2}).rectangle(0, 0, 100, 100);
    const auto c = render(clipped.bytes());
    EXPECT_EQ(c.at(15, 15), 0xFF0000u);
    EXPECT_EQ(c.at(55, 55), 0xFF0000u);
    EXPECT_EQ(c.at(35, 35), 0xFFFFFFu);
    EXPECT_EQ(c.count(0xFF0000, 0, 0, 100, 100), 200);
}

TEST(Drawing, FillAndInvertRegion) {
    std::vector<int> region = {0, 6, 0, 0, 0, 1, 10, 10, 40, 40, 2, 10, 40, 10, 40, 2};
    auto file = picture().record(0x06FF, region).brush(0, kBlue)
                    .record(0x0228, {0, 1})      // FILLREGION
                    .record(0x012A, {0});        // INVERTREGION
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(20, 20), 0xFFFF00u);  // blue inverted
    EXPECT_EQ(r.at(50, 50), 0xFFFFFFu);
}

TEST(Drawing, LinesExcludeTheirLastPixel) {
    auto file = picture().pen(0, 1, kRed).select(0).record(0x0214, {10, 10}).record(0x0213, {10, 20});
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(10, 10), 0xFF0000u);
    EXPECT_EQ(r.at(19, 10), 0xFF0000u);
    EXPECT_EQ(r.at(20, 10), 0xFFFFFFu);
    // Whichever way a line runs: up and left keep the first pixel too.
    auto back = picture().pen(0, 1, kRed).select(0).record(0x0214, {30, 20}).record(0x0213, {30, 10})
                    .record(0x0214, {60, 50}).record(0x0213, {40, 50});
    const auto b = render(back.bytes());
    EXPECT_EQ(b.at(20, 30), 0xFF0000u);
    EXPECT_EQ(b.at(11, 30), 0xFF0000u);
    EXPECT_EQ(b.at(10, 30), 0xFFFFFFu);
    EXPECT_EQ(b.at(50, 60), 0xFF0000u);
    EXPECT_EQ(b.at(50, 41), 0xFF0000u);
    EXPECT_EQ(b.at(50, 40), 0xFFFFFFu);
}

// Half-pixel device coordinates round as GDI rounds them: down across, up
// down the picture.
TEST(Drawing, HalfPixelCoordinatesRoundDownAcrossAndUpDown) {
    auto file = MetafileWriter::placeable(0, 0, 200, 200, 192).pen(5, 1, 0).select(0).brush(0, kRed).select(1)
                    .rectangle(21, 21, 121, 121);  // 10.5 device pixels from the top left
    const auto r = render(file.bytes());
    EXPECT_EQ(r.at(10, 30), 0xFF0000u);
    EXPECT_EQ(r.at(9, 30), 0xFFFFFFu);
    EXPECT_EQ(r.at(30, 11), 0xFF0000u);
    EXPECT_EQ(r.at(30, 10), 0xFFFFFFu);
}

TEST(Drawing, UnknownRecordsAreSkippedAndCounted) {
    auto file = picture().record(0x0999, {1, 2, 3}).record(0x0777, {}).brush(0, kRed).select(0).rectangle(0, 0, 10, 10);
    const auto r = render(file.bytes());
    EXPECT_EQ(r.result.unknownRecords, 2);
    EXPECT_EQ(r.at(5, 5), 0xFF0000u);
}

// Curves in the aliased mode, checked against pixels of GDI renders.
TEST(AliasedCurves, OnePixelEllipseAndItsInterior) {
    const auto r = render(picture().pen(0, 1, 0).select(0).brush(0, kRed).select(1)
                              .record(0x0418, {15, 15, 10, 10}).bytes());  // 5 x 5 pixels
    EXPECT_EQ(r.at(10, 10), 0xFFFFFFu);  // corners stay white
    EXPECT_EQ(r.at(14, 14), 0xFFFFFFu);
    for (int i = 11; i <= 13; ++i) {
        EXPECT_EQ(r.at(i, 10), 0x000000u);  // top row
        EXPECT_EQ(r.at(10, i), 0x000000u);  // left column
        EXPECT_EQ(r.at(14, i), 0x000000u);  // right column, inside the box
        EXPECT_EQ(r.at(i, 12), 0xFF0000u);  // interior
    }
    EXPECT_EQ(r.at(15, 12), 0xFFFFFFu);  // right edge of the box excluded
}

TEST(AliasedCurves, OnePixelArcKeepsTheEllipsePixelsOfItsSweep) {
    // The upper half of the 5 x 5 circle, counter-clockwise from its right.
    const auto r = render(picture().pen(0, 1, 0).select(0)
                              .record(0x0817, {12, 10, 12, 15, 15, 15, 10, 10}).bytes());
    for (int x = 11; x <= 13; ++x) EXPECT_EQ(r.at(x, 10), 0x000000u);
    EXPECT_EQ(r.at(10, 11), 0x000000u);
    EXPECT_EQ(r.at(14, 11), 0x000000u);
    EXPECT_EQ(r.at(10, 13), 0xFFFFFFu);
    EXPECT_EQ(r.at(12, 14), 0xFFFFFFu);
    EXPECT_EQ(r.at(10, 10), 0xFFFFFFu);
}

TEST(AliasedCurves, EllipseWithoutPenFillsTheOutlinedPixels) {
    const auto r = render(picture().pen(5, 1, 0).select(0).brush(0, kRed).select(1)
                              .record(0x0418, {15, 15, 10, 10}).bytes());
    EXPECT_EQ(r.at(10, 10), 0xFFFFFFu);
    EXPECT_EQ(r.at(11, 10), 0xFF0000u);
    EXPECT_EQ(r.at(14, 12), 0xFF0000u);
    EXPECT_EQ(r.at(12, 14), 0xFF0000u);
    EXPECT_EQ(r.count(0xFF0000, 0, 0, 100, 100), 21);  // 5 x 5 less the four corners
}

TEST(AliasedCurves, TwoPixelPenOnAPie) {
    auto file = MetafileWriter::placeable(0, 0, 192, 192, 96).pen(0, 2, kBlue).select(0).brush(0, kRed).select(1)
                    .record(0x081A, {2, 2, 2, 94, 94, 94, 2, 2});  // quarter from the top-right ray to the top-left
    const auto r = render(file.bytes());
    // The 45-degree edges are four pixels across, the point three.
    for (int x = 43; x <= 53; ++x) {
        const bool pen = (x >= 43 && x <= 46) || (x >= 50 && x <= 53);
        EXPECT_EQ(r.at(x, 44), pen ? 0x0000FFu : 0xFF0000u) << "x " << x;
    }
    EXPECT_EQ(r.at(46, 48), 0xFFFFFFu);
    EXPECT_EQ(r.at(47, 48), 0x0000FFu);
    EXPECT_EQ(r.at(49, 48), 0x0000FFu);
    EXPECT_EQ(r.at(50, 48), 0xFFFFFFu);
    // The arc's top covers rows 1 and 2, x 40..54 on row 1.
    EXPECT_EQ(r.at(39, 1), 0xFFFFFFu);
    EXPECT_EQ(r.at(40, 1), 0x0000FFu);
    EXPECT_EQ(r.at(54, 1), 0x0000FFu);
    EXPECT_EQ(r.at(55, 1), 0xFFFFFFu);
    EXPECT_EQ(r.at(47, 2), 0x0000FFu);
    EXPECT_EQ(r.at(47, 3), 0xFF0000u);
}

TEST(AliasedCurves, PenWidthsAreMappedFromTheWindowOrigin) {
    // Three logical units a pixel: a width of 4 is 1.33 pixels, one pixel
    // from x = 0 (0 to 1.33) and two from x = -1 (0.33 to 1.67), as GDI
    // draws them; inside-frame pens are as wide as solid ones.
    auto framed = [](int style, int originX) {
        return render(picture().record(0x020B, {0, originX}).record(0x020C, {300, 300}).pen(style, 4, 0).select(0)
                          .brush(1, 0).select(1).rectangle(30, 30, 270, 270).bytes());
    };
    for (int style : {0, 6}) {
        const auto thin = framed(style, 0);
        EXPECT_EQ(thin.at(9, 50), 0xFFFFFFu) << style;
        EXPECT_EQ(thin.at(10, 50), 0x000000u) << style;
        EXPECT_EQ(thin.at(11, 50), 0xFFFFFFu) << style;
    }
    const auto solid = framed(0, -1), inside = framed(6, -1);
    EXPECT_EQ(solid.at(8, 50), 0xFFFFFFu);
    EXPECT_EQ(solid.at(9, 50), 0x000000u);
    EXPECT_EQ(solid.at(10, 50), 0x000000u);
    EXPECT_EQ(solid.at(11, 50), 0xFFFFFFu);
    EXPECT_EQ(inside.at(9, 50), 0xFFFFFFu);
    EXPECT_EQ(inside.at(10, 50), 0x000000u);
    EXPECT_EQ(inside.at(11, 50), 0x000000u);
    EXPECT_EQ(inside.at(12, 50), 0xFFFFFFu);
}

TEST(AliasedCurves, InsideFrameEllipseStaysInItsBox) {
    // A two-pixel inside-frame pen (6 logical units at three a pixel).
    const auto r = render(picture().record(0x020C, {300, 300}).pen(6, 6, 0).select(0).brush(1, 0)
                              .select(1).record(0x0418, {270, 270, 30, 30}).bytes());
    EXPECT_EQ(r.at(9, 50), 0xFFFFFFu);
    EXPECT_EQ(r.at(10, 50), 0x000000u);
    EXPECT_EQ(r.at(11, 50), 0x000000u);
    EXPECT_EQ(r.at(12, 50), 0xFFFFFFu);
    EXPECT_EQ(r.at(89, 50), 0x000000u);
    EXPECT_EQ(r.at(90, 50), 0xFFFFFFu);
    EXPECT_EQ(r.at(50, 9), 0xFFFFFFu);
    EXPECT_EQ(r.at(50, 10), 0x000000u);
    EXPECT_EQ(r.at(50, 89), 0x000000u);
    EXPECT_EQ(r.at(50, 90), 0xFFFFFFu);
}

// Anti-aliased ellipses: a solid pen is the band between the offset curves
// where it fits, Cairo's stroke where the ellipse is too flat for it. Either
// way the outline runs all round without a gap.
TEST(AntialiasedCurves, EllipseOutlinesRunAllRound) {
    struct Case { int left, top, right, bottom, pen; };
    for (const Case c : {Case{10, 10, 90, 90, 1}, Case{10, 10, 90, 90, 7}, Case{5, 46, 95, 54, 5}}) {
        SCOPED_TRACE(c.pen);
        const auto r = render(picture().pen(0, c.pen, 0).select(0).brush(0, kRed).select(1)
                                  .record(0x0418, {static_cast<std::int16_t>(c.bottom), static_cast<std::int16_t>(c.right),
                                                   static_cast<std::int16_t>(c.top), static_cast<std::int16_t>(c.left)})
                                  .bytes(),
                              true);
        const double cx = (c.left + c.right - 1) / 2.0, cy = (c.top + c.bottom - 1) / 2.0;
        const double rx = (c.right - c.left - 1) / 2.0, ry = (c.bottom - c.top - 1) / 2.0;
        for (int degrees = 0; degrees < 360; degrees += 5) {
            const double a = degrees * 3.14159265358979 / 180;
            const std::uint32_t px = r.at(static_cast<int>(std::lround(cx + rx * std::cos(a))),
                                          static_cast<int>(std::lround(cy + ry * std::sin(a))));
            EXPECT_LT(std::max({px >> 16, (px >> 8) & 0xFF, px & 0xFF}), 160u) << degrees;
        }
        EXPECT_EQ(r.at(static_cast<int>(cx), static_cast<int>(cy)), 0xFF0000u);
        EXPECT_EQ(r.at(1, 1), 0xFFFFFFu);
    }
}
