#include "batch/input_file_list.h"

#include "settings/utf8_text.h"

namespace plotvale::batch {

std::vector<uint16_t> utf16CodeUnits(std::string_view text) {
    std::vector<uint16_t> units;
    units.reserve(text.size());
    for (char32_t c : settings::decodeUtf8(text)) {
        if (c < 0x10000) {
            units.push_back(static_cast<uint16_t>(c));
        } else {
            c -= 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 + (c >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 + (c & 0x3FF)));
        }
    }
    return units;
}

uint32_t InputFileList::bucketOf(std::string_view path) {
    uint32_t h = 0;
    for (uint16_t unit : utf16CodeUnits(path)) h = h * 65599u + unit;
    return h % BucketCount;
}

InputEntry& InputFileList::findOrCreate(const std::string& path) {
    if (const auto found = index_.find(path); found != index_.end()) {
        return entries_[found->second];
    }
    entries_.push_back(InputEntry{path, 0, {}});
    const size_t position = entries_.size() - 1;
    buckets_[bucketOf(path)].push_back(position);
    index_.emplace(path, position);
    return entries_.back();
}

std::vector<const InputEntry*> InputFileList::inOrder() const {
    std::vector<const InputEntry*> order;
    order.reserve(entries_.size());
    for (const auto& bucket : buckets_) {
        for (auto it = bucket.rbegin(); it != bucket.rend(); ++it) order.push_back(&entries_[*it]);
    }
    return order;
}

void InputFileList::clear() {
    entries_.clear();
    for (auto& bucket : buckets_) bucket.clear();
    index_.clear();
}

}  // namespace plotvale::batch
