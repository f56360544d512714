#pragma once
// The conversion stage: every entry of the input set, in the set's order,
// through the engine, with the output subfolders made first, the file time
// set after, and debug lines per file.

#include <string>

#include "batch/batch_run.h"

namespace plotvale::batch {

// Converts the whole set; leaves the number converted in the progress's
// result. `debug` writes four lines per file.
void runConversionWorker(BatchRun& run, bool debug);

// Makes the folders of the relative subfolder ("a/b/") below the output
// folder, one level at a time. Failures show up later as failed saves.
void ensureOutputSubfolders(const std::string& outputFolder, const std::string& relative);

// Sets the output file's modification time as the `File Timestamp` setting
// asks: unchanged, the input's (to the second), or `Custom Timestamp`.
void applyFileTimestamp(const settings::ConverterSettings& settings, const std::string& input,
                        const std::string& output);

}  // namespace plotvale::batch
