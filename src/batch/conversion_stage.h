#pragma once
// The conversion stage on several threads with the result of a one-thread
// run.
//
// Workers take the files in the input set's order and do what depends on the
// file alone: read, render, lay out, and encode into a side file in the
// output folder. One committer (the stage's own thread) then takes the files
// strictly in order and does everything that depends on the files before:
// the counter and the random number, the output name made from them, the
// check that no earlier file of the run claimed that name, the rename of the
// side file, the file time, the console block, the manifest line and the
// progress. A text watermark that shows the counter or the random number is
// drawn and encoded by the committer too, so its pixels are those of the
// serial run. Pictures in flight are admitted against the run's budget in
// the same order, and workers stay within a window of files ahead of the
// committer, whose records are reused round a ring, so the memory of a run
// does not grow with the number of its files.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "batch/batch_run.h"
#include "batch/picture_budget.h"
#include "batch/progress_line.h"
#include "engine/convert_file.h"

namespace plotvale::batch {

class ConversionStage {
public:
    ConversionStage(BatchRun& run, bool debug, const std::vector<const InputEntry*>& files);
    // Converts the files; returns the number converted or skipped.
    int32_t run();
    uint64_t peakPictureBytes() const { return budget_.peakBytes(); }

private:
    struct FileSlot {
        engine::ConversionJob job;
        engine::FailureReason reason = engine::FailureReason::None;
        bool skipped = false;       // its output is up to date
        canvas::Bitmap deferred;    // waits for a watermark that shows the counter
        uint64_t heldBytes = 0;     // budget the deferred picture holds
        std::string fileFormat;     // for the debug block
        int64_t workMs = 0;
        bool ready = false;
    };

    void work();
    bool takeNext(size_t& index);
    void prepare(size_t index);
    engine::FailureReason render(size_t index, FileSlot& slot);
    bool outputUpToDate(FileSlot& slot) const;
    bool waitUntilReady(size_t index);
    FileSlot& slotOf(size_t index) { return slots_[index % slots_.size()]; }
    void commit(size_t index);
    void discard(size_t index);
    engine::FailureReason finish(FileSlot& slot, engine::ConversionJob& job);
    void report(const FileSlot& slot, const engine::ConversionJob& job,
                engine::FailureReason reason, int64_t milliseconds);
    void publish(size_t next, int64_t lastDuration);

    BatchRun& run_;
    const bool debug_;
    const std::vector<const InputEntry*> files_;
    // The run's fields of the job as the stage starts; the counter and the
    // random number in run_.job belong to the committer.
    const engine::ConversionJob runJob_;
    const size_t window_;
    std::vector<FileSlot> slots_;  // one per file of the window, reused round the ring
    PictureBudget budget_;
    const engine::RunResources resources_;
    ProgressLine progressLine_;

    std::mutex mutex_;
    std::condition_variable readyChanged_;
    std::condition_variable windowChanged_;
    size_t nextToTake_ = 0;
    size_t committed_ = 0;
    bool stopped_ = false;

    // Committer only.
    std::unordered_set<std::string> claimed_;
    int32_t converted_ = 0;
};

}  // namespace plotvale::batch
