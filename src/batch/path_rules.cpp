#include "batch/path_rules.h"

#include "platform/file_system.h"

namespace plotvale::batch {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// The path up to and including its last separator; "" when it has none.
std::string upToLastOf(std::string_view path, std::string_view separators) {
    const auto last = path.find_last_of(separators);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

}  // namespace

std::string fileNameExtension(std::string_view path) {
    for (size_t i = path.size(); i-- > 0;) {
        const char c = path[i];
        if (c == ' ' || isSeparator(c)) return {};
        if (c == '.') {
            if (i == 0 || isSeparator(path[i - 1])) return {};
            return std::string(path.substr(i + 1));
        }
    }
    return {};
}

std::string folderPart(std::string_view path) {
    return upToLastOf(path, "/\\");
}

std::string walkedFolderPart(std::string_view path) {
    return upToLastOf(path, "/");
}

FolderResult normaliseFolder(std::string_view folder, const std::string& programFolder) {
    if (folder.substr(0, 2) == "..") return {{}, FolderProblem::Incorrect};
    std::string result(folder);
    if (result.empty() || result[0] != '/') {
        if (result.substr(0, 2) == "./") result.erase(0, 2);
        result = programFolder + result;
    }
    result = platform::withTrailingSlash(std::move(result));
    if (platform::fileSizeOrKind(result) != platform::PathIsFolder) {
        return {{}, FolderProblem::Invalid};
    }
    return {result, FolderProblem::None};
}

}  // namespace plotvale::batch
