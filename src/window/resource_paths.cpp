#include "window/resource_paths.h"

#include "platform/file_system.h"
#include "platform/resource_folders.h"

namespace plotvale::window {

std::string themeFolder() {
    return platform::resourceFolders().themes;
}

std::string manualPath() {
    const std::string page = platform::resourceFolders().manual + "index.html";
    return platform::fileSizeOrKind(page) > 0 ? page : std::string();
}

}  // namespace plotvale::window
