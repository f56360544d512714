#include "engine/wall_clock_date.h"

namespace plotvale::engine {
namespace {

constexpr int64_t SecondsPerDay = 86400;

int64_t floorDivide(int64_t value, int64_t divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

WallClockDate toWallClockDate(int64_t seconds) {
    const int64_t days = floorDivide(seconds, SecondsPerDay);
    const int64_t secondOfDay = seconds - days * SecondsPerDay;

    // Days to civil date, counting in 400-year eras that start on 1 March.
    const int64_t shifted = days + 719468;
    const int64_t era = floorDivide(shifted, 146097);
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 = March
    const int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    return WallClockDate{static_cast<int>(year),
                         static_cast<int>(month),
                         static_cast<int>(day),
                         static_cast<int>(secondOfDay / 3600),
                         static_cast<int>(secondOfDay / 60 % 60),
                         static_cast<int>(secondOfDay % 60)};
}

}  // namespace plotvale::engine
