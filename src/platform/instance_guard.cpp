#include "platform/instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/file_system.h"

namespace plotvale::platform {

std::string InstanceGuard::lockPath(std::string_view instanceName) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder =
        withTrailingSlash((runtime != nullptr && runtime[0] == '/') ? runtime : "/tmp");
    std::string name(instanceName);
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    return folder + name + ".lock";
}

std::optional<InstanceGuard> InstanceGuard::acquire(std::string_view instanceName) {
    const std::string path = lockPath(instanceName);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a place for the lock nothing can be coordinated; run unguarded
    // rather than refuse as if another instance were running.
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
