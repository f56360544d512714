#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace plotvale::platform {

int64_t toLocalWallClock(int64_t secondsSinceEpoch) {
    const auto time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    localtime_r(&time, &local);
    return static_cast<int64_t>(timegm(&local));
}

int64_t fromLocalWallClock(int64_t wallClockSeconds) {
    const auto time = static_cast<std::time_t>(wallClockSeconds);
    std::tm wall{};
    gmtime_r(&time, &wall);
    wall.tm_isdst = -1;  // let the time zone rules decide
    return static_cast<int64_t>(std::mktime(&wall));
}

int32_t nowLocalWallClockSeconds() {
    return static_cast<int32_t>(toLocalWallClock(static_cast<int64_t>(std::time(nullptr))));
}

int64_t monotonicMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace plotvale::platform
