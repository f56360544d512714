#pragma once
// gzip-compressed metafiles (".wmz") are unpacked before they are read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plotvale::wmf {

bool isGzip(std::string_view data);

// The unpacked bytes, or nullopt when the stream is broken or would unpack
// to more than limit bytes.
std::optional<std::string> gunzip(std::string_view data, std::size_t limit);

}  // namespace plotvale::wmf
