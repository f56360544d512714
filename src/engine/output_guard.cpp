#include "engine/output_guard.h"

#include "engine/temp_name.h"

namespace plotvale::engine {

OutputGuard::OutputGuard(const std::vector<std::string>& protectedPaths) {
    for (const std::string& path : protectedPaths) {
        if (const auto identity = platform::fileIdentity(path)) protected_.insert(*identity);
    }
}

bool OutputGuard::isProtected(const std::string& path) const {
    if (protected_.empty()) return false;
    const auto identity = platform::fileIdentity(path);
    return identity && protected_.count(*identity) != 0;
}

OutputGuard::StaleFiles& OutputGuard::staleFilesOf(const std::string& folder) {
    const auto found = folders_.find(folder);
    if (found != folders_.end()) return found->second;
    StaleFiles& stale = folders_[folder];
    const auto names = platform::listFolderNames(folder.empty() ? "." : folder);
    if (!names) return stale;
    for (const std::string& name : *names) {
        std::string owner = sideFileOwner(name);
        if (!owner.empty()) stale[std::move(owner)].push_back(name);
    }
    return stale;
}

void OutputGuard::removeStaleSideFiles(const std::string& outputPath) {
    const size_t nameStart = outputPath.rfind('/') + 1;  // npos + 1 == 0
    const std::string folder = outputPath.substr(0, nameStart);
    const std::lock_guard lock(mutex_);
    StaleFiles& stale = staleFilesOf(folder);
    const auto found = stale.find(sideFileKey(outputPath.substr(nameStart)));
    if (found == stale.end()) return;
    for (const std::string& side : found->second) platform::removeFile(folder + side);
    stale.erase(found);
}

}  // namespace plotvale::engine
