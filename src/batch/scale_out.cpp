#include "batch/scale_out.h"

#include <charconv>

namespace plotvale::batch {
namespace {

std::optional<uint32_t> readDecimal(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<int32_t> parseJobs(std::string_view text, int32_t onlineProcessors) {
    if (text.empty()) return onlineProcessors;
    const auto value = readDecimal(text);
    if (!value || *value > static_cast<uint32_t>(MostJobs)) return std::nullopt;
    return *value == 0 ? onlineProcessors : static_cast<int32_t>(*value);
}

std::optional<Shard> parseShard(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const auto index = readDecimal(text.substr(0, slash));
    const auto count = readDecimal(text.substr(slash + 1));
    if (!index || !count || *index >= *count) return std::nullopt;
    return Shard{*index, *count};
}

uint32_t shardOf(std::string_view relativePath, uint32_t count) {
    uint64_t hash = 14695981039346656037ULL;
    for (const char c : relativePath) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return count == 0 ? 0 : static_cast<uint32_t>(hash % count);
}

std::string shardKey(const std::string& path, const std::string& inputFolder) {
    if (!inputFolder.empty() && path.compare(0, inputFolder.size(), inputFolder) == 0)
        return path.substr(inputFolder.size());
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace plotvale::batch
