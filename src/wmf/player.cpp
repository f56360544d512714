#include "wmf/player.h"

#include <cmath>

#include "wmf/record_functions.h"

namespace plotvale::wmf {

namespace {
constexpr std::size_t kMaxSavedStates = 65535;

// What a saved state holds: its clip and palette are copies (a pattern is
// shared, and counted where it was made). Sizes, not capacities: the state
// given back must count what the state taken counted.
std::size_t stateBytes(const DcState& s) {
    return sizeof(DcState) + (s.clip ? s.clip->rects().size() * sizeof(RectI) : 0) +
           s.palette.size() * sizeof(std::uint32_t) + s.font.face.size();
}

}  // namespace

// SAVEDC fails, as in GDI, when there is no room for another state.
bool Player::saveState() {
    if (saved_.size() >= kMaxSavedStates || !budget_.take(stateBytes(s_))) return false;
    saved_.push_back(s_);
    return true;
}

void Player::dropSavedStates(std::size_t keep) {
    while (saved_.size() > keep) {
        budget_.give(stateBytes(saved_.back()));
        saved_.pop_back();
    }
}

// A COLORREF: RGB, or with 0x01 in its high byte a palette index. Played
// onto a true-colour picture GDI takes such indices from the default
// 20-colour palette, not from the file's palette (the references show it).
std::uint32_t Player::colorRef(const Record& r, std::size_t offset) const {
    if (r.u8(offset + 3) == 1) {
        static constexpr std::uint32_t kDefaultPalette[20] = {
            0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
            0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
            0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        const std::size_t index = r.u16(offset);
        return index < 20 ? kDefaultPalette[index] : 0;
    }
    return static_cast<std::uint32_t>(r.u8(offset)) << 16 | static_cast<std::uint32_t>(r.u8(offset + 1)) << 8 |
           r.u8(offset + 2);
}

Player::Player(Device& device, const PictureFrame& frame) : device_(device), dpiScale_(frame.dpiScale) {
    s_.windowOrgX = frame.windowOrgX;
    s_.windowOrgY = frame.windowOrgY;
    s_.windowExtX = frame.windowExtX == 0 ? 1 : frame.windowExtX;
    s_.windowExtY = frame.windowExtY == 0 ? 1 : frame.windowExtY;
}

int Player::play(std::string_view records) {
    RecordReader reader(records);
    while (auto record = reader.next()) {
        const Record& r = *record;
        if (playState(r) || playObject(r) || playClip(r) || playShape(r) || playRegion(r) ||
            playText(r) || playBitmap(r) || playPalette(r))
            continue;
        if (r.function() == META_ESCAPE) { playEscape(r); continue; }
        ++unknown_;
    }
    return unknown_;
}

Point Player::toDevice(double x, double y) const {
    Point p{(x - s_.windowOrgX) * scaleX(), (y - s_.windowOrgY) * scaleY()};
    // Whole pixels as the GDI references show them: a half rounds down
    // across and up down the picture (mr-dna__online_poly_A's ellipses sit on
    // x halves, libwmf_p0000001's shapes on y halves).
    if (!device_.antialias()) { p.x = std::ceil(p.x - 0.5); p.y = std::floor(p.y + 0.5); }
    return p;
}

canvas::RectI Player::toDeviceRect(double l, double t, double r, double b) const {
    const Point a = toDevice(l, t), c = toDevice(r, b);
    auto i = [](double v) { return pixelIndex(std::floor(v + 0.5)); };
    return canvas::RectI{i(std::min(a.x, c.x)), i(std::min(a.y, c.y)), i(std::max(a.x, c.x)),
                         i(std::max(a.y, c.y))};
}

double Player::lengthX(double v) const { return std::abs(v * scaleX()); }

// GDI keeps extents in whole units: an extent scaled below a unit fails,
// which also keeps the scale, and every device coordinate, finite.
void Player::scaleWindowExt(const Record& r) {
    const int yDen = r.word(0), yNum = r.word(1), xDen = r.word(2), xNum = r.word(3);
    if (xDen == 0 || yDen == 0 || xNum == 0 || yNum == 0) return;
    const double extX = s_.windowExtX * xNum / xDen, extY = s_.windowExtY * yNum / yDen;
    if (std::abs(extX) < 1 || std::abs(extY) < 1 || std::abs(extX) > 1e9 || std::abs(extY) > 1e9) return;
    s_.windowExtX = extX;
    s_.windowExtY = extY;
}

bool Player::playState(const Record& r) {
    switch (r.function()) {
    case META_SETBKCOLOR: s_.bkColor = colorRef(r, 0); return true;
    case META_SETTEXTCOLOR: s_.textColor = colorRef(r, 0); return true;
    case META_SETBKMODE: s_.bkMode = r.uword(0); return true;
    case META_SETROP2: s_.rop2 = r.uword(0); return true;
    case META_SETPOLYFILLMODE: s_.polyFillMode = r.uword(0); return true;
    case META_SETSTRETCHBLTMODE: s_.stretchMode = r.uword(0); return true;
    case META_SETTEXTALIGN: s_.textAlign = r.uword(0); return true;
    case META_SETTEXTCHAREXTRA: s_.charExtra = r.word(0); return true;
    case META_SETTEXTJUSTIFICATION: s_.breakCount = r.word(0); s_.breakExtra = r.word(1); return true;
    case META_SETWINDOWORG: s_.windowOrgY = r.word(0); s_.windowOrgX = r.word(1); return true;
    case META_SETWINDOWEXT:
        if (r.word(0) != 0 && r.word(1) != 0) { s_.windowExtY = r.word(0); s_.windowExtX = r.word(1); }
        return true;
    case META_OFFSETWINDOWORG: s_.windowOrgY += r.word(0); s_.windowOrgX += r.word(1); return true;
    case META_SCALEWINDOWEXT: scaleWindowExt(r); return true;
    // The mapping belongs to the player: these describe the recording device.
    case META_SETMAPMODE: case META_SETVIEWPORTORG: case META_SETVIEWPORTEXT:
    case META_OFFSETVIEWPORTORG: case META_SCALEVIEWPORTEXT:
    case META_SETRELABS: case META_SETMAPPERFLAGS: case META_SETLAYOUT: case META_REALIZEPALETTE:
        return true;
    case META_MOVETO: s_.curY = r.word(0); s_.curX = r.word(1); return true;
    case META_SAVEDC: saveState(); return true;
    case META_RESTOREDC: {
        const int n = r.word(0);
        const long long target = n < 0 ? static_cast<long long>(saved_.size()) + n : n - 1;
        if (n == 0 || target < 0 || target >= static_cast<long long>(saved_.size())) return true;
        s_ = saved_[static_cast<std::size_t>(target)];
        dropSavedStates(static_cast<std::size_t>(target));
        applyClip();
        refreshPalette();
        return true;
    }
    default: return false;
    }
}

bool Player::playObject(const Record& r) {
    switch (r.function()) {
    case META_CREATEPENINDIRECT:
        objects_.add(PenObject{r.uword(0), r.word(1), colorRef(r, 6)});
        return true;
    case META_CREATEBRUSHINDIRECT:
        objects_.add(BrushObject{r.uword(0), colorRef(r, 2), r.uword(3), nullptr, false});
        return true;
    case META_CREATEFONTINDIRECT: {
        FontObject f;
        f.height = r.word(0); f.width = r.word(1); f.escapement = r.word(2);
        f.orientation = r.word(3); f.weight = r.word(4);
        f.italic = r.u8(10) != 0; f.underline = r.u8(11) != 0; f.strikeOut = r.u8(12) != 0;
        f.charset = r.u8(13);
        f.pitchAndFamily = r.u8(17);
        for (std::size_t i = 18; i < r.size() && i < 18 + 32 && r.u8(i) != 0; ++i)
            f.face.push_back(static_cast<char>(r.u8(i)));
        objects_.add(f);
        return true;
    }
    case META_CREATEPALETTE: {
        PaletteObject p;
        const std::size_t count = std::min({static_cast<std::size_t>(r.uword(1)),
                                            (r.size() - std::min<std::size_t>(r.size(), 4)) / 4, kMaxPaletteEntries});
        for (std::size_t i = 0; i < count; ++i) p.colors.push_back(colorRef(r, 4 + 4 * i));
        objects_.add(std::move(p));
        return true;
    }
    case META_CREATEREGION: objects_.add(readRegion(r)); return true;
    case META_DIBCREATEPATTERNBRUSH: case META_CREATEPATTERNBRUSH:
        if (auto brush = readPatternBrush(r)) objects_.add(std::move(*brush));
        return true;
    case META_DELETEOBJECT: objects_.remove(r.uword(0)); return true;
    case META_SELECTOBJECT: {
        const GdiObject* o = objects_.get(r.uword(0));
        if (o == nullptr) return true;
        if (const auto* pen = std::get_if<PenObject>(o)) s_.pen = *pen;
        else if (const auto* brush = std::get_if<BrushObject>(o)) s_.brush = *brush;
        else if (const auto* font = std::get_if<FontObject>(o)) s_.font = *font;
        else if (const auto* region = std::get_if<RegionObject>(o)) {
            s_.clip = Region::fromRects(regionInPixels(*region));
            applyClip();
        }
        return true;
    }
    default: return false;
    }
}

// DIBCREATEPATTERNBRUSH (usually a DIB; some writers put a Bitmap16 there
// for BS_PATTERN) and the old CREATEPATTERNBRUSH (a Bitmap16 header, 18
// reserved bytes, then the bits). A pattern costs three times its pixels
// (the image, and while it fills, a recoloured copy and the tile drawn
// from); a brush whose pattern cannot be made within the budget is not
// made at all.
std::optional<BrushObject> Player::readPatternBrush(const Record& r) {
    constexpr std::size_t kCopies = 3;
    const long long most = affordablePixels(kCopies);
    std::optional<Image> img;
    BrushObject brush{5, 0, 0, nullptr, false};
    if (r.function() == META_DIBCREATEPATTERNBRUSH) {
        const std::uint32_t headerSize = r.u32(4);
        const bool dib = headerSize == 12 || headerSize == 40 || headerSize == 108 || headerSize == 124;
        img = dib ? decodeDib(r.tail(4), r.uword(0) == 3 ? 0 : r.uword(1), s_.palette, most)
                  : decodeBitmap16(r.tail(4), 0x000000, 0xFFFFFF, most);
    } else {
        brush.style = 3;
        std::string bitmap(r.bytes().substr(0, std::min<std::size_t>(10, r.size())));
        bitmap += std::string(r.tail(32));
        brush.monochromePattern = r.u8(9) == 1;
        img = decodeBitmap16(bitmap, 0x000000, 0xFFFFFF, most);
    }
    if (!img) return std::nullopt;
    const std::size_t bytes = kCopies * img->pixels.size() * sizeof(std::uint32_t);
    brush.pattern = shareCounted(budget_, bytes, std::move(*img));
    if (!brush.pattern) return std::nullopt;
    return brush;
}

long long Player::affordablePixels(std::size_t copies) const {
    return static_cast<long long>(budget_.left() / (copies * sizeof(std::uint32_t)));
}

// A Region object: a header, then scans of (left, right) pairs between a top
// and a bottom. Writers disagree on the width of the object-count field; the
// region-size field tells which layout a record uses.
RegionObject Player::readRegion(const Record& r) {
    RegionObject region;
    const bool shortHeader = r.uword(3) == r.size() && r.uword(4) != r.size();
    const std::size_t base = shortHeader ? 0 : 2;
    const std::size_t scans = r.u16(8 + base);
    std::size_t at = 20 + base;
    for (std::size_t s = 0; s < scans && at + 6 <= r.size(); ++s) {
        const std::size_t count = r.u16(at);
        const int top = r.s16(at + 2), bottom = r.s16(at + 4);
        at += 6;
        for (std::size_t k = 0; k + 1 < count && at + 4 <= r.size(); k += 2, at += 4)
            if (region.rects.size() < kMaxRegionRects) region.rects.push_back({r.s16(at), top, r.s16(at + 2), bottom});
        at += 2;
    }
    return region;
}

// Region rectangles reach the device cut to the picture widened by its own
// size on every side: nothing further out can be drawn through, or be moved
// into the picture by an offset of a picture's size, and the work of
// combining overlapping rectangles grows with the rows they span.
canvas::RectI Player::cutToReach(const canvas::RectI& d) const {
    const int w = device_.width(), h = device_.height();
    return {std::clamp(d.left, -w, 2 * w), std::clamp(d.top, -h, 2 * h), std::clamp(d.right, -w, 2 * w),
            std::clamp(d.bottom, -h, 2 * h)};
}

std::vector<canvas::RectI> Player::regionToDevice(const RegionObject& region) const {
    std::vector<canvas::RectI> out;
    out.reserve(region.rects.size());
    for (const auto& rect : region.rects)
        out.push_back(cutToReach(toDeviceRect(rect.left, rect.top, rect.right, rect.bottom)));
    return out;
}

// A clip region selected by SELECTCLIPREGION (or SELECTOBJECT) is in device
// pixels, as SelectClipRgn takes it, whatever the window and the resolution
// (GDI's pictures at 96 and 192 DPI show the same pixels clipped).
std::vector<canvas::RectI> Player::regionInPixels(const RegionObject& region) const {
    std::vector<canvas::RectI> out;
    out.reserve(region.rects.size());
    for (const auto& r : region.rects) out.push_back(cutToReach({r.left, r.top, r.right, r.bottom}));
    return out;
}

void Player::applyClip() {
    if (s_.clip) device_.setClip(&s_.clip->rects());
    else device_.setClip(nullptr);
}

bool Player::playClip(const Record& r) {
    const canvas::RectI whole{0, 0, device_.width(), device_.height()};
    switch (r.function()) {
    case META_INTERSECTCLIPRECT: case META_EXCLUDECLIPRECT: {
        const canvas::RectI rect = toDeviceRect(r.word(3), r.word(2), r.word(1), r.word(0));
        if (!s_.clip) s_.clip = Region(whole);
        if (r.function() == META_INTERSECTCLIPRECT) s_.clip->intersect(rect);
        else s_.clip->subtract(rect);
        applyClip();
        return true;
    }
    case META_OFFSETCLIPRGN:
        if (s_.clip) {
            s_.clip->offset(pixelIndex(std::round(r.word(1) * scaleX())), pixelIndex(std::round(r.word(0) * scaleY())));
            applyClip();
        }
        return true;
    case META_SELECTCLIPREGION: {
        const GdiObject* o = objects_.get(r.uword(0));
        const auto* region = o ? std::get_if<RegionObject>(o) : nullptr;
        if (region == nullptr) s_.clip.reset();
        else s_.clip = Region::fromRects(regionInPixels(*region));
        applyClip();
        return true;
    }
    default: return false;
    }
}

void Player::playEscape(const Record& r) {
    const std::uint16_t function = r.uword(0);
    const std::uint16_t count = r.uword(1);
    if (count < 4) return;
    const auto value = static_cast<std::int32_t>(r.u32(4));
    if (function == 21) s_.lineCap = value;        // SETLINECAP
    else if (function == 22) s_.lineJoin = value;  // SETLINEJOIN
    else if (function == 23 && value > 0) s_.miterLimit = value;  // SETMITERLIMIT
}

}  // namespace plotvale::wmf
