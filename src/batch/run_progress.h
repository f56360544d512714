#pragma once
// Progress shared by a running stage and whoever waits for it. The stage
// writes under the lock; `running` is read without it and cleared only by a
// watcher that wants the stage to stop after its current item.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace plotvale::batch {

using RunLock = std::mutex;

struct RunProgress {
    int32_t processed = 0;
    std::string currentFile;
    int64_t lastDurationMs = 0;
    int32_t resultCount = 0;
    std::atomic<bool> running{false};
    RunLock lock;

    void reset() {
        std::lock_guard<RunLock> guard(lock);
        processed = 0;
        currentFile.clear();
        lastDurationMs = 0;
        resultCount = 0;
        running = true;
    }
};

}  // namespace plotvale::batch
