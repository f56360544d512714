// Exact pixel coverage: polygon spans and one-pixel lines.

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <utility>

#include "canvas/raster.h"
#include "pixel_set.h"

using namespace plotvale::canvas;

namespace {

constexpr RectI kWide{-1000, -1000, 1000, 1000};

std::vector<std::pair<int, int>> lineOf(Point a, Point b, RectI bounds = kWide) {
    std::vector<std::pair<int, int>> out;
    traceLine(a, b, bounds, [&](int x, int y) { out.push_back({x, y}); });
    return out;
}

}  // namespace

TEST(PolygonSpans, CoverIntegerPointsWithTopAndLeftEdgesIn) {
    const auto px = pixelsOf(polygonSpans({{{2, 2}, {6, 2}, {6, 5}, {2, 5}}}, FillRule::EvenOdd, kWide));
    EXPECT_EQ(px.size(), 12u);  // x 2..5, y 2..4
    EXPECT_TRUE(px.count({2, 2}));
    EXPECT_TRUE(px.count({5, 4}));
    EXPECT_FALSE(px.count({6, 3}));
    EXPECT_FALSE(px.count({3, 5}));
    // Fractional edges: a run covers ceil(left) <= x < ceil(right).
    const auto frac = pixelsOf(polygonSpans({{{1.5, 0}, {4.2, 0}, {4.2, 1}, {1.5, 1}}}, FillRule::EvenOdd, kWide));
    EXPECT_EQ(frac, (std::set<std::pair<int, int>>{{2, 0}, {3, 0}, {4, 0}}));
}

TEST(PolygonSpans, FillRulesAndBounds) {
    const std::vector<std::vector<Point>> twice = {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}};
    EXPECT_EQ(pixelsOf(polygonSpans(twice, FillRule::NonZero, kWide)).size(), 16u);
    EXPECT_TRUE(polygonSpans(twice, FillRule::EvenOdd, kWide).empty());
    // Huge figures are cut to the bounds without walking the rows outside.
    const auto cut = polygonSpans({{{-1e9, -1e9}, {1e9, -1e9}, {1e9, 1e9}}}, FillRule::NonZero, RectI{0, 0, 10, 10});
    for (const RectI& r : cut) {
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, 10);
        EXPECT_GE(r.top, 0);
        EXPECT_LT(r.top, 10);
    }
    EXPECT_FALSE(cut.empty());
}

TEST(TraceLine, ShallowAndSteepLinesStepAlongTheLongerAxisWithoutTheLastPixel) {
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(lineOf({0, 0}, {4, 2}), (P{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));  // 0.5 and 1.5 round down
    EXPECT_EQ(lineOf({0, 0}, {2, 4}), (P{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(lineOf({0, 0}, {5, 1}), (P{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}));
    EXPECT_TRUE(lineOf({3, 3}, {3, 3}).empty());
}

TEST(TraceLine, ALineCoversTheSamePixelsWhicheverWayItRuns) {
    for (const auto& [a, b] : {std::pair<Point, Point>{{0, 0}, {7, 3}}, {{2, 9}, {5, 0}}, {{0, 0}, {6, 3}}, {{4, 1}, {0, 3}}}) {
        auto forth = lineOf(a, b), back = lineOf(b, a);
        std::set<std::pair<int, int>> f(forth.begin(), forth.end()), r(back.begin(), back.end());
        f.insert({static_cast<int>(b.x), static_cast<int>(b.y)});
        r.insert({static_cast<int>(a.x), static_cast<int>(a.y)});
        EXPECT_EQ(f, r);
    }
}

TEST(TraceLine, PlotsOnlyInsideTheBounds) {
    const auto px = lineOf({-1e9, 5}, {1e9, 5}, RectI{0, 0, 8, 8});
    EXPECT_EQ(px.size(), 8u);
    EXPECT_EQ(px.front(), (std::pair<int, int>{0, 5}));
    EXPECT_EQ(px.back(), (std::pair<int, int>{7, 5}));
}

TEST(PixelRuns, MergeNeighboursInARow) {
    PixelRuns runs;
    for (int x = 3; x < 7; ++x) runs.add(x, 2);
    for (int x = 9; x > 6; --x) runs.add(x, 3);
    ASSERT_EQ(runs.rects().size(), 2u);
    EXPECT_EQ(runs.rects()[0].left, 3);
    EXPECT_EQ(runs.rects()[0].right, 7);
    EXPECT_EQ(runs.rects()[1].left, 7);
    EXPECT_EQ(runs.rects()[1].right, 10);
}

TEST(Raster, PointsThatAreNotFiniteDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(polygonSpans({{{0, 0}, {nan, 5}, {5, 5}}}, FillRule::NonZero, kWide).empty());
    EXPECT_TRUE(lineOf({0, 0}, {inf, 3}).empty());
}
