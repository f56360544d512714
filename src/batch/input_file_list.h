#pragma once
// The input set of a run: a hash set keyed by the exact path with 512 fixed
// buckets. A new entry goes to the front of its bucket, and iteration visits
// buckets 0 to 511 front to back; that order is the conversion order, and
// with it the order of the "%n%" counter.

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plotvale::batch {

struct InputEntry {
    std::string path;
    int32_t added = 0;              // 1 once the entry is complete
    std::string relativeSubfolder;  // folder below the input folder, with trailing "/"
};

class InputFileList {
public:
    static constexpr uint32_t BucketCount = 512;

    // h = h * 65599 + c over the UTF-16 code units of the path, mod 512.
    static uint32_t bucketOf(std::string_view path);

    // The entry of a path, made fresh (not added) when it is missing.
    InputEntry& findOrCreate(const std::string& path);

    // The entries in iteration order.
    std::vector<const InputEntry*> inOrder() const;

    // The entry made index-th (0 first), for watchers that show the set in
    // the order it grew.
    const InputEntry& entryAt(size_t index) const { return entries_[index]; }

    size_t size() const { return entries_.size(); }
    void clear();

private:
    std::deque<InputEntry> entries_;                        // stable addresses
    std::array<std::vector<size_t>, BucketCount> buckets_;  // newest last
    std::unordered_map<std::string, size_t> index_;
};

// The UTF-16 code units of a UTF-8 text; a byte that is not valid UTF-8
// counts as one code unit of its value.
std::vector<uint16_t> utf16CodeUnits(std::string_view text);

}  // namespace plotvale::batch
