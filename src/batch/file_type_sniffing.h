#pragma once
// Names the kind of a file from its first bytes, for the debug report. The
// conversion never depends on it.

#include <string>
#include <string_view>

namespace plotvale::batch {

inline constexpr std::string_view UnrecognizedFileType = "[ERROR] UNRECOGNIZED";

// The name of the last signature that matches the file's first 20 bytes, or
// "[ERROR] UNRECOGNIZED" when none does or the file cannot be read.
std::string sniffFileType(const std::string& path);

}  // namespace plotvale::batch
