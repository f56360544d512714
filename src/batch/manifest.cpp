#include "batch/manifest.h"

#include <nlohmann/json.hpp>

namespace plotvale::batch {
namespace {

const char* statusName(FileStatus status) {
    switch (status) {
    case FileStatus::Converted: return "converted";
    case FileStatus::Skipped: return "skipped";
    case FileStatus::Failed: break;
    }
    return "failed";
}

}  // namespace

std::string manifestLine(const FileRecord& record) {
    nlohmann::ordered_json line;
    line["input"] = record.input;
    line["output"] = record.output;
    line["status"] = statusName(record.status);
    if (record.status == FileStatus::Failed)
        line["reason"] = std::string(engine::failureReasonName(record.reason));
    line["width"] = record.width;
    line["height"] = record.height;
    line["bytes"] = record.bytes;
    line["ms"] = record.milliseconds;
    return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace plotvale::batch
