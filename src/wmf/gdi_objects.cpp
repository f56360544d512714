#include "wmf/gdi_objects.h"

namespace plotvale::wmf {

bool ObjectTable::add(GdiObject object) {
    if (!free_.empty()) {
        slots_[*free_.begin()] = std::move(object);
        free_.erase(free_.begin());
        return true;
    }
    if (slots_.size() >= kMaxObjects) return false;
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
    slots_[index].reset();
    free_.insert(index);
}

}  // namespace plotvale::wmf
