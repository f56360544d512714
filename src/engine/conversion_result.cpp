#include "engine/conversion_result.h"

namespace plotvale::engine {

std::string_view failureReasonName(FailureReason reason) {
    switch (reason) {
    case FailureReason::None: return "";
    case FailureReason::Unreadable: return "unreadable";
    case FailureReason::NotAMetafile: return "not a metafile";
    case FailureReason::TooLarge: return "picture too large";
    case FailureReason::PlayerRefused: return "record refused by the player";
    case FailureReason::BadOutputName: return "output name leaves the output folder";
    case FailureReason::OutputIsInput: return "output path is an input of the run";
    case FailureReason::WriterFailed: return "writer failed";
    case FailureReason::RenameFailed: return "rename failed";
    case FailureReason::OutputTaken: return "output path taken by an earlier file of the run";
    }
    return "";
}

}  // namespace plotvale::engine
