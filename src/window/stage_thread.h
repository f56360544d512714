#pragma once
// One stage of the batch run on a thread of its own, watched from the
// window. Pausing takes the progress lock, so the stage waits at its next
// progress report, before it takes another entry; stopping clears `running`
// so it ends after its current entry.

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "batch/run_progress.h"

namespace plotvale::window {

class StageThread {
public:
    StageThread(batch::RunProgress& progress, std::function<void()> stage);
    ~StageThread();
    StageThread(const StageThread&) = delete;
    StageThread& operator=(const StageThread&) = delete;

    bool finished() const { return finished_; }
    bool paused() const { return pause_.owns_lock(); }
    void pause();
    void resume();
    void stop();

private:
    batch::RunProgress& progress_;
    std::atomic<bool> finished_{false};
    std::unique_lock<batch::RunLock> pause_;
    std::thread thread_;
};

}  // namespace plotvale::window
