#pragma once
// Admits pictures into conversion against a byte budget, in the order of
// their tickets (the files' places in the input set), so a folder of huge
// pictures does not multiply the peak memory by the number of threads. A
// picture larger than the whole budget is admitted when nothing else is in
// flight. Admitting in ticket order means a picture never waits for one that
// comes after it, which a caller that commits files in order relies on.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace plotvale::batch {

class PictureBudget {
public:
    explicit PictureBudget(uint64_t budgetBytes) : budget_(budgetBytes) {}

    // Blocks until every lower ticket was admitted and the bytes fit; each
    // ticket from 0 up must be admitted once (with 0 bytes for a file that
    // needs no picture).
    void admit(uint64_t ticket, uint64_t bytes);
    void release(uint64_t bytes);

    // The most bytes admitted at one time.
    uint64_t peakBytes() const;

private:
    const uint64_t budget_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t nextTicket_ = 0;
    uint64_t inFlight_ = 0;
    uint64_t peak_ = 0;
};

}  // namespace plotvale::batch
