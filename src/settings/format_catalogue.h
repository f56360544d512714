#pragma once
// The formats the converter reads and writes: the ordered format lists, the
// output table with encoder codes and allowed depths, the input extension
// table, and the extensions admitted as input. Built once, read-only after.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::settings {

// Encoder family of an output format: most are saved with FreeImage, three
// with DevIL.
enum class Encoder { FreeImage, DevIL };

struct OutputFormat {
    std::string key;   // lower-case extension, also the file extension
    int32_t code = 0;  // FreeImage format number or DevIL image type
    Encoder encoder = Encoder::FreeImage;
    std::string description;
    std::string allowedDepths;             // comma-separated bits per pixel besides 0
    std::vector<std::string> settingKeys;  // `Output` keys of this format, in file order
};

struct InputFormat {
    std::string key;        // extension without the dot
    std::string canonical;  // the key of the family row
    std::string description;
};

const std::vector<std::string>& InputFormatList();
const std::vector<std::string>& OutputFormatList();
const std::vector<OutputFormat>& OutputFormatTable();
const std::vector<InputFormat>& InputFormatTable();
const std::vector<std::string>& SupportedInputExtensions();

// Exact, case-sensitive lookups; nullptr when the key is not in the table.
const OutputFormat* findOutputFormat(std::string_view key);
const InputFormat* findInputFormat(std::string_view extension);

// A target depth is allowed when it is 0 (automatic) or one of the format's
// allowed depths.
bool isDepthAllowed(const OutputFormat& format, int32_t depth);

}  // namespace plotvale::settings
