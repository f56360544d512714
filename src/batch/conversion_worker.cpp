#include "batch/conversion_worker.h"

#include "batch/file_type_sniffing.h"
#include "batch/run_resources.h"
#include "engine/convert_file.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace plotvale::batch {

namespace {

// A converted file never reports less than a second.
constexpr int64_t MinimumDurationMs = 1000;

void publishStart(BatchRun& run, int32_t taken, int64_t lastDuration) {
    std::lock_guard<RunLock> guard(run.progress.lock);
    run.progress.processed = taken;
    run.progress.currentFile = run.job.inputPath;
    run.progress.lastDurationMs = lastDuration;
}

// Converts the job's file; returns the duration to report for it (0 when it
// failed).
int64_t convertOne(BatchRun& run, bool debug) {
    if (debug) {
        run.writeLine("Processing: " + run.job.inputPath);
        run.writeLine("File Format: " + sniffFileType(run.job.inputPath));
    }
    const int64_t start = platform::monotonicMilliseconds();
    const engine::RunResources resources = runResources(run);
    if (!engine::convertFile(run.settings, run.job, resources)) {
        if (debug) run.writeLine("[ERROR] Unable to convert the file!");
        return 0;
    }
    if (debug) run.writeLine("[OK] Saving As: " + run.job.outputPath);
    const int64_t duration = platform::monotonicMilliseconds() - start;
    run.job.randomNumber = run.nextRandomNumber();
    run.job.counter += 1;
    applyFileTimestamp(run.settings, run.job.inputPath, run.job.outputPath);
    return std::max(duration, MinimumDurationMs);
}

}  // namespace

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

void runConversionWorker(BatchRun& run, bool debug) {
    int32_t taken = 0;
    int32_t converted = 0;
    int64_t lastDuration = 0;
    for (const InputEntry* entry : run.files.inOrder()) {
        if (!run.progress.running) break;
        run.job.inputPath = entry->path;
        run.job.relativeSubfolder = entry->relativeSubfolder;
        publishStart(run, ++taken, lastDuration);
        if (run.settings.advanced.keepSubfolders != 0) {
            ensureOutputSubfolders(run.job.outputFolder, run.job.relativeSubfolder);
        }
        lastDuration = convertOne(run, debug);
        if (lastDuration > 0) ++converted;
    }
    std::lock_guard<RunLock> guard(run.progress.lock);
    run.progress.resultCount = converted;
}

}  // namespace plotvale::batch
