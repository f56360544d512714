#include "platform/resource_folders.h"

#include "platform/program_path.h"

namespace plotvale::platform {

namespace {

// The folder above a folder given with a trailing "/" ("/usr/bin/" -> "/usr/").
std::string parentFolder(std::string_view folder) {
    if (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    const auto slash = folder.rfind('/');
    if (slash == std::string_view::npos) return "./";
    return std::string(folder.substr(0, slash + 1));
}

}  // namespace

ResourceFolders resourceFoldersFor(std::string_view executableFolder,
                                   const BuildTreeFolders& buildTree) {
    if (!buildTree.root.empty() &&
        executableFolder.substr(0, buildTree.root.size()) == buildTree.root) {
        return {buildTree.themes, buildTree.manual, buildTree.modules};
    }
    const std::string prefix = parentFolder(executableFolder);
    return {prefix + std::string(InstalledThemesFolder),
            prefix + std::string(InstalledManualFolder), prefix + std::string(InstalledModulesFolder)};
}

BuildTreeFolders thisBuildTree() {
    // Set by the build (src/platform/CMakeLists.txt).
    return {PLOTVALE_BUILD_ROOT, PLOTVALE_BUILD_THEMES, PLOTVALE_SOURCE_MANUAL, PLOTVALE_BUILD_MODULES};
}

ResourceFolders resourceFolders() {
    return resourceFoldersFor(programFolder(), thisBuildTree());
}

}  // namespace plotvale::platform
