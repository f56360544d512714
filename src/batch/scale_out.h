#pragma once
// How one run spreads over threads and machines: the number of conversion
// threads, the shard of the input set this process converts, whether
// up-to-date outputs are left alone, and the memory the pictures in flight
// may take.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plotvale::batch {

// Bounds the 32-bit bitmaps being converted at one time. A single picture
// may be as large as the player allows (1 GiB), so one always fits.
inline constexpr uint64_t DefaultPictureBudgetBytes = uint64_t{1} << 30;
inline constexpr int32_t MostJobs = 1024;

struct Shard {
    uint32_t index = 0;
    uint32_t count = 1;
};

struct ScaleOut {
    int32_t jobs = 0;  // conversion threads; 0: one per online processor
    std::optional<Shard> shard;
    bool skipExisting = false;
    uint64_t pictureBudgetBytes = DefaultPictureBudgetBytes;
};

// "" and "0" give one job per online processor; 1 to MostJobs as written;
// anything else (signs, text, spaces inside) nothing.
std::optional<int32_t> parseJobs(std::string_view text, int32_t onlineProcessors);

// "INDEX/COUNT" with 0 <= INDEX < COUNT, decimal digits only.
std::optional<Shard> parseShard(std::string_view text);

// The shard of a file by a hash of its path relative to the input (FNV-1a,
// 64 bits), the same on every machine and in every listing order.
uint32_t shardOf(std::string_view relativePath, uint32_t count);

// What the shard hash is taken of: the path below the input folder, or the
// file name when the input is one file or a list.
std::string shardKey(const std::string& path, const std::string& inputFolder);

}  // namespace plotvale::batch
