// The union of figures filled one by one: the polygon rule's pixels for the
// whole set, with crossings counted as the rule's budget counts them.

#include <gtest/gtest.h>


#include "canvas/raster.h"
#include "pixel_set.h"
#include "canvas/span_union.h"

using namespace plotvale::canvas;

namespace {

std::vector<RectI> unionOf(const std::vector<std::vector<Point>>& figures, RectI bounds) {
    SpanUnion pixels(bounds);
    for (const auto& f : figures) pixels.add(f);
    EXPECT_EQ(pixels.crossings(), edgeRowCrossings(figures, bounds));
    return pixels.spans();
}

}  // namespace

// Overlapping slanted quadrilaterals with fractional corners, a figure a row
// crosses four times (a C shape) and figures cut by the bounds.
TEST(SpanUnion, MatchesThePolygonRuleOfTheWholeSet) {
    const std::vector<std::vector<Point>> figures{
        {{2.5, 1}, {9.2, 3.5}, {7, 8.7}, {0.3, 6}},
        {{6, 2}, {14.5, 2}, {14.5, 9}, {6, 9}},
        {{20, 0}, {30, 0}, {30, 3}, {23, 3}, {23, 7}, {30, 7}, {30, 10}, {20, 10}},
        {{-5, -3}, {3, -3}, {3, 2}, {-5, 2}},
        {{12, 6}, {40, 11}, {12, 14}}};
    const RectI bounds{0, 0, 28, 12};
    const auto spans = unionOf(figures, bounds);
    EXPECT_EQ(pixelsOf(spans), pixelsOf(polygonSpans(figures, FillRule::NonZero, bounds)));
    for (std::size_t i = 1; i < spans.size(); ++i)
        EXPECT_TRUE(spans[i].top > spans[i - 1].top ||
                    (spans[i].top == spans[i - 1].top && spans[i].left > spans[i - 1].right));
}
