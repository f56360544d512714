#include "regression_cases.h"

#include "metafile_writer.h"

namespace plotvale::testing {
namespace {

constexpr std::uint16_t kSaveDc = 0x001E, kMoveTo = 0x0214, kLineTo = 0x0213, kPolyline = 0x0325,
                        kPolyPolygon = 0x0538, kCreateRegion = 0x06FF, kSelectClipRegion = 0x012C,
                        kDibPatternBrush = 0x0142, kPatternBrush = 0x01F9, kStretchDib = 0x0F43;

// A picture whose slots 0 and 1 hold no pen and a red brush: the hostile
// records come after them, the closing red square at the end.
MetafileWriter withRedSquareObjects(int size) {
    auto w = MetafileWriter::placeable(0, 0, size, size, 96);
    w.pen(5, 0, 0).brush(0, 0x0000FF);
    return w;
}

MetafileWriter& redSquare(MetafileWriter& w) {
    return w.record(kSelectClipRegion, {0xFFFF}).select(0).select(1).rectangle(10, 10, 31, 31);
}

// A 90-byte file: one line drawn with a pen 32767 units wide, a unit being
// 96 pixels.
RegressionCase widestPen() {
    auto w = MetafileWriter::placeable(0, 0, 10, 10, 1).pen(0, 32767, 0x00FF00).select(0)
                 .record(kMoveTo, {2, 2}).record(kLineTo, {8, 8});
    return {"wide-pen-32767-units", w.bytes()};
}

// A clip region of 90 x 90 separate squares, saved 65,535 times.
RegressionCase savedClipRegions() {
    auto w = withRedSquareObjects(800);
    w.record(kCreateRegion, squaresRegion()).record(kSelectClipRegion, {2}).remove(2);
    for (int i = 0; i < 65535; ++i) w.record(kSaveDc, {});
    return {"saved-clip-regions", redSquare(w).bytes()};
}

// DIBCREATEPATTERNBRUSH's parameters for a monochrome 1000 x 1000 DIB
// without its bits.
std::string patternBrushWithoutBits() {
    std::string brush;
    putU16(brush, 5);  // BS_DIBPATTERNPT
    putU16(brush, 0);  // DIB_RGB_COLORS
    for (std::uint32_t v : {40u, 1000u, 1000u}) putU32(brush, v);
    putU16(brush, 1);
    putU16(brush, 1);
    brush += std::string(24, '\0');
    putU32(brush, 0x000000);
    putU32(brush, 0xFFFFFF);
    return brush;
}

// 20,000 DIB pattern brushes of 1000 x 1000 pixels, each without its bits.
RegressionCase dibPatternBrushes() {
    const std::string brush = patternBrushWithoutBits();
    auto w = withRedSquareObjects(100);
    for (int i = 0; i < 20000; ++i) w.recordBytes(kDibPatternBrush, brush);
    return {"dib-pattern-brushes", redSquare(w).bytes()};
}

// Twelve monochrome 8192 x 8192 Bitmap16 pattern brushes without their bits.
RegressionCase bitmap16PatternBrushes() {
    auto w = withRedSquareObjects(100);
    for (int i = 0; i < 12; ++i) w.record(kPatternBrush, {0, 8192, 8192, 1024, 0x0101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    return {"bitmap16-pattern-brushes", redSquare(w).bytes()};
}

// A thousand triangles outlined with a pen 200 pixels wide, and a zigzag of
// 16,000 points with a 300-pixel pen over the lower part of the picture:
// sweeps that once cost the square of the pen's width for every figure, and
// strokes whose edges crowd every row.
RegressionCase widePenFigures() {
    std::vector<int> polys = {1000};
    for (int i = 0; i < 1000; ++i) polys.push_back(3);
    for (int i = 0; i < 1000; ++i)
        polys.insert(polys.end(), {i % 400, i / 3 % 400, i % 400 + 20, i / 3 % 400, i % 400, i / 3 % 400 + 20});
    std::vector<int> zigzag = {16000};
    for (int i = 0; i < 16000; ++i) zigzag.insert(zigzag.end(), {i % 2 ? 390 : 10, 250 + i * 7 % 150});
    auto w = withRedSquareObjects(400);
    w.pen(0, 200, 0x00FF00).select(2).record(kPolyPolygon, polys).pen(0, 300, 0xFF0000).select(3)
        .record(kPolyline, zigzag);
    return {"wide-pen-figures", redSquare(w).bytes()};
}

// R2_NOT over a band across a 5000 x 4000 picture: its layer of the
// picture's size once doubled the player's memory.
RegressionCase rasterOperationOnALargePicture() {
    auto w = withRedSquareObjects(5000);
    w.record(0x0104, {6}).select(0).select(1).rectangle(100, 3000, 4901, 3701).record(0x0104, {13});
    return {"rop2-on-a-large-picture", redSquare(w).bytes()};
}

// Ten frames of a region of 256 rectangles in a box of 2000 x 2000 pixels:
// each pixel once looked through every rectangle five times.
RegressionCase framedRegion() {
    std::vector<int> region = {0, 6, 0, 0, 0, 128, 0, 0, 0, 2000, 2000};
    for (int row = 0; row < 128; ++row) region.insert(region.end(), {4, 40 + 15 * row, 50 + 15 * row, 0, 900, 1000, 1990, 4});
    auto w = withRedSquareObjects(2000);
    w.record(kCreateRegion, region).brush(0, 0xFF0000);
    for (int i = 0; i < 10; ++i) w.record(0x0429, {2, 3, 3, 3});
    return {"framed-region", redSquare(w).bytes()};
}

// A 1000 x 1000 DIB pattern brush filling 3,000 small rectangles: each fill
// once copied the whole pattern twice.
RegressionCase patternBrushSmallFills() {
    auto w = withRedSquareObjects(100);
    w.recordBytes(kDibPatternBrush, patternBrushWithoutBits()).select(2);
    for (int i = 0; i < 3000; ++i) w.rectangle(40 + i % 50, 40 + i % 50, 50 + i % 50, 50 + i % 50);
    return {"pattern-brush-small-fills", redSquare(w).bytes()};
}

// 8,000 nested rectangles reaching 16,000 pixels beyond a 100-pixel picture,
// selected as the clip fifty times: combining them once cost a pass over
// every rectangle for each of 16,000 rows.
RegressionCase nestedClipRegion() {
    std::vector<int> region = {0, 6, 0, 0, 0, 8000, 0, 0, 0, 16000, 16000};
    for (int k = 0; k < 8000; ++k) region.insert(region.end(), {2, k, 16000 - k, k, 16000 - k, 2});
    auto w = withRedSquareObjects(100);
    w.record(kCreateRegion, region);
    for (int i = 0; i < 50; ++i) w.record(kSelectClipRegion, {2});
    return {"nested-clip-region", redSquare(w).bytes()};
}

// A window of one unit (a hundred pixels a unit), a clip moved a thousand
// times by 32767 units, then the window scaled below a unit eighty times
// before lines, shapes, a block transfer and a flood fill: device
// coordinates once overflowed their integers, or became infinite.
RegressionCase degenerateMapping() {
    auto w = withRedSquareObjects(100);
    w.record(0x020C, {1, 1}).record(0x0416, {1, 1, 0, 0});
    for (int i = 0; i < 1000; ++i) w.record(0x0220, {32767, 32767});
    w.pen(0, 5, 0x00FF00).select(2);
    for (int i = 0; i < 80; ++i) w.record(0x0410, {32767, 1, 32767, 1});
    w.record(kMoveTo, {1, 1}).record(kLineTo, {5, 5}).rectangle(0, 0, 10, 10).record(0x0418, {10, 10, 0, 0})
        .record(0x061D, {0x0021, 0x00F0, 10, 10, 0, 0}).record(0x0419, {0, 0, 5, 5});
    w.record(0x020C, {100, 100});
    return {"degenerate-mapping", redSquare(w).bytes()};
}

}  // namespace

// 1,500 STRETCHDIB records, each a 1024 x 1024 RLE8 bitmap that ends at
// once, drawn onto a few pixels: every record used to decode and sample a
// million pixels.
RegressionCase tinyRunLengthBitmaps() {
    std::string record;
    for (int v : {0x0020, 0x00CC, 0, 1024, 1024, 0, 0, 10, 10, 40, 40}) putU16(record, v);
    record += dibBits(1024, 1024, 8, 1, {0xFF0000, 0x0000FF}, std::string("\0\1", 2));
    auto w = withRedSquareObjects(100);
    for (int i = 0; i < 1500; ++i) w.recordBytes(kStretchDib, record);
    return {"tiny-run-length-bitmaps", redSquare(w).bytes()};
}

std::vector<int> squaresRegion() {
    std::vector<int> region = {0, 6, 0, 0, 0, 90, 0, 0, 0, 720, 720};
    for (int row = 0; row < 90; ++row) {
        region.insert(region.end(), {180, 8 * row, 8 * row + 4});
        for (int col = 0; col < 90; ++col) region.insert(region.end(), {8 * col, 8 * col + 4});
        region.push_back(180);
    }
    return region;
}

std::vector<RegressionCase> regressionCases() {
    return {widestPen(), savedClipRegions(), dibPatternBrushes(), bitmap16PatternBrushes(), widePenFigures(),
            rasterOperationOnALargePicture(), framedRegion(), patternBrushSmallFills(),
            nestedClipRegion(), degenerateMapping(), tinyRunLengthBitmaps()};
}

}  // namespace plotvale::testing
