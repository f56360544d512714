#include "batch/stage_thread.h"

namespace plotvale::batch {

StageThread::StageThread(RunProgress& progress, std::function<void()> stage)
    : progress_(progress) {
    progress_.reset();
    thread_ = std::thread([this, body = std::move(stage)] {
        body();
        finished_ = true;
    });
}

StageThread::~StageThread() { wait(); }

void StageThread::pause() {
    if (paused_) return;
    last_ = snapshot();
    progress_.lock.lock();
    paused_ = true;
}

void StageThread::resume() {
    if (!paused_) return;
    paused_ = false;
    progress_.lock.unlock();
}

void StageThread::stop() {
    if (paused_) {
        progress_.running = false;
        return;
    }
    std::lock_guard<RunLock> guard(progress_.lock);
    progress_.running = false;
}

ProgressSnapshot StageThread::snapshot() {
    if (paused_) return last_;
    std::lock_guard<RunLock> guard(progress_.lock);
    return {progress_.processed, progress_.currentFile, progress_.lastDurationMs,
            progress_.resultCount};
}

void StageThread::wait() {
    resume();
    if (thread_.joinable()) thread_.join();
}

}  // namespace plotvale::batch
