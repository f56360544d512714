#pragma once
// The conversion stage: every entry of the input set (of this process's
// shard) through the engine on the run's threads, with the output subfolders
// made first, and, in the input set's order, the output named and placed,
// the counter and random number advanced, the file time set, the debug lines
// written, the manifest line appended and the progress published.

#include <string>
#include <vector>

#include "batch/batch_run.h"

namespace plotvale::batch {

// The entries this run converts, in the input set's order: all of them, or
// those of the run's shard.
std::vector<const InputEntry*> filesToConvert(const BatchRun& run);

// Converts the files; leaves the number converted (skipped files included)
// in the progress's result. `debug` writes four lines per file.
void runConversionWorker(BatchRun& run, bool debug);

// Makes the folders of the relative subfolder ("a/b/") below the output
// folder, one level at a time. Failures show up later as failed saves.
void ensureOutputSubfolders(const std::string& outputFolder, const std::string& relative);

// Sets the output file's modification time as the `File Timestamp` setting
// asks: unchanged, the input's (to the second), or `Custom Timestamp`.
void applyFileTimestamp(const settings::ConverterSettings& settings, const std::string& input,
                        const std::string& output);

}  // namespace plotvale::batch
