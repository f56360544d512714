#pragma once
// Calendar date and time of a count of seconds since 1970-01-01 00:00:00,
// in the proleptic Gregorian calendar with no time zone applied.

#include <cstdint>

namespace plotvale::engine {

struct WallClockDate {
    int year = 1970;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

WallClockDate toWallClockDate(int64_t seconds);

}  // namespace plotvale::engine
