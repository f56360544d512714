#include "wmf/picture_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "wmf/record_functions.h"
#include "wmf/record_reader.h"

namespace plotvale::wmf {
namespace {

constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kMetaHeaderSize = 18;

bool isPlaceable(std::string_view data) {
    return data.size() >= kPlaceableSize && readU32(data, 0) == 0x9AC6CDD7u;
}

bool isMetaHeader(std::string_view data, std::size_t at) {
    if (data.size() < at + kMetaHeaderSize) return false;
    const std::uint16_t type = readU16(data, at);
    return (type == 1 || type == 2) && readU16(data, at + 2) == 9;
}

std::optional<PictureFrame> sized(PictureFrame frame, double extX, double extY, double unitsPerInch,
                                  int dpi, unsigned long long maxBytes) {
    if (unitsPerInch == 0) return std::nullopt;
    const double cx = std::abs(roundHalfAway(extX * dpi / unitsPerInch));
    const double cy = std::abs(roundHalfAway(extY * dpi / unitsPerInch));
    if (cx < 1 || cy < 1 || cx * cy * 4 > static_cast<double>(maxBytes)) return std::nullopt;
    frame.width = static_cast<int>(cx);
    frame.height = static_cast<int>(cy);
    frame.dpiScale = dpi / 96.0;
    return frame;
}

double unitsPerInchOf(int mapMode) {
    switch (mapMode) {
    case 1: return 96;     // MM_TEXT
    case 2: return 254;    // MM_LOMETRIC
    case 3: return 2540;   // MM_HIMETRIC
    case 4: return 100;    // MM_LOENGLISH
    case 5: return 1000;   // MM_HIENGLISH
    default: return 1440;  // MM_TWIPS, MM_ISOTROPIC, MM_ANISOTROPIC, none set
    }
}

// Rough bounds of what a record draws, in logical units, for pictures that
// give no window extent.
struct Bounds {
    double left = std::numeric_limits<double>::max(), top = left;
    double right = std::numeric_limits<double>::lowest(), bottom = right;
    void add(double x, double y) {
        left = std::min(left, x); right = std::max(right, x);
        top = std::min(top, y); bottom = std::max(bottom, y);
    }
    bool valid() const { return left <= right && top <= bottom; }
};

void addDrawnBounds(const Record& r, Bounds& b) {
    switch (r.function()) {
    case META_LINETO: case META_SETPIXEL: b.add(r.word(r.function() == META_SETPIXEL ? 3 : 1), r.word(r.function() == META_SETPIXEL ? 2 : 0)); break;
    case META_RECTANGLE: case META_ELLIPSE: case META_ROUNDRECT: case META_ARC: case META_PIE:
    case META_CHORD: {
        const std::size_t n = r.words();
        if (n >= 4) { b.add(r.word(n - 1), r.word(n - 2)); b.add(r.word(n - 3), r.word(n - 4)); }
        break;
    }
    case META_POLYLINE: case META_POLYGON: {
        const std::size_t count = std::min<std::size_t>(r.uword(0), (r.words() - 1) / 2);
        for (std::size_t i = 0; i < count; ++i) b.add(r.word(1 + 2 * i), r.word(2 + 2 * i));
        break;
    }
    case META_TEXTOUT: {
        const std::size_t len = r.uword(0);
        const std::size_t at = 1 + (len + 1) / 2;
        b.add(r.word(at + 1), r.word(at));
        break;
    }
    case META_EXTTEXTOUT: b.add(r.word(1), r.word(0)); break;
    default: break;
    }
}

bool isDrawing(std::uint16_t f) {
    switch (f) {
    case META_LINETO: case META_POLYLINE: case META_POLYGON: case META_POLYPOLYGON:
    case META_RECTANGLE: case META_ROUNDRECT: case META_ELLIPSE: case META_ARC: case META_PIE:
    case META_CHORD: case META_TEXTOUT: case META_EXTTEXTOUT: case META_SETPIXEL: case META_PATBLT:
    case META_BITBLT: case META_STRETCHBLT: case META_DIBBITBLT: case META_DIBSTRETCHBLT:
    case META_STRETCHDIB: case META_SETDIBTODEV: case META_FILLREGION: case META_FRAMEREGION:
    case META_INVERTREGION: case META_PAINTREGION: case META_FLOODFILL: case META_EXTFLOODFILL:
        return true;
    default: return false;
    }
}

std::optional<PictureFrame> standardFrame(std::string_view data, int dpi, unsigned long long maxBytes) {
    PictureFrame frame;
    frame.records = data.substr(kMetaHeaderSize);
    int mapMode = 0;
    bool hasExt = false;
    double orgX = 0, orgY = 0, extX = 0, extY = 0;
    RecordReader reader(frame.records);
    while (auto r = reader.next()) {
        if (isDrawing(r->function())) break;
        if (r->function() == META_SETMAPMODE && r->uword(0) >= 1 && r->uword(0) <= 8) mapMode = r->uword(0);
        if (r->function() == META_SETWINDOWORG) { orgY = r->word(0); orgX = r->word(1); }
        if (r->function() == META_SETWINDOWEXT) { extY = r->word(0); extX = r->word(1); hasExt = true; }
    }
    if (hasExt) {
        frame.windowOrgX = orgX; frame.windowOrgY = orgY;
        frame.windowExtX = extX; frame.windowExtY = extY;
        return sized(frame, extX, extY, unitsPerInchOf(mapMode), dpi, maxBytes);
    }
    Bounds bounds;
    RecordReader all(frame.records);
    while (auto r = all.next()) addDrawnBounds(*r, bounds);
    if (!bounds.valid()) return std::nullopt;
    frame.windowOrgX = bounds.left; frame.windowOrgY = bounds.top;
    frame.windowExtX = bounds.right - bounds.left + 1;
    frame.windowExtY = bounds.bottom - bounds.top + 1;
    return sized(frame, frame.windowExtX, frame.windowExtY, 96, 96, maxBytes);
}

}  // namespace

double roundHalfAway(double v) { return v > 0 ? std::floor(v + 0.5) : std::ceil(v - 0.5); }

std::optional<PictureFrame> readPictureFrame(std::string_view data, int dpi,
                                             unsigned long long maxBitmapBytes) {
    if (dpi <= 0) return std::nullopt;
    if (isPlaceable(data)) {
        // The key alone does not make a metafile: the metafile header must
        // follow, or the data is not a picture at all.
        if (!isMetaHeader(data, kPlaceableSize)) return std::nullopt;
        const auto word = [&](std::size_t at) { return static_cast<std::int16_t>(readU16(data, at)); };
        const double left = word(6), top = word(8), right = word(10), bottom = word(12), inch = word(14);
        PictureFrame frame;
        frame.records = data.substr(kPlaceableSize + kMetaHeaderSize);
        frame.windowOrgX = left; frame.windowOrgY = top;
        frame.windowExtX = right - left; frame.windowExtY = bottom - top;
        return sized(frame, right - left, bottom - top, std::abs(inch), dpi, maxBitmapBytes);
    }
    if (isMetaHeader(data, 0)) return standardFrame(data, dpi, maxBitmapBytes);
    return std::nullopt;
}

}  // namespace plotvale::wmf
