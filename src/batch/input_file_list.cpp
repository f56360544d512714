#include "batch/input_file_list.h"

namespace plotvale::batch {

namespace {

// Length of a valid UTF-8 sequence at `i` and its code point, or 0.
size_t decodeUtf8(std::string_view text, size_t i, char32_t& codePoint) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 0;
    if (length == 0 || i + length > text.size()) return 0;
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    if (value > 0x10FFFF) return 0;
    codePoint = value;
    return length;
}

}  // namespace

std::vector<uint16_t> utf16CodeUnits(std::string_view text) {
    std::vector<uint16_t> units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const size_t length = decodeUtf8(text, i, codePoint);
        if (length == 0) {
            units.push_back(static_cast<unsigned char>(text[i++]));
            continue;
        }
        i += length;
        if (codePoint < 0x10000) {
            units.push_back(static_cast<uint16_t>(codePoint));
        } else {
            codePoint -= 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 + (codePoint >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 + (codePoint & 0x3FF)));
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
