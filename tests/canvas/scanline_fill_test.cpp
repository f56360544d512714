// Aliased polygon spans: which pixels a polygon fills under the sample-point
// rule, how the fill rules treat overlaps, and that the rectangles drawn from
// the spans cover exactly those pixels.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "canvas/canvas.h"
#include "canvas/scanline_fill.h"

using namespace plotvale::canvas;

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels pixelsOf(const std::vector<Span>& spans) {
    Pixels out;
    for (const Span& s : spans)
        for (int x = s.left; x < s.right; ++x) out.insert({x, s.y});
    return out;
}

const RectI kBounds{0, 0, 40, 40};

}  // namespace

TEST(PolygonSpans, SquareKeepsTopLeftEdgesAndDropsBottomRight) {
    const auto spans = polygonSpans({{{2, 3}, {6, 3}, {6, 7}, {2, 7}}}, FillRule::EvenOdd, kBounds);
    Pixels expected;
    for (int y = 3; y < 7; ++y)
        for (int x = 2; x < 6; ++x) expected.insert({x, y});
    EXPECT_EQ(pixelsOf(spans), expected);
}

TEST(PolygonSpans, TriangleFillsSamplesOnItsLeftEdge) {
    // Right triangle with the slanted edge on the right: row y holds x in [0, y).
    const auto spans = polygonSpans({{{0, 0}, {0, 5}, {5, 5}}}, FillRule::EvenOdd, kBounds);
    Pixels expected;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < y; ++x) expected.insert({x, y});
    EXPECT_EQ(pixelsOf(spans), expected);
}

TEST(PolygonSpans, FillRulesDifferOnOverlaps) {
    // Two squares drawn the same way round: the overlap is a hole only for
    // the even-odd rule.
    const std::vector<std::vector<Point>> two = {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{2, 0}, {6, 0}, {6, 4}, {2, 4}}};
    const Pixels evenOdd = pixelsOf(polygonSpans(two, FillRule::EvenOdd, kBounds));
    const Pixels nonZero = pixelsOf(polygonSpans(two, FillRule::NonZero, kBounds));
    EXPECT_EQ(nonZero.size(), 24u);
    EXPECT_EQ(evenOdd.size(), 16u);
    EXPECT_FALSE(evenOdd.count({2, 1}));
    EXPECT_TRUE(nonZero.count({2, 1}));
}

TEST(PolygonSpans, ClipsToBoundsAndSkipsDegenerateInput) {
    const auto spans = polygonSpans({{{-100, -100}, {100, -100}, {100, 100}, {-100, 100}}}, FillRule::EvenOdd, {0, 0, 3, 2});
    EXPECT_EQ(pixelsOf(spans).size(), 6u);
    EXPECT_TRUE(polygonSpans({{{1, 1}, {5, 1}}}, FillRule::EvenOdd, kBounds).empty());
    EXPECT_TRUE(polygonSpans({{}}, FillRule::NonZero, kBounds).empty());
}

TEST(PolygonSpans, RectanglesCoverExactlyTheSpans) {
    const std::vector<std::vector<Point>> star = {{{20, 2}, {31, 35}, {3, 13}, {37, 13}, {9, 35}}};
    const auto spans = polygonSpans(star, FillRule::EvenOdd, kBounds);
    auto canvas = Canvas::create(40, 40);
    ASSERT_TRUE(canvas);
    canvas->setAntialias(false);
    canvas->clear({255, 255, 255, 255});
    canvas->fillPath(spanPath(spans), FillRule::EvenOdd, Color{0, 0, 0, 255});
    const Pixels expected = pixelsOf(spans);
    EXPECT_GT(expected.size(), 200u);  // the pentagon in the middle is a hole
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(canvas->pixel(x, y) == (Color{0, 0, 0, 255}), expected.count({x, y}) == 1) << x << "," << y;
}
