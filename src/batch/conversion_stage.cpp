#include "batch/conversion_stage.h"

#include <algorithm>
#include <filesystem>
#include <thread>
#include <utility>

#include "batch/conversion_worker.h"
#include "batch/file_type_sniffing.h"
#include "batch/run_resources.h"
#include "engine/order_dependence.h"
#include "engine/save_image.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processors.h"

namespace plotvale::batch {

using engine::FailureReason;

namespace {

// A converted file never reports less than a second.
constexpr int64_t MinimumDurationMs = 1000;
// How far the workers may run ahead of the committer, per worker: enough to
// keep every thread busy past a slow file, few enough side files in flight.
constexpr size_t WindowPerJob = 4;

int32_t workerCount(const ScaleOut& scale) {
    return scale.jobs > 0 ? scale.jobs : platform::onlineProcessors();
}

// Budget bytes given back when a worker is done with its picture.
class BudgetHold {
public:
    BudgetHold(PictureBudget& budget, uint64_t bytes) : budget_(budget), bytes_(bytes) {}
    ~BudgetHold() { budget_.release(bytes_); }
    BudgetHold(const BudgetHold&) = delete;
    BudgetHold& operator=(const BudgetHold&) = delete;
    // Hands the bytes to the caller, who releases them later.
    uint64_t keep() { return std::exchange(bytes_, 0); }

private:
    PictureBudget& budget_;
    uint64_t bytes_;
};

// One spelling per output file, so "out/./a.png" and "out/a.png" meet.
std::string claimKey(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

FileStatus statusOf(const engine::FailureReason reason, bool skipped) {
    if (reason != FailureReason::None) return FileStatus::Failed;
    return skipped ? FileStatus::Skipped : FileStatus::Converted;
}

}  // namespace

ConversionStage::ConversionStage(BatchRun& run, bool debug,
                                 const std::vector<const InputEntry*>& files)
    : run_(run),
      debug_(debug),
      files_(files),
      runJob_(run.job),
      window_(WindowPerJob * static_cast<size_t>(workerCount(run.scale))),
      slots_(window_),
      budget_(run.scale.pictureBudgetBytes),
      resources_(runResources(run)),
      progressLine_(run.writeStatus) {}

int32_t ConversionStage::run() {
    std::vector<std::thread> workers;
    for (int32_t i = 0; i < workerCount(run_.scale); ++i) workers.emplace_back([this] { work(); });
    publish(0, 0);
    bool stopSeen = false;
    for (size_t index = 0; index < files_.size() && waitUntilReady(index); ++index) {
        // After a stop only the file the watcher saw as current is finished;
        // the ones the workers took ahead of it are dropped, as if never taken.
        if (stopSeen) {
            discard(index);
        } else {
            stopSeen = !run_.progress.running;
            commit(index);
        }
        {
            const std::lock_guard lock(mutex_);
            slotOf(index).ready = false;
            ++committed_;
        }
        windowChanged_.notify_all();
    }
    for (std::thread& worker : workers) worker.join();
    progressLine_.finish();
    return converted_;
}

void ConversionStage::work() {
    size_t index = 0;
    while (takeNext(index)) {
        prepare(index);
        {
            const std::lock_guard lock(mutex_);
            slotOf(index).ready = true;
        }
        readyChanged_.notify_all();
    }
}

bool ConversionStage::takeNext(size_t& index) {
    // A watcher that holds the progress lock (a paused window) holds the
    // workers here, so a stop it decides on applies before the next file.
    { const std::lock_guard<RunLock> pause(run_.progress.lock); }
    std::unique_lock lock(mutex_);
    windowChanged_.wait(lock, [this] {
        return nextToTake_ >= files_.size() || !run_.progress.running ||
               nextToTake_ < committed_ + window_;
    });
    if (nextToTake_ >= files_.size() || !run_.progress.running) {
        stopped_ = true;
        lock.unlock();
        readyChanged_.notify_all();
        return false;
    }
    index = nextToTake_++;
    // The file that used this record before was committed: it lies a whole
    // window behind.
    FileSlot& slot = slotOf(index);
    slot = FileSlot();
    slot.job = runJob_;
    slot.job.inputPath = files_[index]->path;
    slot.job.relativeSubfolder = files_[index]->relativeSubfolder;
    return true;
}

// False when the file was never taken because the run was stopped.
bool ConversionStage::waitUntilReady(size_t index) {
    std::unique_lock lock(mutex_);
    readyChanged_.wait(lock, [&] { return slotOf(index).ready || (stopped_ && index >= nextToTake_); });
    return slotOf(index).ready;
}

void ConversionStage::prepare(size_t index) {
    FileSlot& slot = slotOf(index);
    const int64_t start = platform::monotonicMilliseconds();
    if (run_.settings.advanced.keepSubfolders != 0)
        ensureOutputSubfolders(slot.job.outputFolder, slot.job.relativeSubfolder);
    if (debug_) slot.fileFormat = sniffFileType(slot.job.inputPath);
    slot.reason = render(index, slot);
    slot.workMs = platform::monotonicMilliseconds() - start;
}

FailureReason ConversionStage::render(size_t index, FileSlot& slot) {
    const settings::ConverterSettings& settings = run_.settings;
    engine::ConversionJob& job = slot.job;
    if (run_.scale.skipExisting && !engine::nameFollowsPicture(settings, job) &&
        outputUpToDate(slot)) {
        budget_.admit(index, 0);
        return FailureReason::None;
    }
    const auto data = engine::readMetafile(job);
    const uint64_t bytes = data ? engine::renderedBitmapBytes(settings, *data) : 0;
    budget_.admit(index, bytes);
    BudgetHold hold(budget_, bytes);
    if (!data) return FailureReason::Unreadable;
    canvas::Bitmap picture;
    if (const auto rendered = engine::rasterizeData(settings, job, *data, picture); !rendered)
        return rendered.reason;
    picture = engine::layOutPicture(settings, job, std::move(picture));
    if (run_.scale.skipExisting && outputUpToDate(slot)) return FailureReason::None;
    if (engine::watermarkFollowsCounters(settings, job) || engine::nameFollowsCounters(settings, job)) {
        slot.deferred = std::move(picture);
        slot.heldBytes = hold.keep();
        return FailureReason::None;
    }
    engine::nameOutput(settings, job);
    return engine::writeSideFile(settings, job, std::move(picture), resources_).reason;
}

// An output that exists and is not older than its input is left as it is.
bool ConversionStage::outputUpToDate(FileSlot& slot) const {
    engine::nameOutput(run_.settings, slot.job);
    if (platform::fileSizeOrKind(slot.job.outputPath) < 0) return false;
    const auto input = platform::fileModifiedTime(slot.job.inputPath);
    const auto output = platform::fileModifiedTime(slot.job.outputPath);
    slot.skipped = input && output && *output >= *input;
    return slot.skipped;
}

void ConversionStage::commit(size_t index) {
    FileSlot& slot = slotOf(index);
    const int64_t start = platform::monotonicMilliseconds();
    engine::ConversionJob job = slot.job;
    job.counter = run_.job.counter;
    job.randomNumber = run_.job.randomNumber;
    FailureReason reason = slot.reason;
    if (reason == FailureReason::None) reason = finish(slot, job);
    int64_t duration = 0;
    if (reason == FailureReason::None) {
        ++converted_;
        if (!slot.skipped) {
            run_.job.randomNumber = run_.nextRandomNumber();
            run_.job.counter += 1;
            applyFileTimestamp(run_.settings, job.inputPath, job.outputPath);
        }
        duration = std::max(slot.workMs + platform::monotonicMilliseconds() - start,
                            MinimumDurationMs);
    }
    report(slot, job, reason, slot.workMs + platform::monotonicMilliseconds() - start);
    publish(index + 1, duration);
    progressLine_.update(static_cast<int32_t>(index + 1), static_cast<int32_t>(files_.size()));
}

void ConversionStage::discard(size_t index) {
    FileSlot& slot = slotOf(index);
    if (slot.deferred) {
        slot.deferred.reset();
        budget_.release(slot.heldBytes);
    }
    if (slot.reason == FailureReason::None && !slot.skipped) engine::discardTemporaryImage(slot.job);
}

// The steps that wait for the earlier files: the claim of the name and the
// rename, and for a name or a watermark that shows the counter, the name
// and the side file too.
FailureReason ConversionStage::finish(FileSlot& slot, engine::ConversionJob& job) {
    if (slot.deferred) engine::nameOutput(run_.settings, job);
    const std::string key = claimKey(job.outputPath);
    const bool taken = !job.outputPath.empty() && claimed_.count(key) != 0;
    if (slot.deferred) {
        canvas::Bitmap picture = std::move(slot.deferred);
        const auto written = taken ? engine::ConversionResult{}
                                   : engine::writeSideFile(run_.settings, job, std::move(picture),
                                                           resources_);
        budget_.release(slot.heldBytes);
        if (!written) return written.reason;
    }
    if (taken) {
        if (!slot.skipped) engine::discardTemporaryImage(job);
        return FailureReason::OutputTaken;
    }
    if (!slot.skipped) {
        if (const auto placed = engine::placeOutput(job); !placed) return placed.reason;
    }
    claimed_.insert(key);
    return FailureReason::None;
}

void ConversionStage::report(const FileSlot& slot, const engine::ConversionJob& job,
                             FailureReason reason, int64_t milliseconds) {
    if (debug_) {
        progressLine_.hide();
        run_.writeLine("Processing: " + job.inputPath);
        run_.writeLine("File Format: " + slot.fileFormat);
        if (reason == FailureReason::None) run_.writeLine("[OK] Saving As: " + job.outputPath);
        else run_.writeLine("[ERROR] Unable to convert the file!");
    }
    if (!run_.manifest) return;
    FileRecord record;
    record.input = job.inputPath;
    record.output = job.outputPath;
    record.status = statusOf(reason, slot.skipped);
    record.reason = reason;
    record.width = job.resultWidth;
    record.height = job.resultHeight;
    if (reason == FailureReason::None)
        record.bytes = std::max<int64_t>(platform::fileSizeOrKind(job.outputPath), 0);
    record.milliseconds = milliseconds;
    run_.manifest->write(record);
}

// The watcher sees the files in order: `processed` counts the files finished
// in the input set's order plus the one now awaited, `currentFile` names that
// one, and `lastDurationMs` is the duration of the one before it.
void ConversionStage::publish(size_t next, int64_t lastDuration) {
    if (next >= files_.size()) return;
    const std::lock_guard<RunLock> guard(run_.progress.lock);
    run_.progress.processed = static_cast<int32_t>(next + 1);
    run_.progress.currentFile = files_[next]->path;
    run_.progress.lastDurationMs = lastDuration;
}

}  // namespace plotvale::batch
