#pragma once
// What became of one conversion: done, or the step that stopped it. The
// engine never prints; the caller reports the reason where it keeps a record.

#include <string_view>

namespace plotvale::engine {

enum class FailureReason {
    None,            // converted
    Unreadable,      // the input file could not be read
    NotAMetafile,    // no metafile header, or an empty picture
    TooLarge,        // the picture's bitmap would pass the size bound
    PlayerRefused,   // the player could not draw the records
    BadOutputName,   // the filename mask leads out of the output folder
    OutputIsInput,   // the output path names an input file of the run
    WriterFailed,    // the depth conversion or the writer failed
    RenameFailed,    // the side file could not take the output name
    OutputTaken,     // an earlier file of the same run already wrote that output path
};

// A short lower-case name of the reason ("writer failed"); "" for None.
std::string_view failureReasonName(FailureReason reason);

struct ConversionResult {
    FailureReason reason = FailureReason::None;
    explicit operator bool() const { return reason == FailureReason::None; }
};

}  // namespace plotvale::engine
