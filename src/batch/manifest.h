#pragma once
// The run's machine-readable record: JSON Lines, one object per input of the
// run in the input set's order, each line written whole as its file ends, so
// an interrupted run leaves a valid prefix.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/conversion_result.h"
#include "platform/line_file.h"

namespace plotvale::batch {

enum class FileStatus { Converted, Failed, Skipped };

struct FileRecord {
    std::string input;
    std::string output;  // empty when the file failed before it was named
    FileStatus status = FileStatus::Failed;
    engine::FailureReason reason = engine::FailureReason::None;
    int32_t width = 0;  // picture size after rotation, resizing and the icon limit
    int32_t height = 0;
    int64_t bytes = 0;  // size of the output file
    int64_t milliseconds = 0;
};

// One JSON object, without the line end. Paths that are not valid UTF-8 have
// their bad bytes replaced by U+FFFD.
std::string manifestLine(const FileRecord& record);

class Manifest {
public:
    // Creates or empties the file; check isOpen().
    explicit Manifest(const std::string& path) : file_(std::make_unique<platform::LineFile>(path)) {}
    bool isOpen() const { return file_->isOpen(); }
    bool write(const FileRecord& record) { return file_->appendLine(manifestLine(record)); }

private:
    std::unique_ptr<platform::LineFile> file_;
};

}  // namespace plotvale::batch
