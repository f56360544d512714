#pragma once
// One running instance per user: an exclusive lock on a file named after the
// instance in $XDG_RUNTIME_DIR (or /tmp), held until the guard is destroyed.

#include <optional>
#include <string>
#include <string_view>

namespace plotvale::platform {

class InstanceGuard {
public:
    // The guard, or nothing when another process holds it.
    static std::optional<InstanceGuard> acquire(std::string_view instanceName);

    InstanceGuard(InstanceGuard&& other) noexcept;
    InstanceGuard& operator=(InstanceGuard&&) = delete;
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;
    ~InstanceGuard();

    // The lock file used for an instance name.
    static std::string lockPath(std::string_view instanceName);

private:
    explicit InstanceGuard(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace plotvale::platform
