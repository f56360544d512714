#include "wmf/gdi_objects.h"

namespace plotvale::wmf {

bool ObjectTable::add(GdiObject object) {
    for (auto& slot : slots_)
        if (!slot) { slot = std::move(object); return true; }
    if (slots_.size() >= kMaxObjects) return false;
    slots_.emplace_back(std::move(object));
    return true;
}

const GdiObject* ObjectTable::get(std::size_t index) const {
    if (index >= slots_.size() || !slots_[index]) return nullptr;
    return &*slots_[index];
}

void ObjectTable::remove(std::size_t index) {
    if (index < slots_.size()) slots_[index].reset();
}

}  // namespace plotvale::wmf
