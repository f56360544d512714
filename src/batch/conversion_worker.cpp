#include "batch/conversion_worker.h"

#include "batch/conversion_stage.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace plotvale::batch {

void ensureOutputSubfolders(const std::string& outputFolder, const std::string& relative) {
    if (platform::fileSizeOrKind(outputFolder + relative) == platform::PathIsFolder) return;
    std::string path = outputFolder;
    size_t start = 0;
    for (size_t slash = relative.find('/'); slash != std::string::npos;
         slash = relative.find('/', start)) {
        path += relative.substr(start, slash - start + 1);
        start = slash + 1;
        if (platform::fileSizeOrKind(path) != platform::PathIsFolder) platform::createFolder(path);
    }
}

void applyFileTimestamp(const settings::ConverterSettings& settings, const std::string& input,
                        const std::string& output) {
    if (settings.advanced.fileTimestamp == 1) {
        if (const auto time = platform::fileModifiedTime(input)) {
            platform::setFileModifiedTime(output, *time);
        }
    } else if (settings.advanced.fileTimestamp == 2) {
        platform::setFileModifiedTime(
            output, platform::fromLocalWallClock(settings.advanced.customTimestamp));
    }
}

std::vector<const InputEntry*> filesToConvert(const BatchRun& run) {
    std::vector<const InputEntry*> files = run.files.inOrder();
    if (!run.scale.shard) return files;
    const Shard shard = *run.scale.shard;
    std::erase_if(files, [&](const InputEntry* entry) {
        return shardOf(shardKey(entry->path, run.request.input), shard.count) != shard.index;
    });
    return files;
}

void runConversionWorker(BatchRun& run, bool debug) {
    ConversionStage stage(run, debug, filesToConvert(run));
    const int32_t converted = stage.run();
    std::lock_guard<RunLock> guard(run.progress.lock);
    run.progress.resultCount = converted;
}

}  // namespace plotvale::batch
