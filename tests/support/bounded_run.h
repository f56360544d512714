#pragma once
// Runs a piece of work in a child process with a time limit and reports
// how it ended and the most memory it held, so a test can bound runaway
// work without letting it take the test process down.

#include <functional>

namespace plotvale::test {

struct BoundedRun {
    bool finished = false;   // the work returned before the time limit
    bool timedOut = false;   // the limit ended it
    long peakKilobytes = 0;  // the child's largest resident size
};

BoundedRun runBounded(const std::function<void()>& work, unsigned seconds);

}  // namespace plotvale::test
