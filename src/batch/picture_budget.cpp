#include "batch/picture_budget.h"

#include <algorithm>

namespace plotvale::batch {

void PictureBudget::admit(uint64_t ticket, uint64_t bytes) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] {
        return nextTicket_ == ticket && (inFlight_ == 0 || inFlight_ + bytes <= budget_);
    });
    ++nextTicket_;
    inFlight_ += bytes;
    peak_ = std::max(peak_, inFlight_);
    lock.unlock();
    changed_.notify_all();
}

void PictureBudget::release(uint64_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        inFlight_ -= std::min(bytes, inFlight_);
    }
    changed_.notify_all();
}

uint64_t PictureBudget::peakBytes() const {
    const std::lock_guard lock(mutex_);
    return peak_;
}

}  // namespace plotvale::batch
