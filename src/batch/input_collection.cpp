#include "batch/input_collection.h"

#include <algorithm>
#include <vector>

#include "batch/path_rules.h"
#include "settings/format_catalogue.h"
#include "settings/text_case.h"
#include "settings/text_file.h"

namespace plotvale::batch {

namespace {

// List files beyond this size are not lists of paths; refusing them keeps
// memory bounded.
constexpr int64_t MaxListFileBytes = 256LL * 1024 * 1024;

bool isSupportedExtension(const std::string& path) {
    const std::string extension = settings::toLowerAscii(fileNameExtension(path));
    const auto& supported = settings::SupportedInputExtensions();
    return std::find(supported.begin(), supported.end(), extension) != supported.end();
}

// Adds one entry of a folder listing: files directly, folders recursively.
int addFolderEntry(BatchRun& run, const std::string& folder, const platform::FolderEntry& entry,
                   VisitedFolders& visited) {
    const std::string path = folder + entry.name;
    if (entry.isFolder) return scanFolderTree(run, platform::withTrailingSlash(path), visited);
    return addInputFile(run, path);
}

void markProcessed(BatchRun& run, int32_t examined) {
    std::lock_guard<RunLock> guard(run.progress.lock);
    run.progress.processed = examined;
}

void addResult(BatchRun& run, int32_t count) {
    std::lock_guard<RunLock> guard(run.progress.lock);
    run.progress.resultCount += count;
}

}  // namespace

int addInputFile(BatchRun& run, const std::string& path) {
    if (platform::fileSizeOrKind(path) == 0) return 0;
    if (!isSupportedExtension(path)) return 0;
    InputEntry& entry = run.files.findOrCreate(path);
    if (entry.added != 0) return 0;
    entry.added = 1;
    entry.relativeSubfolder = relativeSubfolder(path, run.request.input);
    return 1;
}

std::string relativeSubfolder(std::string_view path, std::string_view inputFolder) {
    if (path.empty() || inputFolder.empty()) return {};
    const std::string folder = walkedFolderPart(path);
    if (folder.compare(0, inputFolder.size(), inputFolder) != 0) return {};
    return folder.substr(inputFolder.size());
}

int scanFolderTree(BatchRun& run, const std::string& folder, VisitedFolders& visited) {
    if (!platform::onRealFileSystem(folder)) return 0;
    const auto identity = platform::folderIdentity(folder);
    // A folder that is already open on this branch is reached through a link
    // loop; a folder met again on another branch is walked again under its
    // new path.
    if (!identity || !visited.insert(*identity).second) return 0;
    int count = 0;
    if (const auto entries = platform::listFolder(folder)) {
        for (const platform::FolderEntry& entry : *entries) {
            count += addFolderEntry(run, folder, entry, visited);
        }
    }
    visited.erase(*identity);
    return count;
}

void scanInputFolder(BatchRun& run) {
    const std::string& folder = run.request.input;
    int32_t count = 0;
    int32_t examined = 0;
    VisitedFolders visited;
    if (const auto identity = platform::folderIdentity(folder)) visited.insert(*identity);
    if (const auto entries = platform::listFolder(folder)) {
        for (const platform::FolderEntry& entry : *entries) {
            if (!run.progress.running) break;
            markProcessed(run, ++examined);
            count += addFolderEntry(run, folder, entry, visited);
        }
    }
    addResult(run, count);
}

void readListFile(BatchRun& run) {
    int32_t count = 0;
    int32_t examined = 0;
    const auto bytes = platform::readFile(run.job.inputPath, MaxListFileBytes);
    const std::string decoded = bytes ? settings::decodeTextFile(*bytes) : std::string();
    std::string_view text = decoded;
    while (!text.empty() && run.progress.running) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string path(settings::trim(text.substr(0, end), " "));
        text.remove_prefix(end);
        if (text.substr(0, 2) == "\r\n")
            text.remove_prefix(2);
        else if (!text.empty())
            text.remove_prefix(1);

        const int64_t kind = path.empty() ? platform::PathMissing : platform::fileSizeOrKind(path);
        if (kind == platform::PathMissing) continue;
        markProcessed(run, ++examined);
        VisitedFolders visited;  // each listed folder is a walk of its own
        count += kind == platform::PathIsFolder
                     ? scanFolderTree(run, platform::withTrailingSlash(path), visited)
                     : addInputFile(run, path);
    }
    addResult(run, count);
}

}  // namespace plotvale::batch
