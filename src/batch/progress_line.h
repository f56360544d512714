#pragma once
// The self-updating line on a terminal's stderr: files done of the total,
// the rate and the time left. Redrawn at most ten times a second and once
// at the end, then cleared.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace plotvale::batch {

using StatusWriter = std::function<void(std::string_view)>;

// "12/58 files  3.4 files/s  0:14 left" (the rate and the time left only
// once a file is done).
std::string progressText(int32_t done, int32_t total, int64_t elapsedMs);

class ProgressLine {
public:
    // An empty writer makes every call do nothing.
    explicit ProgressLine(StatusWriter writer);
    void update(int32_t done, int32_t total);
    // Clears the line so stdout lines can follow on a clean row; the next
    // update draws it again.
    void hide();
    // Clears the line.
    void finish();

private:
    StatusWriter writer_;
    bool hidden_ = true;
    int64_t startMs_ = 0;
    int64_t shownMs_ = -1000;
};

}  // namespace plotvale::batch
