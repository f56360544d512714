#pragma once
// Plays the records of a metafile onto a Device. The player owns the mapping:
// anisotropic throughout, the viewport fixed to the whole picture and the
// window starting as the picture frame; the file's window records change the
// window, its map-mode and viewport records are not played (they describe
// the device the file was made on).

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "wmf/dc_state.h"
#include "canvas/pixel_spans.h"
#include "wmf/device.h"
#include "wmf/memory_budget.h"
#include "wmf/picture_frame.h"
#include "wmf/record_reader.h"
#include "wmf/text_encoding.h"

namespace plotvale::wmf {

// A device coordinate as a whole pixel index: values far outside any picture
// are pinned at a hundred million pixels, within an int.
inline int pixelIndex(double v) { return v != v ? 0 : static_cast<int>(std::clamp(v, -1e8, 1e8)); }

class Player {
public:
    Player(Device& device, const PictureFrame& frame);
    // Plays every record; returns the number of records skipped as unknown.
    int play(std::string_view records);

private:
    // Records by kind (player_*.cpp).
    bool playState(const Record& r);
    void scaleWindowExt(const Record& r);
    bool playObject(const Record& r);
    bool playClip(const Record& r);
    bool playShape(const Record& r);
    bool playRegion(const Record& r);
    bool playText(const Record& r);
    bool playBitmap(const Record& r);
    bool playPalette(const Record& r);
    void setDibToDevice(const Record& r);
    void refreshPalette();
    void playEscape(const Record& r);

    std::uint32_t colorRef(const Record& r, std::size_t offset) const;

    // Mapping.
    double scaleX() const { return device_.width() / s_.windowExtX; }
    double scaleY() const { return device_.height() / s_.windowExtY; }
    Point toDevice(double x, double y) const;
    canvas::RectI toDeviceRect(double l, double t, double r, double b) const;
    double lengthX(double v) const;

    // Painting with the current objects, honouring ROP2.
    // rim: pixels a two-pixel square pen covers besides the path's own.
    void fillAndStroke(const Path& fillPath, const Path& strokePath, bool filled,
                       const std::vector<canvas::Span>* rim = nullptr);
    void fillWithBrush(const Path& path, const BrushObject& brush, FillRule rule);
    canvas::RectI pathBox(const Path& path) const;
    FillRule shapeFillRule() const;
    void strokeWithPen(const Path& path, const std::vector<canvas::Span>* rim = nullptr);
    bool usesSquarePen() const;
    bool strokeWithSquarePen(const Path& path, const std::vector<canvas::Span>* rim);
    bool drawThinEllipse(const canvas::RectI& box);
    bool drawThinArc(const canvas::RectI& box, double start, double sweep);
    bool drawThinChord(const canvas::RectI& box, double start, double sweep, const Point* point);
    // Straight outlines (polylines, or polygons when closed) with the pen;
    // the aliased mode computes their pixels itself (player_lines.cpp).
    using Figures = std::vector<std::vector<Point>>;
    // An area to fill and the rule it is filled by.
    struct FillShape {
        Path path;
        FillRule rule = FillRule::NonZero;
    };
    void fillAndOutline(const FillShape& fill, const Figures& outlines, bool closed, bool filled);
    void strokeLines(const Figures& outlines, bool closed);
    void strokeThinLines(const Figures& outlines, bool closed);
    void strokeWideLines(const Figures& outlines, bool closed);
    bool strokeCurveBands(const Path& path);
    void strokeApproximately(const Figures& outlines, bool closed);
    void fillPixels(const std::vector<canvas::RectI>& rects, std::uint32_t color);
    void fillPixels(const std::vector<canvas::Span>& spans, std::uint32_t color);
    void withRop2(const std::function<void()>& draw);
    std::vector<Point> strokePoints(const std::vector<Point>& devicePoints) const;
    double penWidth() const;
    static double strokeOffset(double width);
    static double curveOffset(double width);
    double curveFillShift(double penShift) const;
    double insideFrameInset() const;
    FillShape fillPathOf(const std::vector<std::vector<Point>>& devicePolygons) const;
    // Centre sampling moved by this much samples a path at pixel top-left corners.
    static constexpr double kFillOffset = 0.5;
    bool penVisible() const { return (s_.pen.style & 0x0F) != 5; }
    bool brushVisible(const BrushObject& b) const { return b.style != 1; }
    std::vector<Point> readPoints(const Record& r, std::size_t firstWord, std::size_t count) const;
    void applyClip();
    void drawEllipse(const Record& r);
    void drawAntialiasedEllipse(const canvas::RectD& fillBox, const canvas::RectD& penBox);
    void drawArcFamily(const Record& r, int kind);
    void drawRoundRect(const Record& r);
    void drawPolyPolygon(const Record& r);
    void floodFill(int x, int y, std::uint32_t color, bool surface);
    void fillRegionRects(const std::vector<canvas::RectI>& rects, const BrushObject& brush);
    static RegionObject readRegion(const Record& r);
    std::optional<BrushObject> readPatternBrush(const Record& r);
    std::vector<canvas::RectI> regionToDevice(const RegionObject& region) const;
    canvas::RectI cutToReach(const canvas::RectI& rect) const;
    std::vector<canvas::RectI> regionInPixels(const RegionObject& region) const;

    // Text.
    std::optional<canvas::Font> textFont(SymbolEncoding& symbols) const;
    // Glyph advances by the font's design widths, by its hinted glyphs (how
    // aliased text is laid out), or as GDI sums them into the text's extent.
    enum class TextLayout { Design, Hinted, Extent };
    std::vector<double> textAdvances(const canvas::Font& font, const DecodedText& decoded,
                                     const std::vector<int>* dx, TextLayout layout) const;
    double wholeTextUnits(double length, double scale) const;
    double textAngle() const;
    double textExtent(const canvas::Font& font, const DecodedText& decoded, const std::vector<int>* dx,
                      const std::vector<double>& advances) const;
    Point textOrigin(double x, double y, const canvas::FontMetrics& metrics, double width, double angle) const;
    void drawText(double x, double y, std::string_view bytes, const std::vector<int>* dx,
                  std::uint16_t options, const canvas::RectI* rect);

    // Bitmaps.
    void blit(const Image* source, double dx, double dy, double dw, double dh, double sx, double sy,
              double sw, double sh, std::uint32_t rop);
    std::uint32_t patternAt(int x, int y) const;
    // A DIB decoded for one record: refused when its pixels do not fit what
    // is left of the budget.
    std::optional<Image> dibOf(std::string_view dib, int colorUsage) const;
    long long affordablePixels(std::size_t copies) const;
    bool saveState();
    void dropSavedStates(std::size_t keep);

    Device& device_;
    // Declared before everything it counts, so it outlives them.
    MemoryBudget budget_{kPlayerAllowanceBytes};
    double dpiScale_ = 1;  // bitmap pixels per pixel of the picture at 96 DPI
    DcState s_;
    std::vector<DcState> saved_;
    ObjectTable objects_{budget_};
    int unknown_ = 0;
};

}  // namespace plotvale::wmf
