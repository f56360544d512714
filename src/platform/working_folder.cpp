#include "platform/working_folder.h"

#include <unistd.h>

#include <memory>

#include "platform/file_system.h"

namespace plotvale::platform {

std::string workingFolder() {
    // getcwd(nullptr, 0) allocates a buffer of the size the path needs.
    const std::unique_ptr<char, decltype(&free)> path(getcwd(nullptr, 0), &free);
    if (!path) return "./";
    return withTrailingSlash(path.get());
}

}  // namespace plotvale::platform
