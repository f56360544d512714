#include "platform/instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/file_system.h"

namespace plotvale::platform {
namespace {

std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// A real folder (not a link), owned by this user, closed to everyone else.
bool isPrivateFolder(const std::string& folder) {
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

}  // namespace

std::optional<std::string> InstanceGuard::lockFolder() {
    // The runtime folder is private by its definition; one that is not (say
    // a misconfigured /tmp) is passed over like a missing one.
    const std::string runtime = absoluteVariable("XDG_RUNTIME_DIR");
    if (!runtime.empty() && isPrivateFolder(runtime)) return withTrailingSlash(runtime);
    std::string base = absoluteVariable("TMPDIR");
    if (base.empty()) base = "/tmp";
    const std::string folder =
        withTrailingSlash(base) + "plotvale-" + std::to_string(geteuid());
    mkdir(folder.c_str(), 0700);  // an existing folder is checked like a new one
    if (!isPrivateFolder(folder)) return std::nullopt;
    return folder + "/";
}

std::optional<std::string> InstanceGuard::lockPath(std::string_view instanceName) {
    const auto folder = lockFolder();
    if (!folder) return std::nullopt;
    std::string name(instanceName);
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    return *folder + name + ".lock";
}

std::optional<InstanceGuard> InstanceGuard::acquire(std::string_view instanceName) {
    const auto path = lockPath(instanceName);
    // Without a place for the lock nothing can be coordinated; run unguarded
    // rather than refuse as if another instance were running.
    if (!path) return InstanceGuard(-1);
    const int fd = open(path->c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return InstanceGuard(-1);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return std::nullopt;
    }
    return InstanceGuard(fd);
}

InstanceGuard::InstanceGuard(InstanceGuard&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

InstanceGuard::~InstanceGuard() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace plotvale::platform
