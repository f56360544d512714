// The frame, checked by the pixels it leaves: side colours, the mitred
// seams, the opacity, missing sides and widths the picture cannot hold.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "canvas/canvas.h"
#include "canvas/canvas_bitmap.h"
#include "engine/image_operations.h"
#include "engine/overlays.h"
#include "test_pictures.h"

namespace plotvale::engine::testing {
namespace {

constexpr Rgba White{255, 255, 255, 255};
constexpr Rgba Top{0, 0, 255, 255}, Left{255, 0, 0, 255}, Bottom{255, 255, 0, 255},
    Right{0, 160, 0, 255};

settings::ConverterSettings frameOf(int left, int right, int top, int bottom, int opacity = 255) {
    auto settings = commandLineDefaults();
    auto& f = settings.frame;
    f.doFrame = 1;
    f.solidLeft = left;
    f.solidRight = right;
    f.solidTop = top;
    f.solidBottom = bottom;
    f.solidLeftColor = "FF0000";
    f.solidRightColor = "00A000";
    f.solidTopColor = "0000ff";
    f.solidBottomColor = "FFFF00";
    f.solidOpacity = opacity;
    return settings;
}

Bitmap framed(const settings::ConverterSettings& settings, Bitmap picture) {
    const int width = bitmapWidth(picture), height = bitmapHeight(picture);
    return applyFrame(std::move(picture), settings, width, height);
}

// Colour channels 0..255 of the pixel, rows counted from the top.
std::array<int, 3> rgbAt(const Bitmap& bitmap, int x, int y) {
    const auto s = samplePixel(bitmap.get(), x, y);
    return {static_cast<int>(std::lround(s[0] * 255)), static_cast<int>(std::lround(s[1] * 255)),
            static_cast<int>(std::lround(s[2] * 255))};
}

std::array<int, 3> rgb(const Rgba& c) {
    return {c.red, c.green, c.blue};
}

TEST(Frame, SideColoursMeetOnDiagonalSeams) {
    const Bitmap result = framed(frameOf(10, 10, 10, 10), makeFilledPicture(100, 100, White));
    ASSERT_TRUE(result);
    EXPECT_EQ(bitmapDepth(result), 24);
    EXPECT_EQ(rgbAt(result, 5, 1), rgb(Top));
    EXPECT_EQ(rgbAt(result, 1, 5), rgb(Left));
    EXPECT_EQ(rgbAt(result, 50, 95), rgb(Bottom));
    EXPECT_EQ(rgbAt(result, 95, 50), rgb(Right));
    EXPECT_EQ(rgbAt(result, 50, 50), rgb(White));
    EXPECT_EQ(rgbAt(result, 50, 10), rgb(White));  // the band ends on a pixel edge
    // Along the seam from (0, 0) to (10, 10) top meets left: above it top,
    // below it left, on it a mix of the two with no white showing through.
    for (int k = 1; k < 9; ++k) {
        EXPECT_EQ(rgbAt(result, k + 1, k - 1), rgb(Top)) << k;
        EXPECT_EQ(rgbAt(result, k - 1, k + 1), rgb(Left)) << k;
        const auto seam = rgbAt(result, k, k);
        EXPECT_NEAR(seam[0] + seam[2], 255, 2) << k;
        EXPECT_GT(seam[0], 60) << k;
        EXPECT_GT(seam[2], 60) << k;
        EXPECT_EQ(seam[1], 0) << k;
    }
    // The bottom-right seam runs from (100, 100) to (90, 90).
    const auto corner = rgbAt(result, 95, 95);
    EXPECT_GT(corner[0], 60);  // bottom's red
    EXPECT_LT(corner[0], 200);
}

TEST(Frame, OpacityFadesOverThePicture) {
    const Bitmap half = framed(frameOf(10, 10, 10, 10, 128), makeFilledPicture(60, 40, White));
    ASSERT_TRUE(half);
    const auto top = rgbAt(half, 30, 3);
    EXPECT_NEAR(top[0], 127, 2);
    EXPECT_NEAR(top[1], 127, 2);
    EXPECT_NEAR(top[2], 255, 1);

    // Opacity 0 leaves every pixel, but the picture still becomes 24-bit and
    // loses its alpha.
    Bitmap picture = makeQuadrantPicture(64, 48);
    const Bitmap original(FreeImage_Clone(picture.get()));
    const Bitmap clear = framed(frameOf(10, 10, 10, 10, 0), std::move(picture));
    ASSERT_TRUE(clear);
    EXPECT_EQ(bitmapDepth(clear), 24);
    EXPECT_EQ(comparePictures(original.get(), clear.get(), 0, false).largest, 0.0);
}

TEST(Frame, ZeroWidthSidesDrawNothingAndNeighboursEndStraight) {
    const Bitmap result = framed(frameOf(0, 10, 10, 0), makeFilledPicture(100, 100, White));
    ASSERT_TRUE(result);
    EXPECT_EQ(rgbAt(result, 0, 50), rgb(White));   // no left side
    EXPECT_EQ(rgbAt(result, 50, 99), rgb(White));  // no bottom side
    EXPECT_EQ(rgbAt(result, 0, 5), rgb(Top));      // top reaches the edge square
    EXPECT_EQ(rgbAt(result, 95, 99), rgb(Right));  // so does the right side
    EXPECT_EQ(rgbAt(result, 1, 9), rgb(Top));
}

TEST(Frame, KindsOtherThanSolidOnlyConvertTo24Bits) {
    auto settings = frameOf(10, 10, 10, 10);
    settings.frame.doFrame = 2;
    Bitmap picture = makeQuadrantPicture(32, 32);
    const Bitmap original(FreeImage_Clone(picture.get()));
    const Bitmap result = framed(settings, std::move(picture));
    ASSERT_TRUE(result);
    EXPECT_EQ(bitmapDepth(result), 24);
    EXPECT_EQ(comparePictures(original.get(), result.get(), 0, false).largest, 0.0);

    settings.frame.doFrame = 0;
    Bitmap eightBit(FreeImage_ConvertTo8Bits(makeQuadrantPicture(8, 8).get()));
    EXPECT_EQ(bitmapDepth(framed(settings, std::move(eightBit))), 8);
}

// The frame as one canvas of the picture's size composited over the whole
// picture: the band-by-band drawing must give exactly these pixels.
Bitmap frameOnOneCanvas(const settings::FrameSettings& f, Bitmap picture) {
    const int w = bitmapWidth(picture), h = bitmapHeight(picture);
    const double l = f.solidLeft, r = f.solidRight, t = f.solidTop, b = f.solidBottom;
    const canvas::Color ct = colorWithAlpha(f.solidTopColor, 255),
                        cr = colorWithAlpha(f.solidRightColor, 255),
                        cb = colorWithAlpha(f.solidBottomColor, 255),
                        cl = colorWithAlpha(f.solidLeftColor, 255);
    auto shapes = canvas::Canvas::create(w, h);
    auto fill = [&](std::vector<canvas::Point> points, canvas::Color c) {
        canvas::Path path;
        path.addPolygon(points, true);
        shapes->fillPath(path, canvas::FillRule::NonZero, c);
    };
    const double W = w, H = h;
    fill({{0, 0}, {l, 0}, {l, t}, {0, t}}, ct);
    fill({{W - r, 0}, {W, 0}, {W, t}, {W - r, t}}, cr);
    fill({{W - r, H - b}, {W, H - b}, {W, H}, {W - r, H}}, cb);
    fill({{0, H - b}, {l, H - b}, {l, H}, {0, H}}, cl);
    fill({{0, 0}, {W, 0}, {W - r, t}, {l, t}}, ct);
    fill({{W, 0}, {W, H}, {W - r, H - b}, {W - r, t}}, cr);
    fill({{W, H}, {0, H}, {l, H - b}, {W - r, H - b}}, cb);
    fill({{0, H}, {0, 0}, {l, t}, {l, H - b}}, cl);
    auto faded = canvas::Canvas::create(w, h);
    faded->drawCanvas(*shapes, {0, 0}, f.solidOpacity / 255.0);
    const Bitmap layer = canvas::toBitmap(*faded);
    const Bitmap background(FreeImage_ConvertTo24Bits(picture.get()));
    return Bitmap(FreeImage_Composite(layer.get(), FALSE, nullptr, background.get()));
}

TEST(Frame, BandsGiveThePixelsOfOneWholeCanvas) {
    const std::array<std::array<int, 4>, 5> cases{{{10, 10, 10, 10},
                                                   {3, 17, 25, 1},
                                                   {0, 40, 0, 40},
                                                   {70, 50, 45, 30},  // sides overlap
                                                   {-5, 12, 200, -8}}};
    for (const auto& c : cases) {
        const auto settings = frameOf(c[0], c[1], c[2], c[3], 200);
        const Bitmap expected = frameOnOneCanvas(settings.frame, makeQuadrantPicture(96, 64));
        const Bitmap actual = framed(settings, makeQuadrantPicture(96, 64));
        ASSERT_TRUE(actual);
        EXPECT_EQ(comparePictures(expected.get(), actual.get(), 0, false).largest, 0.0)
            << c[0] << " " << c[1] << " " << c[2] << " " << c[3];
    }
}

TEST(Frame, WidthsThePictureCannotHoldNeverBreakIt) {
    const std::array<std::array<int, 4>, 5> cases{{{1000, 1000, 1000, 1000},
                                                   {-10, -10, -10, -10},
                                                   {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                                                   {INT_MIN, INT_MAX, INT_MIN, INT_MAX},
                                                   {0, 0, 0, 0}}};
    for (const auto& c : cases) {
        const Bitmap result = framed(frameOf(c[0], c[1], c[2], c[3]), makeQuadrantPicture(40, 30));
        ASSERT_TRUE(result) << c[0];
        EXPECT_EQ(bitmapWidth(result), 40);
        EXPECT_EQ(bitmapHeight(result), 30);
        EXPECT_EQ(bitmapDepth(result), 24);
    }
    // Sides wider than the picture cover all of it.
    const Bitmap covered =
        framed(frameOf(1000, 1000, 1000, 1000), makeFilledPicture(40, 30, White));
    for (int y = 0; y < 30; y += 3)
        for (int x = 0; x < 40; x += 3)
            EXPECT_NE(rgbAt(covered, x, y), rgb(White)) << x << "," << y;
    // Negative sides lie outside the picture.
    const Bitmap outside = framed(frameOf(-10, -10, -10, -10), makeFilledPicture(40, 30, White));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(rgbAt(outside, x, y), rgb(White)) << x << "," << y;
}

TEST(Frame, ColoursOfAnyOtherLengthAreBlack) {
    EXPECT_EQ(colorWithAlpha("12345", 255), (canvas::Color{0, 0, 0, 255}));
    EXPECT_EQ(colorWithAlpha("FF8000", 300), (canvas::Color{255, 128, 0, 255}));
    EXPECT_EQ(colorWithAlpha("ff8000", -4), (canvas::Color{255, 128, 0, 0}));
}

}  // namespace
}  // namespace plotvale::engine::testing
