#include "batch/progress_line.h"

#include <cstdio>

#include "platform/clock.h"

namespace plotvale::batch {
namespace {

constexpr int64_t RedrawEveryMs = 100;

std::string clockText(int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace

std::string progressText(int32_t done, int32_t total, int64_t elapsedMs) {
    std::string text = std::to_string(done) + "/" + std::to_string(total) + " files";
    if (done <= 0 || elapsedMs <= 0) return text;
    const double rate = done * 1000.0 / static_cast<double>(elapsedMs);
    char rateText[32];
    std::snprintf(rateText, sizeof rateText, "  %.1f files/s", rate);
    const auto left = static_cast<int64_t>(static_cast<double>(total - done) / rate + 0.5);
    return text + rateText + "  " + clockText(left) + " left";
}

ProgressLine::ProgressLine(StatusWriter writer)
    : writer_(std::move(writer)), startMs_(platform::monotonicMilliseconds()) {}

void ProgressLine::update(int32_t done, int32_t total) {
    if (!writer_) return;
    const int64_t now = platform::monotonicMilliseconds();
    if (done < total && !hidden_ && now - shownMs_ < RedrawEveryMs) return;
    shownMs_ = now;
    hidden_ = false;
    writer_(progressText(done, total, now - startMs_));
}

void ProgressLine::hide() {
    if (!writer_ || hidden_) return;
    writer_("");
    hidden_ = true;
}

void ProgressLine::finish() { hide(); }

}  // namespace plotvale::batch
