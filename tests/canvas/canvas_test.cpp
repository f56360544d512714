// The drawing layer: shapes, clipping, compositing, fonts, text and the
// hand-over to FreeImage.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "canvas/canvas.h"
#include "canvas/canvas_bitmap.h"
#include "canvas/font.h"

using namespace plotvale::canvas;

namespace {

constexpr Color kWhite{255, 255, 255, 255};
constexpr Color kRed{255, 0, 0, 255};
constexpr Color kBlack{0, 0, 0, 255};

Canvas whiteCanvas(int w, int h, bool antialias) {
    auto c = Canvas::create(w, h);
    EXPECT_TRUE(c);
    c->setAntialias(antialias);
    c->clear(kWhite);
    return std::move(*c);
}

int countColor(const Canvas& c, Color color) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) n += c.pixel(x, y) == color ? 1 : 0;
    return n;
}

}  // namespace

TEST(Canvas, RejectsEmptySizes) {
    EXPECT_FALSE(Canvas::create(0, 10));
    EXPECT_FALSE(Canvas::create(10, -1));
}

TEST(Canvas, AliasedFillCoversExactlyThePixelsInside) {
    auto c = whiteCanvas(20, 20, false);
    Path p;
    p.addRect({2, 3, 5, 4});
    c.fillPath(p, FillRule::NonZero, kRed);
    EXPECT_EQ(countColor(c, kRed), 20);
    EXPECT_EQ(c.pixel(2, 3), kRed);
    EXPECT_EQ(c.pixel(7, 3), kWhite);
}

TEST(Canvas, AntialiasedEdgesBlend) {
    auto c = whiteCanvas(20, 20, true);
    Path p;
    p.addRect({2.5, 2.5, 5, 5});
    c.fillPath(p, FillRule::NonZero, kBlack);
    const Color edge = c.pixel(2, 4);
    EXPECT_GT(edge.r, 0);
    EXPECT_LT(edge.r, 255);
}

TEST(Canvas, EvenOddAndNonZeroFillRules) {
    Path p;
    p.addRect({0, 0, 10, 10});
    p.addRect({2, 2, 6, 6});  // same direction: a hole only with even-odd
    auto evenOdd = whiteCanvas(10, 10, false);
    evenOdd.fillPath(p, FillRule::EvenOdd, kRed);
    EXPECT_EQ(evenOdd.pixel(5, 5), kWhite);
    auto nonZero = whiteCanvas(10, 10, false);
    nonZero.fillPath(p, FillRule::NonZero, kRed);
    EXPECT_EQ(nonZero.pixel(5, 5), kRed);
}

TEST(Canvas, StrokesWithWidthAndDashes) {
    auto c = whiteCanvas(40, 10, false);
    Path p;
    p.moveTo({0, 5});
    p.lineTo({40, 5});
    StrokeStyle style;
    style.width = 2;
    style.cap = LineCap::Butt;
    style.dashes = {5, 5};
    c.strokePath(p, style, kBlack);
    EXPECT_EQ(countColor(c, kBlack), 40);  // half of 40 x 2
    EXPECT_EQ(c.pixel(2, 4), kBlack);
    EXPECT_EQ(c.pixel(7, 4), kWhite);
}

TEST(Canvas, ClipRectsLimitDrawing) {
    auto c = whiteCanvas(20, 20, false);
    c.setClipRects({{0, 0, 5, 5}, {10, 10, 15, 15}});
    Path all;
    all.addRect({0, 0, 20, 20});
    c.fillPath(all, FillRule::NonZero, kRed);
    EXPECT_EQ(countColor(c, kRed), 50);
    c.resetClip();
    c.fillPath(all, FillRule::NonZero, kBlack);
    EXPECT_EQ(countColor(c, kBlack), 400);
}

TEST(Canvas, DrawsAnotherCanvasWithConstantAlpha) {
    auto dst = whiteCanvas(10, 10, false);
    auto src = whiteCanvas(4, 4, false);
    src.clear(kBlack);
    dst.drawCanvas(src, {2, 2}, 0.5);
    const Color mid = dst.pixel(3, 3);
    EXPECT_NEAR(mid.r, 128, 2);
    EXPECT_EQ(dst.pixel(7, 7), kWhite);
    dst.drawCanvasScaled(src, {0, 0, 10, 10}, 1.0, false);
    EXPECT_EQ(countColor(dst, kBlack), 100);
}

TEST(Fonts, MetricCompatibleFacesResolve) {
    for (const char* face : {"Arial", "Times New Roman", "Courier New"}) {
        FontSpec spec;
        spec.face = face;
        const auto font = resolveFont(spec, false);
        ASSERT_TRUE(font) << face;
        EXPECT_TRUE(font->found());
        EXPECT_NE(font->family().find("Liberation"), std::string::npos) << face << " -> " << font->family();
    }
}

TEST(Fonts, WineCompatibleTahomaResolvesWhenInstalled) {
    if (!std::filesystem::exists("/usr/share/wine/fonts/tahoma.ttf")) GTEST_SKIP() << "fonts-wine not installed";
    FontSpec spec;
    spec.face = "Tahoma";
    const auto font = resolveFont(spec, false);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->family(), "Tahoma");
}

TEST(Fonts, UnknownFaceIsReportedNotFound) {
    FontSpec spec;
    spec.face = "Definitely Not Installed Face";
    EXPECT_FALSE(resolveFont(spec, false));
    const auto fallback = resolveFont(spec, true);
    ASSERT_TRUE(fallback);
    EXPECT_FALSE(fallback->found());
}

TEST(Fonts, MeasureScalesWithSizeAndWidth) {
    FontSpec spec;
    spec.face = "Arial";
    spec.pixelSize = 20;
    const auto font = resolveFont(spec);
    ASSERT_TRUE(font);
    const double w20 = font->measure(U"Hello");
    spec.pixelSize = 40;
    EXPECT_NEAR(font->withSpec(spec).measure(U"Hello"), 2 * w20, 0.5);
    spec.widthScale = 0.5;
    EXPECT_NEAR(font->withSpec(spec).measure(U"Hello"), w20, 0.5);
    EXPECT_GT(font->metrics().ascent, font->metrics().descent);
}

TEST(Text, DrawsPlainAndAntialiased) {
    FontSpec spec;
    spec.face = "Arial";
    spec.pixelSize = 24;
    const auto font = resolveFont(spec);
    ASSERT_TRUE(font);
    auto plain = whiteCanvas(100, 40, false);
    const double advance = plain.drawText(*font, U"Text", {{5, 30}, 0, nullptr}, kBlack);
    EXPECT_NEAR(advance, font->measure(U"Text"), 0.01);
    int greys = 0, blacks = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            const Color c = plain.pixel(x, y);
            blacks += c == kBlack ? 1 : 0;
            greys += (c.r > 0 && c.r < 255) ? 1 : 0;
        }
    EXPECT_GT(blacks, 50);
    EXPECT_EQ(greys, 0);
    auto smooth = whiteCanvas(100, 40, true);
    smooth.drawText(*font, U"Text", {{5, 30}, 0, nullptr}, kBlack);
    greys = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) greys += (smooth.pixel(x, y).r > 0 && smooth.pixel(x, y).r < 255) ? 1 : 0;
    EXPECT_GT(greys, 10);
}

TEST(Handover, StraightAlphaBottomUp) {
    auto c = Canvas::create(2, 2);
    ASSERT_TRUE(c);
    c->clear(Color{0, 0, 0, 0});
    Path top;
    top.addRect({0, 0, 2, 1});
    c->fillPath(top, FillRule::NonZero, Color{255, 0, 0, 128});
    const Bitmap bitmap = toBitmap(*c);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(FreeImage_GetBPP(bitmap.get()), 32u);
    const BYTE* topRow = FreeImage_GetScanLine(bitmap.get(), 1);  // FreeImage rows run bottom-up
    EXPECT_EQ(topRow[FI_RGBA_ALPHA], 128);
    EXPECT_EQ(topRow[FI_RGBA_RED], 255);  // not premultiplied
    EXPECT_EQ(FreeImage_GetScanLine(bitmap.get(), 0)[FI_RGBA_ALPHA], 0);
}

// Drawing straight into the bitmap gives what toBitmap gives, for odd and
// even heights (the rows are flipped in place).
TEST(Handover, CanvasOnBitmapMatchesToBitmap) {
    for (const int height : {3, 4}) {
        auto target = CanvasOnBitmap::create(5, height);
        auto copy = Canvas::create(5, height);
        ASSERT_TRUE(target && copy);
        for (Canvas* c : {&target->canvas(), &*copy}) {
            c->clear(Color{0, 0, 0, 0});
            Path top;
            top.addRect({0, 0, 5, 1});
            c->fillPath(top, FillRule::NonZero, Color{255, 0, 0, 128});
            Path dot;
            dot.addRect({4, static_cast<double>(height - 1), 1, 1});
            c->fillPath(dot, FillRule::NonZero, Color{0, 0, 255, 255});
        }
        const Bitmap drawn = target->finish();
        const Bitmap expected = toBitmap(*copy);
        ASSERT_TRUE(drawn);
        EXPECT_FALSE(target->finish());  // handed over once
        for (int y = 0; y < height; ++y)
            EXPECT_EQ(0, std::memcmp(FreeImage_GetScanLine(drawn.get(), y),
                                     FreeImage_GetScanLine(expected.get(), y), 5 * 4)) << height << " " << y;
        EXPECT_EQ(FreeImage_GetScanLine(drawn.get(), height - 1)[FI_RGBA_RED], 255);
        EXPECT_EQ(FreeImage_GetScanLine(drawn.get(), 0)[4 * 4 + FI_RGBA_BLUE], 255);
    }
    EXPECT_FALSE(CanvasOnBitmap::create(0, 5));
}

TEST(Handover, BitmapsBecomeCanvasesAndBack) {
    Bitmap rgb = makeBitmap(3, 2, 24);
    ASSERT_TRUE(rgb);
    BYTE* top = FreeImage_GetScanLine(rgb.get(), 1);
    top[FI_RGBA_RED] = 200;
    top[FI_RGBA_GREEN] = 10;
    top[FI_RGBA_BLUE] = 20;
    auto canvas = fromBitmap(rgb.get());
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->width(), 3);
    EXPECT_EQ(canvas->pixel(0, 0), (Color{200, 10, 20, 255}));
    EXPECT_EQ(canvas->pixel(0, 1), (Color{0, 0, 0, 255}));
    const Bitmap back = toBitmap(*canvas);
    EXPECT_EQ(FreeImage_GetScanLine(back.get(), 1)[FI_RGBA_RED], 200);
    EXPECT_FALSE(fromBitmap(nullptr));
}
