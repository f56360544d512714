#include "feature_pictures.h"

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "metafile_writer.h"

namespace plotvale::testing {
namespace {

// COLORREFs (0x00BBGGRR).
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00A000,
                        kBlue = 0xFF0000, kYellow = 0x00FFFF, kTeal = 0x808000, kOrange = 0x0080FF,
                        kGrey = 0x808080, kNavy = 0x800000, kPurple = 0x800080;
constexpr int kW = 240, kH = 180;

int lo(std::uint32_t v) { return static_cast<int>(v & 0xFFFF); }
int hi(std::uint32_t v) { return static_cast<int>(v >> 16); }

struct Font {
    int height = -24, width = 0, escapement = 0, weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int charset = 0, pitchFamily = 0;
    std::string face = "Arial";
};

// A picture under construction: the writer and the slots of the pen, brush
// and font in use (a new one is selected before the old one is deleted).
class Pic {
public:
    explicit Pic(MetafileWriter w) : w_(std::move(w)) {}
    MetafileWriter& w() { return w_; }

    Pic& pen(int style, int width, std::uint32_t color) { return use(w_.pen(style, width, color), pen_); }
    Pic& brush(int style, std::uint32_t color, int hatch = 0) { return use(w_.brush(style, color, hatch), brush_); }
    Pic& nullPen() { return pen(5, 0, 0); }
    Pic& nullBrush() { return brush(1, 0); }
    Pic& font(const Font& f) {
        std::string p;
        for (int v : {f.height, f.width, f.escapement, f.escapement, f.weight}) putU16(p, v);
        for (int v : {f.italic ? 1 : 0, f.underline ? 1 : 0, f.strikeOut ? 1 : 0, f.charset, 0, 0, 0, f.pitchFamily})
            p.push_back(static_cast<char>(v));
        std::string name(f.face);
        name.resize(32, '\0');
        return use(w_.recordBytes(0x02FB, p + name), font_);
    }
    Pic& patternBrush(const std::string& dib, int usage = 0) {
        std::string p;
        putU16(p, 5);
        putU16(p, usage);
        return use(w_.recordBytes(0x0142, p + dib), brush_);
    }

    Pic& rec(std::uint16_t function, std::initializer_list<int> words) { w_.record(function, words); return *this; }
    Pic& bkMode(int mode) { return rec(0x0102, {mode}); }
    Pic& bkColor(std::uint32_t c) { return rec(0x0201, {lo(c), hi(c)}); }
    Pic& textColor(std::uint32_t c) { return rec(0x0209, {lo(c), hi(c)}); }
    Pic& rop2(int rop) { return rec(0x0104, {rop}); }
    Pic& polyFill(int mode) { return rec(0x0106, {mode}); }
    Pic& textAlign(int align) { return rec(0x012E, {align}); }
    Pic& windowOrg(int x, int y) { return rec(0x020B, {y, x}); }
    Pic& windowExt(int x, int y) { return rec(0x020C, {y, x}); }
    Pic& moveTo(int x, int y) { return rec(0x0214, {y, x}); }
    Pic& lineTo(int x, int y) { return rec(0x0213, {y, x}); }
    Pic& rect(int l, int t, int r, int b) { w_.rectangle(l, t, r, b); return *this; }
    Pic& ellipse(int l, int t, int r, int b) { return rec(0x0418, {b, r, t, l}); }
    Pic& roundRect(int l, int t, int r, int b, int w, int h) { return rec(0x061C, {h, w, b, r, t, l}); }
    Pic& arcFamily(std::uint16_t fn, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
        return rec(fn, {ye, xe, ys, xs, b, r, t, l});
    }
    Pic& patBlt(int x, int y, int w, int h, std::uint32_t rop) { return rec(0x061D, {lo(rop), hi(rop), h, w, y, x}); }
    Pic& poly(std::uint16_t fn, const std::vector<std::pair<int, int>>& points) {
        std::vector<int> words{static_cast<int>(points.size())};
        for (auto [x, y] : points) { words.push_back(x); words.push_back(y); }
        w_.record(fn, words);
        return *this;
    }
    Pic& polyPolygon(const std::vector<std::vector<std::pair<int, int>>>& polys) {
        std::vector<int> words{static_cast<int>(polys.size())};
        for (const auto& p : polys) words.push_back(static_cast<int>(p.size()));
        for (const auto& p : polys)
            for (auto [x, y] : p) { words.push_back(x); words.push_back(y); }
        w_.record(0x0538, words);
        return *this;
    }
    Pic& text(int x, int y, std::string_view s) { w_.textOut(x, y, s); return *this; }
    Pic& extText(int x, int y, int options, std::string_view s, const std::vector<int>& dx = {},
                 std::initializer_list<int> box = {}) {
        std::string p;
        for (int v : {y, x, static_cast<int>(s.size()), options}) putU16(p, v);
        for (int v : box) putU16(p, v);
        p += s;
        if (s.size() % 2) p.push_back('\0');
        for (int d : dx) putU16(p, d);
        w_.recordBytes(0x0A32, p);
        return *this;
    }
    // STRETCHDIB of a whole DIB of srcW x srcH.
    Pic& stretchDib(const std::string& dib, int srcW, int srcH, int x, int y, int w, int h,
                    std::uint32_t rop = 0xCC0020, int usage = 0) {
        std::string p;
        for (int v : {lo(rop), hi(rop), usage, srcH, srcW, 0, 0, h, w, y, x}) putU16(p, v);
        w_.recordBytes(0x0F43, p + dib);
        return *this;
    }
    Pic& dibStretchBlt(const std::string& dib, int srcW, int srcH, int x, int y, int w, int h, std::uint32_t rop) {
        std::string p;
        for (int v : {lo(rop), hi(rop), srcH, srcW, 0, 0, h, w, y, x}) putU16(p, v);
        w_.recordBytes(0x0B41, p + dib);
        return *this;
    }
    // A region of rectangles, each scan one band with its [left, right) pairs.
    Pic& region(const std::vector<std::pair<std::pair<int, int>, std::vector<int>>>& scans) {
        std::string body;
        int maxScan = 0, left = 32767, top = 32767, right = -32768, bottom = -32768;
        for (const auto& [band, xs] : scans) {
            putU16(body, static_cast<int>(xs.size()));
            putU16(body, band.first);
            putU16(body, band.second);
            for (int x : xs) putU16(body, x);
            putU16(body, static_cast<int>(xs.size()));
            maxScan = std::max(maxScan, static_cast<int>(xs.size()) / 2);
            left = std::min(left, xs.front());
            right = std::max(right, xs.back());
            top = std::min(top, band.first);
            bottom = std::max(bottom, band.second);
        }
        std::string p;
        putU16(p, 0);
        putU16(p, 6);
        putU32(p, 0);
        putU16(p, static_cast<int>(22 + body.size()));
        putU16(p, static_cast<int>(scans.size()));
        putU16(p, maxScan);
        for (int v : {left, top, right, bottom}) putU16(p, v);
        w_.recordBytes(0x06FF, p + body);
        return *this;
    }
    int last() const { return w_.lastObject(); }

    // Four coloured bars and a grey band: what lies under a feature.
    Pic& backdrop() {
        const std::uint32_t colors[] = {kRed, kGreen, kBlue, kYellow};
        for (int i = 0; i < 4; ++i) brush(0, colors[i]).patBlt(i * kW / 4, 0, kW / 4, kH, 0xF00021);
        return brush(0, kGrey).patBlt(0, kH / 2 - 15, kW, 30, 0xF00021);
    }

private:
    Pic& use(MetafileWriter& w, int& slot) {
        const int created = w.lastObject();
        w.select(created);
        if (slot >= 0) w.remove(slot);
        slot = created;
        return *this;
    }
    MetafileWriter w_;
    int pen_ = -1, brush_ = -1, font_ = -1;
};

// One logical unit per pixel.
Pic picture() { return Pic(MetafileWriter::placeable(0, 0, kW, kH, 96)); }
// scale logical units per pixel.
Pic scaledPicture(int scale) { return Pic(MetafileWriter::placeable(0, 0, kW * scale, kH * scale, 96 * scale)); }

using List = std::vector<FeaturePicture>;
void add(List& list, std::string name, Pic& pic) { list.push_back({std::move(name), pic.w().bytes()}); }

// A figure with a wide pen, a brush, and one-pixel lines (wide straight
// lines have pictures of their own).
void shapesOver(Pic& p) {
    p.pen(0, 8, kNavy).brush(0, kOrange).ellipse(20, 20, 150, 160);
    p.pen(0, 1, kPurple).brush(0, kTeal).rect(110, 40, 225, 140);
    p.pen(0, 1, kBlack);
    for (int i = 0; i < 6; ++i) p.moveTo(10, 10 + i * 30).lineTo(230, 170 - i * 25);
}

void rop2Pictures(List& list) {
    for (int rop = 1; rop <= 16; ++rop) {
        Pic p = picture();
        p.backdrop().rop2(rop);
        shapesOver(p);
        add(list, "rop2_" + std::to_string(rop), p);
    }
}

// A 24-bit DIB of w x h with colour blocks and lines.
std::string colourDib(int w, int h) {
    std::string px;
    const int row = (w * 3 + 3) / 4 * 4;
    for (int y = 0; y < h; ++y) {
        std::string r;
        for (int x = 0; x < w; ++x) {
            const bool line = (x % 16 == 3) || (y % 12 == 5);
            const int b = line ? 0 : (x * 255 / std::max(1, w - 1));
            const int g = line ? 0 : (y * 255 / std::max(1, h - 1));
            const int rd = line ? 0 : ((x / 8 + y / 8) % 2 ? 230 : 40);
            r += static_cast<char>(b);
            r += static_cast<char>(g);
            r += static_cast<char>(rd);
        }
        r.resize(row, '\0');
        px += r;
    }
    return dibBits(w, h, 24, 0, {}, px);
}

void ternaryRopPictures(List& list) {
    const std::pair<const char*, std::uint32_t> patOps[] = {
        {"patcopy", 0xF00021}, {"patinvert", 0x5A0049}, {"dstinvert", 0x550009},
        {"blackness", 0x000042}, {"whiteness", 0xFF0062}};
    for (auto [name, rop] : patOps) {
        Pic p = picture();
        p.backdrop().brush(2, kNavy, 5).bkColor(kYellow);
        p.patBlt(20, 20, 200, 140, rop);
        add(list, std::string("patblt_") + name, p);
    }
    const std::pair<const char*, std::uint32_t> srcOps[] = {
        {"srccopy", 0xCC0020}, {"srcpaint", 0xEE0086}, {"srcand", 0x8800C6}, {"srcinvert", 0x660046},
        {"srcerase", 0x440328}, {"notsrccopy", 0x330008}, {"notsrcerase", 0x1100A6},
        {"mergecopy", 0xC000CA}, {"mergepaint", 0xBB0226}, {"patpaint", 0xFB0A09}, {"dsp_b8", 0xB8074A}};
    const std::string source = colourDib(50, 40);
    for (auto [name, rop] : srcOps) {
        Pic p = picture();
        p.backdrop().brush(0, kPurple);
        p.dibStretchBlt(source, 50, 40, 10, 10, 220, 160, rop);
        add(list, std::string("rop3_") + name, p);
    }
}

void hatchPictures(List& list) {
    for (int hatch = 0; hatch < 6; ++hatch)
        for (int mode : {1, 2}) {
            Pic p = picture();
            p.backdrop().bkColor(kYellow).bkMode(mode).nullPen().brush(2, kNavy, hatch);
            p.rect(7, 5, 131, 176).ellipse(101, 13, 233, 171);
            add(list, "hatch_" + std::to_string(hatch) + (mode == 1 ? "_transparent" : "_opaque"), p);
        }
}

void patternBrushPictures(List& list) {
    {
        std::string px;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool on = (x + y) % 4 == 0 || y == 3;
                px += static_cast<char>(on ? 200 : 30);
                px += static_cast<char>(on ? 40 : 160);
                px += static_cast<char>(x * 30);
            }
        }
        Pic p = picture();
        p.backdrop().patternBrush(dibBits(8, 8, 24, 0, {}, px)).pen(0, 2, kBlack);
        p.ellipse(10, 10, 170, 170).rect(100, 30, 230, 150);
        add(list, "dibpattern_24bit", p);
    }
    {
        std::string px;
        for (int y = 0; y < 8; ++y) {
            px += static_cast<char>(y % 2 ? 0x3C : 0x81);
            px += std::string(3, '\0');
        }
        Pic p = picture();
        p.backdrop().textColor(kRed).bkColor(kBlue).patternBrush(dibBits(8, 8, 1, 0, {0x00FF00, 0x0000FF}, px));
        p.nullPen().rect(10, 10, 230, 170);
        add(list, "dibpattern_1bit", p);
    }
}

void penPictures(List& list) {
    const char* styles[] = {"solid", "dash", "dot", "dashdot", "dashdotdot"};
    for (int style = 0; style < 5; ++style)
        for (int mode : {1, 2}) {
            if (style == 0 && mode == 1) continue;
            Pic p = picture();
            p.backdrop().bkMode(mode).bkColor(kYellow).pen(style, 1, kBlack).nullBrush();
            for (int i = 0; i < 8; ++i) p.moveTo(5, 8 + i * 22).lineTo(235, 20 + i * 19);
            for (int i = 0; i < 6; ++i) p.moveTo(10 + i * 40, 5).lineTo(30 + i * 37, 175);
            p.rect(30, 30, 210, 150).ellipse(50, 40, 190, 140);
            add(list, std::string("pen_") + styles[style] + (mode == 1 ? "_transparent" : "_opaque"), p);
        }
    for (int width : {0, 2, 3, 4, 6, 9, 15}) {
        Pic p = picture();
        p.backdrop().pen(0, width, kBlack).nullBrush();
        p.poly(0x0325, {{10, 10}, {230, 30}, {40, 80}, {200, 170}, {120, 20}, {15, 160}});
        p.rect(60, 50, 180, 130).ellipse(30, 25, 210, 155);
        add(list, "pen_width_" + std::to_string(width), p);
    }
    {
        // Single wide lines of widths 3 to 12 at twelve slopes, one to a cell,
        // each way round (GDI rounds a band's offsets up to whole pixels).
        Pic p = picture();
        p.backdrop();
        const int slopes[][2] = {{20, 3}, {20, 10}, {20, 15}, {20, 20}, {15, 20}, {7, 20},
                                 {-20, 7}, {-13, 20}, {17, -9}, {9, -17}, {20, -20}, {-20, -11}};
        for (int i = 0; i < 12; ++i) {
            const int cx = 30 + (i % 4) * 60, cy = 30 + (i / 4) * 60;
            p.pen(0, 3 + (i * 7) % 10, kBlack).moveTo(cx - slopes[i][0], cy - slopes[i][1]).lineTo(cx + slopes[i][0] / 2, cy + slopes[i][1] / 2);
        }
        add(list, "pen_bands", p);
    }
    for (int width : {4, 9}) {
        Pic p = picture();
        p.backdrop().pen(6, width, kNavy).brush(0, kOrange);
        p.rect(10, 10, 115, 90).ellipse(125, 10, 230, 90).roundRect(10, 100, 115, 170, 30, 30);
        p.pen(0, width, kNavy).rect(125, 100, 230, 170);
        add(list, "pen_insideframe_" + std::to_string(width), p);
    }
    {
        // Inside-frame arcs, pies and chords keep within their boxes too.
        Pic p = picture();
        p.backdrop().pen(6, 11, kNavy).brush(0, kOrange);
        p.rec(0x0817, {20, 10, 90, 115, 90, 115, 10, 10});                 // arc
        p.rec(0x081A, {10, 125, 50, 230, 90, 230, 10, 125});               // pie
        p.rec(0x0830, {170, 10, 110, 115, 170, 115, 100, 10});             // chord
        p.pen(0, 11, kNavy).rec(0x0830, {170, 125, 110, 230, 170, 230, 100, 125});
        add(list, "pen_insideframe_arcs", p);
    }
    {
        Pic p = picture();
        p.backdrop().bkMode(2).bkColor(kYellow).pen(1, 5, kBlack).nullBrush();
        for (int i = 0; i < 6; ++i) p.moveTo(10, 15 + i * 30).lineTo(230, 25 + i * 28);
        p.rect(40, 40, 200, 140);
        add(list, "pen_dash_wide", p);
    }
    {
        Pic p = picture();
        p.backdrop().nullPen().brush(0, kOrange).rect(10, 10, 230, 170).ellipse(40, 30, 200, 150);
        add(list, "pen_null", p);
    }
}

void clipPictures(List& list) {
    {
        Pic p = picture();
        p.rec(0x0416, {160, 200, 20, 40}).backdrop().pen(0, 5, kBlack).brush(0, kOrange).ellipse(0, 0, 240, 180);
        add(list, "clip_intersect", p);
    }
    {
        Pic p = picture();
        p.rec(0x0415, {100, 100, 30, 30}).rec(0x0415, {160, 220, 110, 140}).backdrop().pen(0, 7, kBlack);
        for (int i = 0; i < 7; ++i) p.moveTo(0, i * 30).lineTo(240, 180 - i * 20);
        add(list, "clip_exclude_wide_lines", p);
    }
    {
        Pic p = picture();
        p.rec(0x0416, {100, 120, 10, 10}).rec(0x0220, {60, 90}).backdrop().brush(0, kPurple).rect(30, 20, 200, 160);
        add(list, "clip_offset", p);
    }
    {
        Pic p = picture();
        p.backdrop().rec(0x001E, {}).rec(0x0416, {90, 120, 0, 0}).brush(2, kBlack, 4).rect(0, 0, 240, 180);
        p.rec(0x0127, {-1}).brush(2, kNavy, 2).bkMode(1).rect(20, 20, 220, 160);
        add(list, "clip_savedc_restore", p);
    }
    // The clip region is taken in device pixels whatever the window says. (Its
    // object is not in slot 0, which Wine's playback takes for no region.)
    for (int scale : {1, 4}) {
        Pic p = picture();
        p.brush(0, kNavy).windowExt(kW * scale, kH * scale);
        p.region({{{10, 80}, {20, 110, 130, 230}}, {{80, 170}, {60, 180}}});
        const int rgn = p.last();
        p.rec(0x012C, {rgn}).backdrop().brush(0, kNavy).nullPen().ellipse(0, 0, kW * scale, kH * scale);
        add(list, "clip_selectregion_window_x" + std::to_string(scale), p);
    }
}

void regionPictures(List& list) {
    const std::vector<std::pair<std::pair<int, int>, std::vector<int>>> shape = {
        {{15, 60}, {20, 100, 140, 220}}, {{60, 120}, {50, 190}}, {{120, 165}, {20, 90, 150, 220}}};
    {
        Pic p = picture();
        p.windowExt(kW * 2, kH * 2).backdrop().region(shape);
        const int rgn = p.last();
        p.brush(2, kBlack, 3).rec(0x012B, {rgn});
        add(list, "region_paint", p);
    }
    {
        Pic p = picture();
        p.backdrop().region(shape);
        p.rec(0x012A, {p.last()});
        add(list, "region_invert", p);
    }
}

void stateAndObjectPictures(List& list) {
    {
        // Saved states keep their objects: none is deleted here.
        Pic p = picture();
        p.backdrop();
        MetafileWriter& w = p.w();
        auto created = [&w] { return w.lastObject(); };
        w.pen(0, 4, kRed).select(created()).brush(0, kYellow).select(created()).record(0x001E, {});
        w.pen(0, 2, kBlue).select(created()).brush(0, kGreen).select(created()).rectangle(10, 10, 120, 90);
        w.record(0x001E, {}).pen(0, 6, kBlack).select(created()).brush(2, kPurple, 1).select(created());
        w.rectangle(120, 10, 230, 90).record(0x0127, {-2}).rectangle(10, 100, 120, 170);
        w.record(0x001E, {}).pen(0, 1, kBlack).select(created()).record(0x0127, {-1}).rectangle(120, 100, 230, 170);
        add(list, "savedc_relative", p);
    }
    {
        // Objects fill the lowest free slot: delete one and the next takes its place.
        Pic p = picture();
        p.backdrop();
        MetafileWriter& w = p.w();
        w.pen(0, 3, kRed);
        const int a = w.lastObject();
        w.brush(0, kGreen);
        const int b = w.lastObject();
        w.brush(0, kBlue);
        const int c = w.lastObject();
        w.select(a).select(b).rectangle(10, 10, 120, 90).remove(b).brush(0, kOrange);
        w.select(w.lastObject()).rectangle(120, 10, 230, 90).select(c).rectangle(10, 100, 230, 170);
        add(list, "object_table_reuse", p);
    }
}

void windowPictures(List& list) {
    struct Setup {
        const char* name;
        int orgX, orgY, extX, extY;
    };
    const Setup setups[] = {{"scaled", 0, 0, 480, 360},    {"offset", -30, -20, kW, kH},
                            {"flip_x", kW, 0, -kW, kH},    {"flip_y", 0, kH, kW, -kH},
                            {"flip_xy", kW, kH, -kW, -kH}, {"anisotropic", 0, 0, 120, 360}};
    for (const auto& s : setups) {
        Pic p = picture();
        p.windowOrg(s.orgX, s.orgY).windowExt(s.extX, s.extY).backdrop();
        p.pen(0, 3, kBlack).brush(0, kOrange).rect(20, 20, 110, 80).ellipse(130, 20, 220, 100);
        p.pen(0, 1, kNavy).poly(0x0324, {{20, 100}, {110, 170}, {20, 170}});
        p.font({}).textColor(kNavy).bkMode(1).text(120, 120, "Window");
        add(list, std::string("window_") + s.name, p);
    }
    {
        // Map-mode and viewport records describe the device the file was made on.
        Pic p = picture();
        p.rec(0x0103, {2}).rec(0x020D, {30, 40}).rec(0x020E, {90, 120}).rec(0x0211, {5, 5}).backdrop();
        p.pen(0, 3, kBlack).brush(0, kOrange).rect(20, 20, 220, 160);
        add(list, "window_viewport_records_not_played", p);
    }
    {
        Pic p = picture();
        p.windowExt(kW, kH).rec(0x0410, {3, 2, 2, 1}).rec(0x020F, {10, 20}).backdrop();
        p.pen(0, 2, kBlack).brush(2, kBlue, 2).rect(20, 20, 200, 100).ellipse(20, 10, 100, 50);
        add(list, "window_scale_offset_records", p);
    }
}

struct Point2 {
    int x, y;
};

Point2 onCircle(int cx, int cy, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return {static_cast<int>(std::lround(cx + radius * std::cos(a))), static_cast<int>(std::lround(cy - radius * std::sin(a)))};
}

void arcPictures(List& list) {
    const std::pair<const char*, std::uint16_t> kinds[] = {{"arc", 0x0817}, {"pie", 0x081A}, {"chord", 0x0830}};
    const std::pair<const char*, std::array<int, 4>> flips[] = {
        {"", {0, 0, kW, kH}}, {"_flip_x", {kW, 0, -kW, kH}}, {"_flip_y", {0, kH, kW, -kH}}, {"_flip_xy", {kW, kH, -kW, -kH}}};
    for (auto [kind, fn] : kinds)
        for (const auto& [flip, window] : flips) {
            Pic p = picture();
            p.windowOrg(window[0], window[1]).windowExt(window[2], window[3]).backdrop().brush(0, kOrange);
            // One figure per quadrant of start angle, each sweeping 130 degrees counter-clockwise.
            for (int q = 0; q < 4; ++q) {
                const int l = 8 + (q % 2) * 118, t = 6 + (q / 2) * 88, r = l + 108, b = t + 80;
                const int cx = (l + r) / 2, cy = (t + b) / 2;
                const Point2 s = onCircle(cx, cy, 70, 20 + 90 * q), e = onCircle(cx, cy, 70, 150 + 90 * q);
                p.pen(0, q < 2 ? 1 : 4, kBlack).arcFamily(fn, l, t, r, b, s.x, s.y, e.x, e.y);
            }
            add(list, std::string(kind) + flip, p);
        }
}

void polygonPictures(List& list) {
    const std::vector<std::pair<int, int>> star = {{120, 5}, {160, 170}, {15, 60}, {225, 60}, {80, 170}};
    for (int mode : {1, 2}) {
        const std::string suffix = mode == 1 ? "_alternate" : "_winding";
        Pic p = picture();
        p.backdrop().polyFill(mode).pen(0, 2, kBlack).brush(0, kTeal).poly(0x0324, star);
        add(list, "polygon_star" + suffix, p);
        Pic q = picture();
        q.backdrop().polyFill(mode).pen(0, 1, kNavy).brush(2, kBlack, 5);
        q.polyPolygon({{{10, 10}, {230, 10}, {230, 170}, {10, 170}}, {{40, 40}, {200, 40}, {200, 140}, {40, 140}},
                       {{80, 20}, {160, 20}, {160, 160}, {80, 160}}});
        add(list, "polypolygon" + suffix, q);
    }
}

void shapePictures(List& list) {
    {
        Pic p = picture();
        p.backdrop().pen(0, 1, kBlack).brush(0, kOrange);
        for (int i = 0; i < 5; ++i) p.rect(5 + i * 47, 10 + i * 3, 45 + i * 47, 170 - i * 9);
        p.roundRect(20, 40, 220, 140, 40, 24).ellipse(60, 20, 181, 161);
        add(list, "shapes_rect_round_ellipse", p);
    }
    {
        Pic p = picture();
        for (int y = 0; y < kH; y += 3)
            for (int x = (y / 3) % 2 * 3; x < kW; x += 6) {
                const std::uint32_t c = (x * 255 / kW) | ((y * 255 / kH) << 8) | 0x400000;
                p.rec(0x041F, {lo(c), hi(c), y, x});
            }
        add(list, "setpixel", p);
    }
    {
        Pic p = picture();
        p.pen(0, 1, kBlack).nullBrush().ellipse(20, 20, 220, 160).ellipse(60, 50, 180, 130);
        p.brush(0, kGreen).rec(0x0419, {lo(kBlack), hi(kBlack), 90, 40});
        p.brush(0, kRed).rec(0x0548, {1, lo(kWhite), hi(kWhite), 90, 120});
        p.brush(0, kBlue).rec(0x0548, {0, lo(kBlack), hi(kBlack), 5, 5});
        add(list, "floodfill", p);
    }
}

std::string rows(int w, int h, int bits, const std::function<int(int, int)>& value) {
    const int stride = (w * bits + 31) / 32 * 4;
    std::string px(static_cast<std::size_t>(stride * h), '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = value(x, y);
            const std::size_t at = static_cast<std::size_t>(y * stride);
            if (bits >= 8) {
                for (int k = 0; k < bits / 8; ++k) px[at + x * (bits / 8) + k] = static_cast<char>(v >> (8 * k));
            } else {
                const int bit = x * bits, shift = 8 - bits - bit % 8;
                px[at + bit / 8] = static_cast<char>(px[at + bit / 8] | (v << shift));
            }
        }
    return px;
}

std::vector<std::uint32_t> rampPalette(int n) {
    std::vector<std::uint32_t> pal;
    for (int i = 0; i < n; ++i)
        pal.push_back(static_cast<std::uint32_t>((i * 255 / (n - 1)) << 16 | (255 - i * 255 / (n - 1)) << 8 | ((i * 97) % 256)));
    return pal;
}

// RLE data for a w x h picture of bands, with deltas, early ends of line and
// an early end of the bitmap; bits 8 or 4.
std::string rleData(int w, int h, int bits) {
    std::string d;
    auto put = [&](std::initializer_list<int> v) { for (int b : v) d.push_back(static_cast<char>(b)); };
    for (int y = 0; y < h - 20; ++y) {
        const int c = bits == 8 ? 1 + y / 10 % 6 : (1 + y / 10 % 6) * 0x11;
        if (y % 25 == 10) {
            put({40, c, 0, 2, 30, 0, w - 70 > 255 ? 255 : w - 70, c});  // a run, a delta right, the rest
            put({0, 0});
        } else if (y % 25 == 20) {
            put({w / 2, c, 0, 0});  // half a line, then end of line
        } else if (y % 30 == 5) {
            put({20, c, 0, 2, 60, 3, 20, c, 0, 0});  // a delta down three lines
            y += 3;
        } else {
            for (int x = 0; x < w; x += 100) put({std::min(100, w - x), c});
            if (bits == 8) put({0, 4, 7, 8, 7, 8});  // an absolute run beyond the end is clipped
            put({0, 0});
        }
    }
    put({0, 1});  // end of bitmap: the top rows stay unpainted
    return d;
}

void dibPictures(List& list) {
    const int w = 200, h = 150;
    auto picWith = [&](const std::string& name, const std::string& dib, int bw, int bh) {
        Pic p = picture();
        p.backdrop().stretchDib(dib, bw, bh, 20, 15, w, h);
        add(list, name, p);
    };
    auto pattern = [](int x, int y) { return (x / 10 + y / 10) % 16; };
    picWith("dib_1bit", dibBits(w, h, 1, 0, {0x203080, 0xF0E0A0}, rows(w, h, 1, [](int x, int y) { return (x / 7 + y / 5) % 2; })), w, h);
    picWith("dib_4bit", dibBits(w, h, 4, 0, rampPalette(16), rows(w, h, 4, pattern)), w, h);
    picWith("dib_8bit", dibBits(w, h, 8, 0, rampPalette(256), rows(w, h, 8, [](int x, int y) { return (x + 2 * y) % 256; })), w, h);
    picWith("dib_16bit_555", dibBits(w, h, 16, 0, {}, rows(w, h, 16, [](int x, int y) { return (x / 7) << 10 | (y / 5) << 5 | ((x + y) / 12 % 32); })), w, h);
    picWith("dib_24bit", colourDib(w, h), w, h);
    picWith("dib_32bit", dibBits(w, h, 32, 0, {}, rows(w, h, 32, [](int x, int y) { return (x * 255 / w) << 16 | (y * 255 / h) << 8 | ((x ^ y) & 255); })), w, h);
    {
        // BI_BITFIELDS 5-6-5: the masks follow the header.
        std::string d = dibBits(w, h, 16, 3, {0xF800, 0x07E0, 0x001F}, rows(w, h, 16, [](int x, int y) { return (x / 7) << 11 | (y * 63 / h) << 5 | ((x + y) / 12 % 32); }));
        picWith("dib_16bit_bitfields", d, w, h);
    }
    {
        std::string d = dibBits(w, -h, 8, 0, rampPalette(256), rows(w, h, 8, [](int x, int y) { return (x / 2 + y) % 256; }));
        picWith("dib_8bit_topdown", d, w, h);
    }
    {
        std::string core;
        putU32(core, 12);
        putU16(core, w);
        putU16(core, h);
        putU16(core, 1);
        putU16(core, 4);
        for (auto c : rampPalette(16)) { core.push_back(static_cast<char>(c)); core.push_back(static_cast<char>(c >> 8)); core.push_back(static_cast<char>(c >> 16)); }
        picWith("dib_core_header", core + rows(w, h, 4, pattern), w, h);
    }
    picWith("dib_rle8", dibBits(w, h, 8, 1, rampPalette(8), rleData(w, h, 8)), w, h);
    picWith("dib_rle4", dibBits(w, h, 4, 2, rampPalette(8), rleData(w, h, 4)), w, h);
    const std::string small = colourDib(60, 45);
    const std::pair<const char*, std::array<int, 4>> mirrors[] = {
        {"mirror_x", {220, 15, -200, 150}}, {"mirror_y", {20, 165, 200, -150}}, {"mirror_xy", {220, 165, -200, -150}}};
    for (const auto& [name, d] : mirrors) {
        Pic p = picture();
        p.backdrop().stretchDib(small, 60, 45, d[0], d[1], d[2], d[3]);
        add(list, std::string("dib_") + name, p);
    }
    for (int mode = 1; mode <= 4; ++mode) {
        const int bw = 480, bh = 360;
        // Dark one-pixel lines on a ramp: AND keeps the lines, OR drops them.
        std::vector<std::uint32_t> pal{0x141414};
        for (int i = 1; i < 16; ++i) pal.push_back(static_cast<std::uint32_t>((i * 17 << 16) | (0xE0E0 - i * 0x0707)));
        const std::string d = dibBits(bw, bh, 4, 0, pal, rows(bw, bh, 4, [&](int x, int y) {
            return x % 3 == 0 || y % 4 == 1 ? 0 : 1 + x * 15 / bw;
        }));
        Pic p = picture();
        p.rec(0x0107, {mode}).stretchDib(d, bw, bh, 0, 0, kW, kH);
        add(list, "stretch_mode_" + std::to_string(mode), p);
    }
    {
        // Source rectangles count a bottom-up DIB's rows from its bottom; enlarged
        // pixels whose centres fall on a boundary take the pixel before it.
        const std::string checker = colourDib(64, 48);
        Pic p = picture();
        p.backdrop();
        std::string q;
        for (int v : {lo(0xCC0020), hi(0xCC0020), 0, 24, 32, 8, 16, 160, 220, 10, 10}) putU16(q, v);
        p.w().recordBytes(0x0F43, q + checker);
        add(list, "dib_stretch_source_rect", p);
        Pic b = picture();
        b.backdrop();
        std::string r;
        for (int v : {lo(0xCC0020), hi(0xCC0020), 20, 30, 10, 12, 160, 200, 10, 20}) putU16(r, v);
        b.w().recordBytes(0x0B41, r + checker);
        std::string t;
        for (int v : {lo(0xCC0020), hi(0xCC0020), 4, 8, 40, 50, 120, 170}) putU16(t, v);
        b.w().recordBytes(0x0940, t + checker);
        add(list, "dib_blt_source_rect", b);
        Pic d = picture();
        d.backdrop().stretchDib(checker, 64, 48, 20, 15, 200, 150);
        std::string u;
        for (int v : {0, 48, 0, 0, 0, 48, 64, 30, 160}) putU16(u, v);
        d.w().recordBytes(0x0D33, u + checker);
        add(list, "dib_enlarged_and_setdibtodev", d);
    }
    {
        // Palette-index colours of the default palette.
        Pic p = picture();
        for (int i = 0; i < 20; ++i)
            p.nullPen().brush(0, 0x01000000u | static_cast<std::uint32_t>(i % 16)).rect((i % 5) * 48, (i / 5) * 45, (i % 5) * 48 + 49, (i / 5) * 45 + 46);
        add(list, "palette_index_colours", p);
    }
}

const char kSample[] = "Hamburgefons";

void textLines(Pic& p, const Font& f, int lineStep = 36) {
    p.font(f).textColor(kNavy).bkMode(1);
    const char* lines[] = {kSample, "Quick jumps 0123", "WAVY ltrs gj", "fifl ,.;:!?", "MNOPQR xyz"};
    for (int i = 0; i * lineStep < kH - 10; ++i) p.text(4, 2 + i * lineStep, lines[i % 5]);
}

void textPictures(List& list) {
    auto textPicture = [&](const std::string& name, const Font& f, int step = 36) {
        Pic p = picture();
        textLines(p, f, step);
        add(list, name, p);
    };
    textPicture("text_height_negative", Font{});
    textPicture("text_height_positive", Font{.height = 30});
    textPicture("text_height_small", Font{.height = -11}, 16);
    textPicture("text_width_condensed", Font{.height = -28, .width = 7});
    textPicture("text_width_expanded", Font{.height = -20, .width = 16});
    {
        // GDI aligns stretched text by its extent, not by the drawn advances.
        Pic p = picture();
        p.textColor(kNavy).bkMode(1);
        const int widths[] = {7, 16, 20};
        for (int i = 0; i < 3; ++i) {
            p.font(Font{.height = -20, .width = widths[i]});
            p.textAlign(2).text(236, 2 + i * 60, "Quick jumps 0123");
            p.textAlign(6).text(120, 30 + i * 60, "WAVY mmm iii");
        }
        add(list, "text_width_aligned", p);
    }
    {
        // A face without hinting programs: aligned by the auto-hinter's widths,
        // which differ from its design widths at most sizes.
        Pic p = picture();
        p.textColor(kNavy).bkMode(1);
        const int heights[] = {-11, -14, -17, -21};
        for (int i = 0; i < 4; ++i) {
            p.font(Font{.height = heights[i], .weight = i == 1 ? 700 : 400, .face = "Tahoma"});
            p.textAlign(2).text(236, 2 + i * 45, "Hamburg Wqy 42 mil");
            p.textAlign(6).text(110, 22 + i * 45, "Sales (total) 1998");
        }
        add(list, "text_tahoma_aligned", p);
    }
    {
        // A face with no italic of its own is slanted, bitmap strikes or not.
        Pic p = picture();
        p.textColor(kNavy).bkMode(1);
        const int heights[] = {-11, -13, -16, -22, -30};
        for (int i = 0; i < 5; ++i) {
            p.font(Font{.height = heights[i], .weight = i == 3 ? 700 : 400, .italic = true, .face = "Tahoma"});
            p.textAlign(i == 2 ? 2 : 0).text(i == 2 ? 236 : 4, 2 + i * 35, "Hamburg Wqy (1998)");
        }
        add(list, "text_italic_slanted", p);
    }
    {
        // Bold asked of faces that have no bold: thickened by a 24th of the em,
        // each glyph a pixel wider apart.
        Pic p = picture();
        p.textColor(kNavy).bkMode(1);
        const int heights[] = {-12, -18, -26, -40};
        for (int i = 0; i < 4; ++i) {
            p.font(Font{.height = heights[i], .weight = 700, .face = i % 2 ? "WenQuanYi Micro Hei" : "Symbola"});
            p.textAlign(i == 2 ? 2 : 0).text(i == 2 ? 236 : 4, 2 + i * 42, "Hamburg (1998)");
        }
        add(list, "text_bold_thickened", p);
    }
    // The average width the font has itself, as office programs write it.
    textPicture("text_width_natural", Font{.height = -20, .width = 12});
    textPicture("text_width_natural_large", Font{.height = -40, .width = 23}, 45);
    textPicture("text_bold", Font{.weight = 700});
    textPicture("text_heavy", Font{.weight = 900});
    textPicture("text_italic", Font{.italic = true});
    textPicture("text_underline", Font{.height = -26, .underline = true});
    textPicture("text_strikeout", Font{.height = -26, .strikeOut = true});
    textPicture("text_underline_strikeout_big", Font{.height = -44, .underline = true, .strikeOut = true}, 50);
    const std::pair<const char*, std::string> faces[] = {
        {"times", "Times New Roman"}, {"courier", "Courier New"}, {"tahoma", "Tahoma"},
        {"ms_sans_serif", "MS Sans Serif"}, {"helv", "Helv"}, {"ms_shell_dlg", "MS Shell Dlg"},
        {"system", "System"}, {"sans_serif", "sans-serif"}, {"unknown", "Frutiger Next"},
        {"calibri", "Calibri"}, {"cambria", "Cambria"}, {"arial_bold_italic", "Arial"}};
    for (const auto& [name, face] : faces)
        textPicture(std::string("text_face_") + name,
                    Font{.weight = name == std::string("arial_bold_italic") ? 700 : 400,
                         .italic = name == std::string("arial_bold_italic"), .face = face});
    textPicture("text_face_unknown_roman", Font{.pitchFamily = 0x12, .face = "Garamond Book"});
    textPicture("text_face_unknown_modern", Font{.pitchFamily = 0x31, .face = "Letter Gothic"});
    textPicture("text_face_unknown_fixed", Font{.pitchFamily = 0x01, .face = "Prestige Elite"});
    textPicture("text_face_unknown_swiss", Font{.pitchFamily = 0x22, .face = "Univers"});
    // Faces fontconfig likens to one of its own (DejaVu) fall back as GDI's mapper does.
    textPicture("text_face_georgia_roman", Font{.pitchFamily = 0x12, .face = "Georgia"});
    textPicture("text_face_terminal_oem", Font{.charset = 255, .face = "Terminal"});
    textPicture("text_height_zero", Font{.height = 0}, 20);
    for (int esc : {450, 900, 1800, 2700, 3150}) {
        Pic p = picture();
        p.font(Font{.height = -22, .escapement = esc}).textColor(kNavy).bkMode(1);
        p.text(120, 90, "Rotated text").text(120 + (esc < 1800 ? -60 : 60), 90 + (esc < 1800 ? 50 : -50), "Another");
        add(list, "text_escapement_" + std::to_string(esc), p);
    }
    // Under a flipped axis text stays upright and its escapement turns with the axis.
    const std::pair<const char*, std::array<int, 4>> flips[] = {{"flip_x", {kW, 0, -kW, kH}}, {"flip_y", {0, kH, kW, -kH}}};
    for (const auto& [flip, window] : flips) {
        Pic p = picture();
        p.windowOrg(window[0], window[1]).windowExt(window[2], window[3]).textColor(kNavy).bkMode(1);
        p.font(Font{.height = -22}).text(20, 20, "Flipped").font(Font{.height = -22, .escapement = 300}).text(40, 150, "Turned 30");
        p.textAlign(2).font(Font{.height = -22}).text(220, 80, "Right");
        add(list, std::string("text_") + flip, p);
    }
    const char* hNames[] = {"left", "right", "center"};
    const int hModes[] = {0, 2, 6};
    for (int h = 0; h < 3; ++h) {
        Pic p = picture();
        p.pen(0, 1, kGrey).moveTo(120, 0).lineTo(120, 180).font(Font{.height = -26}).textColor(kNavy).bkMode(1);
        const int vModes[] = {0, 24, 8};
        for (int v = 0; v < 3; ++v) {
            p.moveTo(0, 30 + v * 60).lineTo(240, 30 + v * 60);
            p.textAlign(hModes[h] | vModes[v]).text(120, 30 + v * 60, "Align Wg");
        }
        add(list, std::string("text_align_") + hNames[h], p);
        Pic q = picture();
        q.font(Font{.height = -24}).textColor(kNavy).bkMode(1).pen(0, 2, kRed).textAlign(hModes[h] | 1);
        for (int v = 0; v < 3; ++v) {
            q.moveTo(h == 0 ? 10 : (h == 1 ? 230 : 120), 10 + v * 55).text(0, 0, "Next").text(0, 0, "CP").lineTo(120, 50 + v * 55);
        }
        add(list, std::string("text_updatecp_") + hNames[h], q);
    }
    {
        // A window of 2.5 pixels a unit: GDI cuts heights and widths to whole
        // pixels and aligns by whole units.
        Pic p = picture();
        p.windowExt(kW * 2 / 5, kH * 2 / 5).pen(0, 1, kGrey).moveTo(48, 0).lineTo(48, 72).textColor(kNavy).bkMode(1);
        p.font(Font{.height = 9}).textAlign(2).text(48, 4, "Right top");
        p.font(Font{.height = -9}).textAlign(6 | 8).text(48, 33, "Centre Wg");
        p.font(Font{.height = 11, .width = 5}).textAlign(24).text(4, 50, "Stretched");
        p.font(Font{.height = -7}).textAlign(1).moveTo(3, 57).text(0, 0, "Next ").text(0, 0, "CP").lineTo(90, 70);
        add(list, "text_units_window_2_5", p);
    }
    {
        // Cells whose em GDI rounds down (14, 33, 52: its own cell would not
        // fit) and up (23), right-aligned by the extent of large glyphs.
        Pic p = picture();
        p.pen(0, 1, kGrey).moveTo(236, 0).lineTo(236, 180).textColor(kNavy).bkMode(1).textAlign(2);
        int y = 2;
        for (int cell : {14, 23, 33, 52, 40}) {
            p.font(Font{.height = cell}).text(236, y, cell < 40 ? "Hamburgefons" : "Wavy gj");
            y += cell + 4;
        }
        add(list, "text_height_cells", p);
    }
    {
        Pic p = picture();
        p.font(Font{.height = -24}).textColor(kNavy).bkMode(1);
        for (int i = 0; i < 5; ++i) p.extText(5, 5 + i * 35, 0, "Spaced", {10 + i * 4, 14, 20, 9, 30, 15});
        add(list, "text_dx_array", p);
    }
    {
        Pic p = picture();
        p.font(Font{.height = -22}).textColor(kNavy).bkMode(1);
        for (int i = 0; i < 5; ++i) p.rec(0x0108, {i * 3 - 2}).text(5, 5 + i * 35, "Char extra");
        add(list, "text_char_extra", p);
    }
    {
        // Character extra widens given widths too, aligned or not.
        Pic p = picture();
        p.font(Font{.height = -22}).textColor(kNavy).bkColor(kYellow).bkMode(2);
        for (int i = 0; i < 5; ++i) {
            p.rec(0x0108, {i * 3 - 4}).textAlign(i % 2 ? 2 : 0);
            p.extText(i % 2 ? 232 : 6, 5 + i * 35, 0, "Spaced dx", {16, 14, 20, 12, 18, 9, 16, 14, 15});
        }
        add(list, "text_dx_char_extra", p);
    }
    {
        Pic p = picture();
        p.font(Font{.height = -20}).textColor(kNavy).bkMode(1);
        for (int i = 0; i < 5; ++i) p.rec(0x020A, {3, i * 12}).text(5, 5 + i * 35, "a b c d");
        add(list, "text_justification", p);
    }
    {
        Pic p = picture();
        p.backdrop().font(Font{.height = -28}).textColor(kWhite).bkColor(kNavy).bkMode(2);
        p.text(10, 10, "Opaque Wg").extText(10, 60, 2, "Opaque box", {}, {5, 55, 230, 100});
        p.extText(10, 115, 4, "Clipped text here", {}, {20, 120, 150, 150});
        add(list, "text_opaque_and_clipped", p);
    }
    struct Charset {
        const char* name;
        int charset;
        std::string bytes;
    };
    const Charset charsets[] = {
        {"russian", 204, "\xcf\xf0\xe8\xe2\xe5\xf2 \xec\xe8\xf0"},
        {"greek", 161, "\xc1\xe8\xde\xed\xe1 \xe1\xe2\xe3"},
        {"easteurope", 238, "\x8a\xe8\xf8\xec \xb9\xbe\xfd"},
        {"turkish", 162, "\xdd\xfe\xf0\xfd \xde\xd0\xe7"},
        {"baltic", 186, "\xc0\xe0\xe8\xeb \xf0\xfb\xfe"},
        {"vietnamese", 163, "Vi\xd2t \xc3\xe2\xea\xf4 \xd5\xdd\xf5\xfd"}};
    for (const auto& c : charsets) {
        Pic p = picture();
        p.font(Font{.height = -30, .charset = c.charset}).textColor(kNavy).bkMode(1);
        for (int i = 0; i < 4; ++i) p.text(5, 5 + i * 44, c.bytes);
        add(list, std::string("text_charset_") + c.name, p);
    }
    {
        // A face without the character set's code page gives way to one with it.
        Pic p = picture();
        p.font(Font{.height = -24, .charset = 161, .face = "Tahoma"}).textColor(kNavy).bkMode(1);
        for (int i = 0; i < 4; ++i) p.text(5, 5 + i * 44, "\xc1\xe8\xde\xed\xe1 \xe1\xe2\xe3 \xd3\xf9");
        add(list, "text_charset_greek_tahoma", p);
    }
    {
        // Hebrew and Arabic runs in visual order, Arabic letters joined,
        // among left-to-right words.
        Pic p = picture();
        p.textColor(kNavy).bkMode(1);
        p.font(Font{.height = -22, .charset = 177});
        p.text(5, 5, "\xf9\xec\xe5\xed 123 ABC").text(5, 40, "\xe0\xe1\xe2\xe3 (\xe4\xe5)");
        p.font(Font{.height = -24, .charset = 178});
        p.text(5, 80, "\xc7\xe1\xda\xd1\xc8\xed\xc9 1998").textAlign(2).text(236, 125, "\xe3\xd1\xcd\xc8\xc7 Hello");
        add(list, "text_right_to_left", p);
    }
}

// Large logical coordinates on a small device grid: every coordinate is
// rounded to whole pixels before drawing.
void smallScalePictures(List& list) {
    for (int scale : {20, 57, 100}) {
        Pic p = scaledPicture(scale);
        p.backdrop();
        p.pen(0, 0, kBlack).brush(0, kOrange);
        for (int i = 0; i < 12; ++i) {
            const int x = 7 * scale + i * 19 * scale + i * 13, y = 9 * scale + i * 31;
            p.rect(x, y, x + 9 * scale + 41 * i, y + 140 * scale - 17 * i);
        }
        p.pen(0, scale * 3 / 2, kNavy).nullBrush().ellipse(31 * scale + 7, 22 * scale + 3, 203 * scale - 11, 158 * scale + 29);
        p.pen(0, 0, kRed);
        for (int i = 0; i < 9; ++i) p.moveTo(3 * scale + i * 27 * scale + i * 11, 170 * scale).lineTo(120 * scale + i * 5, 4 * scale + i * 37);
        add(list, "small_scale_" + std::to_string(scale), p);
    }
    // Pens from half a pixel to three pixels wide, in steps of a tenth.
    for (int scale : {7, 20, 100}) {
        Pic p = scaledPicture(scale);
        for (int k = 5; k <= 30; ++k) {
            const int y = (4 + (k - 5) * 7) * scale, width = k * scale / 10;
            p.pen(0, width, kBlack).moveTo(4 * scale, y).lineTo(90 * scale, y);
            p.moveTo((100 + (k - 5) * 5) * scale, 4 * scale).lineTo((96 + (k - 5) * 5) * scale + 40 * scale, 176 * scale);
            if (k % 5 == 0) p.nullBrush().ellipse((150 + k) * scale, (k * 5 - 20) * scale, (235 - k) * scale, (k * 5 + 30) * scale);
        }
        add(list, "pen_widths_scale_" + std::to_string(scale), p);
    }
    {
        // Widths mapped from the window's origin: the same pens at five
        // origins a fifth of a pixel apart, on lines and on inside-frame
        // rectangles.
        constexpr int scale = 15;
        Pic p = scaledPicture(scale);
        for (int band = 0; band < 5; ++band) {
            const int x = band * 48 * scale;
            p.windowOrg(-3 * band, 0);
            for (int k = 0; k < 14; ++k) {
                const int y = (6 + k * 8) * scale;
                p.pen(0, 8 + 4 * k, kBlack).moveTo(x + 4 * scale, y).lineTo(x + 44 * scale, y);
            }
            p.nullBrush();
            for (int k = 0; k < 4; ++k) {
                const int y = (118 + k * 15) * scale;
                p.pen(6, 20 + 12 * k, kNavy).rect(x + 4 * scale, y, x + 44 * scale, y + 12 * scale);
            }
        }
        add(list, "pen_widths_origin", p);
    }
    for (int scale : {20, 50}) {
        Pic p = scaledPicture(scale);
        p.font(Font{.height = -22 * scale - 7}).textColor(kNavy).bkMode(1);
        for (int i = 0; i < 5; ++i) p.text(4 * scale + 13 * i, (3 + 35 * i) * scale + 17 * i, kSample);
        add(list, "small_scale_text_" + std::to_string(scale), p);
    }
}

}  // namespace

std::vector<FeaturePicture> featurePictures() {
    List list;
    rop2Pictures(list);
    ternaryRopPictures(list);
    hatchPictures(list);
    patternBrushPictures(list);
    penPictures(list);
    clipPictures(list);
    regionPictures(list);
    stateAndObjectPictures(list);
    windowPictures(list);
    arcPictures(list);
    polygonPictures(list);
    shapePictures(list);
    dibPictures(list);
    textPictures(list);
    smallScalePictures(list);
    return list;
}

std::vector<std::string> highDpiFeatures() {
    return {"clip_selectregion_window_x4", "text_align_right", "text_underline", "text_updatecp_right",
            "hatch_4_opaque", "arc_flip_y", "pen_widths_scale_20", "pen_widths_origin", "dib_mirror_xy", "text_face_unknown_roman",
            "text_tahoma_aligned", "text_dx_char_extra"};
}

std::vector<std::string> highDpiCorpusFiles() {
    return {"wmfjs__pie.wmf",
            "wmfjs__chord.wmf",
            "wmfjs__arc.wmf",
            "wmfjs__round-rect.wmf",
            "wmfjs__dash-dot.wmf",
            "wmfjs__poly-polygon.wmf",
            "mr-libwmf__libwmf_fulltest.wmf",
            "mr-libwmf__libwmf_2doorvan.wmf",
            "mr-libwmf__libwmf_ant.wmf",
            "mr-libwmf__libwmf_arrow01.wmf",
            "mr-lo__libreoffice_image1_(1).wmf",
            "mr-lo__libreoffice_ETO_PDY.wmf",
            "mr-online__B20085.WMF", "mr-online__BUBBLE01.WMF"};
}

}  // namespace plotvale::testing
