#pragma once
// The record of one conversion: what the run driver fixes for the whole run,
// what the worker sets per file, and what the engine fills in on the way.
// The engine reads the settings and this record only through its parameters,
// so several jobs may be converted at the same time.

#include <cstdint>
#include <string>

namespace plotvale::engine {

struct ConversionJob {
    // Set by the worker for each file.
    std::string inputPath;          // full path of the file being converted
    std::string relativeSubfolder;  // input's folder below the input folder, with trailing "/"
    int32_t randomNumber = 1;       // 1..99999, for "%rnd%"
    int32_t counter = 1;            // starts at 1, for "%n%"

    // Set by the run driver once per run.
    std::string outputFolder;       // destination folder, with trailing "/"
    std::string outputExtension;    // output format key, e.g. "jpg"
    int32_t formatCode = 0;         // FreeImage format number, or DevIL type for psd/dds/pcx
    int32_t targetDepth = 0;        // bits per pixel to save with; 0 = automatic
    int32_t saveFlags = 0;          // flags handed to the writer
    uint8_t automaticDepth = 0;     // 1 when the configured target depth is 0

    // Filled by the engine.
    int32_t sourceDepth = 0;        // bits per pixel of the rasterised picture
    int32_t resultWidth = 0;        // size after rotation, resizing and the icon limit
    int32_t resultHeight = 0;
    std::string outputPath;         // final output file
    std::string temporaryPath;      // side file written first, then renamed to outputPath
};

}  // namespace plotvale::engine
