#pragma once
// One running instance per user: an exclusive lock on a file named after the
// instance, held until the guard is destroyed. The lock file lives in a
// folder only its user can write: $XDG_RUNTIME_DIR when it is so, or else a folder
// "plotvale-<uid>" of mode 0700 in $TMPDIR (or /tmp), which is created when
// missing and trusted only when it is a real folder owned by the user with no
// access for anyone else. Where no such folder can be had the program runs
// without the guard: a folder that someone else prepared must not be able to
// stop the user's runs.

#include <optional>
#include <string>
#include <string_view>

namespace plotvale::platform {

class InstanceGuard {
public:
    // The guard, or nothing when another process holds it. A guard that
    // could not be placed (no trusted folder, no lock file) reports it in
    // `unguarded`.
    static std::optional<InstanceGuard> acquire(std::string_view instanceName);

    InstanceGuard(InstanceGuard&& other) noexcept;
    InstanceGuard& operator=(InstanceGuard&&) = delete;
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;
    ~InstanceGuard();

    bool unguarded() const { return fd_ < 0; }

    // The folder for lock files, with a trailing "/", made and checked as
    // described above; nothing when it cannot be trusted.
    static std::optional<std::string> lockFolder();

    // The lock file used for an instance name; nothing without a trusted folder.
    static std::optional<std::string> lockPath(std::string_view instanceName);

private:
    explicit InstanceGuard(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace plotvale::platform
