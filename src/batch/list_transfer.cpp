#include "batch/list_transfer.h"

#include <algorithm>

#include "batch/input_collection.h"
#include "batch/path_rules.h"
#include "platform/file_system.h"
#include "platform/sequential_file.h"
#include "settings/message_table.h"

namespace plotvale::batch {

namespace {

constexpr size_t CountingBlockBytes = 65536;

void addResult(RunProgress& progress, int32_t count) {
    std::lock_guard<RunLock> guard(progress.lock);
    progress.resultCount += count;
}

}  // namespace

std::string transferOutcomeText(const TransferTexts& texts, bool brokenOff, int32_t resultCount) {
    if (brokenOff) return settings::getText("Msg", texts.stoppedKey);
    return settings::fillPlaceholders(settings::getText("Msg", texts.completeKey),
                                      std::to_string(resultCount));
}

std::string listFileFilter() {
    return settings::getText("Dialog", "Text Files") + "|*.txt;*.lst|" +
           settings::getText("Dialog", "All Files") + " (*.*)|*.*";
}

void writeListFile(RunProgress& progress, const std::string& listPath,
                   const std::vector<std::string>& paths) {
    int32_t written = 0;
    auto file = platform::SequentialFile::create(listPath);
    if (file && file->append("\xEF\xBB\xBF")) {
        for (size_t i = 0; i < paths.size() && progress.running; ++i) {
            {
                std::lock_guard<RunLock> guard(progress.lock);
                progress.processed = static_cast<int32_t>(i + 1);
            }
            if (!file->append(paths[i] + "\r\n")) break;
            ++written;
        }
    }
    file.reset();
    addResult(progress, written);
}

void importListFile(BatchRun& run, const std::string& listPath) {
    run.job.inputPath = listPath;
    readListFile(run);
}

void addInputFolder(BatchRun& run, const std::string& folder) {
    run.request.input = platform::withTrailingSlash(folder);
    scanInputFolder(run);
}

int64_t countLines(const std::string& path) {
    int64_t count = 0;
    platform::readInBlocks(path, CountingBlockBytes, [&count](std::string_view block) {
        count += std::count(block.begin(), block.end(), '\n');
    });
    return count;
}

int32_t countFolderEntries(const std::string& folder) {
    const auto entries = platform::listFolder(folder);
    return entries ? static_cast<int32_t>(entries->size()) : 0;
}

std::string proposedListFileName(const std::string& lastListPath) {
    return folderPart(lastListPath) + "list.txt";
}

bool exportNeedsOverwriteQuestion(const std::string& listPath) {
    return platform::fileSizeOrKind(listPath) > 0;
}

bool isImportableListFile(const std::string& listPath) {
    return platform::fileSizeOrKind(listPath) > 0;
}

std::string withListExtension(const std::string& path) {
    return fileNameExtension(path).empty() ? path + ".txt" : path;
}

}  // namespace plotvale::batch
