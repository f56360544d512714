#include "window/resource_paths.h"

#include <vector>

#include "platform/file_system.h"
#include "platform/program_path.h"

namespace plotvale::window {

namespace {

bool isFolder(const std::string& path) {
    return platform::fileSizeOrKind(path) == platform::PathIsFolder;
}

// The first candidate that exists, else the first one.
std::string firstExisting(const std::vector<std::string>& candidates, bool folder) {
    for (const std::string& candidate : candidates) {
        if (folder ? isFolder(candidate) : platform::fileSizeOrKind(candidate) > 0) return candidate;
    }
    return folder ? candidates.front() : std::string();
}

}  // namespace

std::string themeFolder() {
    const std::string program = platform::programFolder();
    return firstExisting({program + "gfx/", program + "../share/plotvale/gfx/",
                          std::string(PLOTVALE_BUILD_DIR) + "/gfx/"},
                         true);
}

std::string manualPath() {
    const std::string program = platform::programFolder();
    return firstExisting({program + "manual/index.html",
                          program + "../share/doc/plotvale/manual/index.html",
                          std::string(PLOTVALE_SOURCE_DIR) + "/docs/manual/index.html"},
                         false);
}

}  // namespace plotvale::window
