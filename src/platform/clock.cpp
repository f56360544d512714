#include "platform/clock.h"

#include <ctime>

namespace plotvale::platform {

int32_t nowLocalWallClockSeconds() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<int32_t>(timegm(&local));
}

}  // namespace plotvale::platform
