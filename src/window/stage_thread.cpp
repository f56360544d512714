#include "window/stage_thread.h"

namespace plotvale::window {

StageThread::StageThread(batch::RunProgress& progress, std::function<void()> stage)
    : progress_(progress), pause_(progress.lock, std::defer_lock) {
    progress_.reset();
    thread_ = std::thread([this, stage = std::move(stage)] {
        stage();
        finished_ = true;
    });
}

StageThread::~StageThread() {
    resume();
    if (thread_.joinable()) thread_.join();
}

void StageThread::pause() {
    if (!pause_.owns_lock() && !finished_) pause_.lock();
}

void StageThread::resume() {
    if (pause_.owns_lock()) pause_.unlock();
}

void StageThread::stop() {
    if (pause_.owns_lock()) {
        progress_.running = false;
        return;
    }
    std::lock_guard<batch::RunLock> guard(progress_.lock);
    progress_.running = false;
}

}  // namespace plotvale::window
