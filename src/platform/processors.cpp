#include "platform/processors.h"

#include <unistd.h>

namespace plotvale::platform {

int onlineProcessors() {
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<int>(count) : 1;
}

}  // namespace plotvale::platform
