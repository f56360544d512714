#pragma once

#include <cstdint>

namespace plotvale::platform {

// Now as seconds since 1970 counted on the local wall clock: the local date
// and time read as if they were UTC.
int32_t nowLocalWallClockSeconds();

// Converts between real time (seconds since 1970 UTC) and the local wall
// clock counted as if it were UTC.
int64_t toLocalWallClock(int64_t secondsSinceEpoch);
int64_t fromLocalWallClock(int64_t wallClockSeconds);

// A monotonic clock in milliseconds, for durations.
int64_t monotonicMilliseconds();

}  // namespace plotvale::platform
