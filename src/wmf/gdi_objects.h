#pragma once
// The graphics objects a metafile creates, as the player keeps them in its
// object table, and the table itself (every new object takes the lowest free
// slot, whatever its kind).

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "wmf/dib.h"
#include "wmf/memory_budget.h"

namespace plotvale::wmf {

struct PenObject {
    std::uint16_t style = 0;   // PS_* style, end cap and join bits
    int width = 0;             // logical units; 0 is one device pixel
    std::uint32_t color = 0;   // 0x00RRGGBB
};

struct BrushObject {
    std::uint16_t style = 0;   // BS_SOLID 0, BS_NULL 1, BS_HATCHED 2, BS_PATTERN 3, BS_DIBPATTERN 5
    std::uint32_t color = 0;
    std::uint16_t hatch = 0;
    std::shared_ptr<const Image> pattern;  // BS_PATTERN / BS_DIBPATTERN
    bool monochromePattern = false;         // pattern pixels 0/1 take text/background colours
};

struct FontObject {
    int height = 0, width = 0, escapement = 0, orientation = 0, weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    std::uint8_t charset = 0;
    std::uint8_t pitchAndFamily = 0;  // pitch in bits 0-1, family in bits 4-7
    std::string face;
};

// Palettes hold at most 1024 entries in GDI.
inline constexpr std::size_t kMaxPaletteEntries = 1024;

struct PaletteObject {
    std::vector<std::uint32_t> colors;
};

// A region in logical units: rectangles (left, top, right, bottom).
struct RegionObject {
    struct Rect { int left, top, right, bottom; };
    std::vector<Rect> rects;
};

using GdiObject = std::variant<PenObject, BrushObject, FontObject, PaletteObject, RegionObject>;

// Bytes an object holds beyond its table slot (a pattern's pixels are
// counted where they are made: they may outlive the object).
std::size_t heldBytes(const GdiObject& object);

class ObjectTable {
public:
    static constexpr std::size_t kMaxObjects = 65535;
    explicit ObjectTable(MemoryBudget& budget) : budget_(budget) {}
    // Stores the object in the lowest free slot; false, leaving the slot
    // empty, when the table is full or the object's bytes do not fit the budget.
    bool add(GdiObject object);
    const GdiObject* get(std::size_t index) const;
    GdiObject* get(std::size_t index);
    void remove(std::size_t index);

private:
    MemoryBudget& budget_;
    std::vector<std::optional<GdiObject>> slots_;
    std::set<std::size_t> free_;  // empty slots below slots_.size()
};

}  // namespace plotvale::wmf
