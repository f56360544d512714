#pragma once

#include <cstdint>

namespace plotvale::platform {

// Now as seconds since 1970 counted on the local wall clock: the local date
// and time read as if they were UTC.
int32_t nowLocalWallClockSeconds();

}  // namespace plotvale::platform
