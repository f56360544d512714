#pragma once
// One stage (collection, conversion, list import or export, add-folder) on a
// thread of its own, followed by a watcher that polls it: the window face's
// progress windows. The watcher may pause the stage while it asks whether to
// stop, so the answer applies before the stage takes its next item.
//
// All members are called from the watching thread only.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "batch/run_progress.h"

namespace plotvale::batch {

// The progress fields read together under the lock.
struct ProgressSnapshot {
    int32_t processed = 0;
    std::string currentFile;
    int64_t lastDurationMs = 0;
    int32_t resultCount = 0;
};

class StageThread {
public:
    // Resets `progress` (processed 0, currentFile empty, resultCount 0,
    // running on) and starts `stage` on a new thread.
    StageThread(RunProgress& progress, std::function<void()> stage);
    // Waits for the stage to end.
    ~StageThread();
    StageThread(const StageThread&) = delete;
    StageThread& operator=(const StageThread&) = delete;

    // True once the stage procedure has returned.
    bool finished() const { return finished_; }
    bool paused() const { return paused_; }

    // Holds the progress lock, so the stage waits at its next progress
    // update, before it starts its next item. resume() lets it go on.
    void pause();
    void resume();

    // Asks the stage to stop after its current item (running off, under the
    // lock).
    void stop();

    // The progress fields; while paused, the ones read before the pause.
    ProgressSnapshot snapshot();

    // Blocks until the stage has ended (resuming it first when paused).
    void wait();

private:
    RunProgress& progress_;
    std::atomic<bool> finished_{false};
    bool paused_ = false;
    ProgressSnapshot last_;
    std::thread thread_;
};

}  // namespace plotvale::batch
