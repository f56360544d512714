#include "wmf/gdi_objects.h"

namespace plotvale::wmf {

namespace {
// Palettes can be resized while they live: they count as their largest.
constexpr std::size_t kMaxPaletteBytes = kMaxPaletteEntries * sizeof(std::uint32_t);
}  // namespace

std::size_t heldBytes(const GdiObject& object) {
    if (const auto* font = std::get_if<FontObject>(&object)) return font->face.capacity();
    if (std::holds_alternative<PaletteObject>(object)) return kMaxPaletteBytes;
    if (const auto* region = std::get_if<RegionObject>(&object))
        return region->rects.capacity() * sizeof(RegionObject::Rect);
    return 0;
}

bool ObjectTable::add(GdiObject object) {
    const bool room = !free_.empty() || slots_.size() < kMaxObjects;
    if (!room || !budget_.take(heldBytes(object))) return false;
    if (!free_.empty()) {
        slots_[*free_.begin()] = std::move(object);
        free_.erase(free_.begin());
        return true;
    }
    slots_.emplace_back(std::move(object));
    return true;
}

const GdiObject* ObjectTable::get(std::size_t index) const {
    if (index >= slots_.size() || !slots_[index]) return nullptr;
    return &*slots_[index];
}

GdiObject* ObjectTable::get(std::size_t index) {
    if (index >= slots_.size() || !slots_[index]) return nullptr;
    return &*slots_[index];
}

void ObjectTable::remove(std::size_t index) {
    if (index >= slots_.size() || !slots_[index]) return;
    budget_.give(heldBytes(*slots_[index]));
    slots_[index].reset();
    free_.insert(index);
}

}  // namespace plotvale::wmf
