// Pixel-exact rasterisation: the one-pixel ellipse and the square pen, checked
// against pixel sets taken from GDI renders.

#include "canvas/pixel_spans.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace plotvale::canvas;

namespace {

// Rows of a small picture: 'o' outline, 'i' interior, '.' nothing.
std::vector<std::string> picture(const EllipsePixels& px, int w, int h) {
    std::vector<std::string> rows(static_cast<std::size_t>(h),
                                  std::string(static_cast<std::size_t>(w), '.'));
    auto paint = [&](const std::vector<Span>& spans, char c) {
        for (const Span& s : spans)
            for (int x = s.x0; x < s.x1; ++x)
                rows[static_cast<std::size_t>(s.y)][static_cast<std::size_t>(x)] = c;
    };
    paint(px.interior, 'i');
    paint(px.outline, 'o');
    return rows;
}

std::pair<int, int> rowExtent(const std::vector<Span>& spans, int y) {
    int lo = 1 << 30, hi = -(1 << 30);
    for (const Span& s : spans)
        if (s.y == y) {
            lo = std::min(lo, s.x0);
            hi = std::max(hi, s.x1 - 1);
        }
    return {lo, hi};
}

}  // namespace

TEST(ThinEllipse, SmallCircleAsGdiDrawsIt) {
    const std::vector<std::string> expected = {".ooo.", "oiiio", "oiiio", "oiiio", ".ooo."};
    EXPECT_EQ(picture(thinEllipse({0, 0, 5, 5}), 5, 5), expected);
    const std::vector<std::string> wide = {".oooo.", "oiiiio", "oiiiio", "oiiiio", ".oooo."};
    EXPECT_EQ(picture(thinEllipse({0, 0, 6, 5}), 6, 5), wide);
}

TEST(ThinEllipse, LargeEllipseIsSymmetricAndTouchesItsBox) {
    // 74 x 49 pixels, as in a GDI render: the top row spans 30..43, the left
    // column rows 21..27.
    const EllipsePixels px = thinEllipse({0, 0, 74, 49});
    EXPECT_EQ(rowExtent(px.outline, 0), std::make_pair(30, 43));
    EXPECT_EQ(rowExtent(px.outline, 48), std::make_pair(30, 43));
    EXPECT_EQ(rowExtent(px.outline, 1), std::make_pair(24, 49));
    std::set<int> leftColumn;
    for (const Span& s : px.outline)
        if (s.x0 == 0) leftColumn.insert(s.y);
    EXPECT_EQ(leftColumn, (std::set<int>{21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(rowExtent(px.interior, 24), std::make_pair(1, 72));
}

TEST(ThinEllipse, EveryRowIsOneUnbrokenRun) {
    // Where the walk by columns hands over to the walk by rows (45 degrees)
    // no row may be left without pixels: a filled ellipse would show a gap.
    for (int w = 3; w <= 240; w += 7)
        for (int h = 3; h <= 240; h += 11) {
            const EllipsePixels px = thinEllipse({0, 0, w, h});
            const auto rows = picture(px, w, h);
            for (int y = 0; y < h; ++y) {
                const std::string& row = rows[static_cast<std::size_t>(y)];
                const auto first = row.find_first_not_of('.'), last = row.find_last_not_of('.');
                ASSERT_NE(first, std::string::npos) << w << "x" << h << " row " << y;
                EXPECT_EQ(row.find('.', first), last + 1 == row.size() ? std::string::npos : last + 1)
                    << w << "x" << h << " row " << y << ": " << row;
            }
        }
}

TEST(ThinEllipse, DegenerateBoxes) {
    EXPECT_TRUE(thinEllipse({5, 5, 5, 9}).outline.empty());
    const EllipsePixels line = thinEllipse({2, 3, 3, 7});  // one pixel wide
    EXPECT_EQ(line.outline.size(), 4u);
    EXPECT_TRUE(line.interior.empty());
}

TEST(SquarePen, DiagonalEdgesAreFourPixelsAcross) {
    const std::vector<Polyline> diagonal = {{{{10, 10}, {30, 30}}, false}};
    const auto spans = squarePenSpans(diagonal, 2, {0.25 + 1e-7, 0.25 + 1.3e-7});
    EXPECT_EQ(rowExtent(spans, 20), std::make_pair(19, 22));
    const std::vector<Polyline> level = {{{{10, 10}, {30, 10}}, false}};
    const auto flat = squarePenSpans(level, 2, {0.25 + 1e-7, 0.25 + 1.3e-7});
    ASSERT_EQ(flat.size(), 2u);  // rows 9 and 10
    EXPECT_EQ(flat[0].y, 9);
    EXPECT_EQ(rowExtent(flat, 10), std::make_pair(9, 30));
}

TEST(Flatten, CubicsBecomeShortSegments) {
    Path path;
    path.addEllipse({0, 0, 40, 40});
    const auto figures = flatten(path);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_TRUE(figures[0].closed);
    EXPECT_GE(figures[0].points.size(), 100u);
}
