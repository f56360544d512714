#pragma once
// Writing to a connection the other side has closed raises SIGPIPE, which
// ends the process unless it is handled. Libraries that write to sockets
// themselves (TLS) cannot ask for MSG_NOSIGNAL, so while a guard lives the
// signal is blocked on the calling thread, and one raised meanwhile is taken
// off before the guard goes; the write then simply fails with EPIPE.

#include <csignal>

namespace plotvale::platform {

class BrokenPipeGuard {
public:
    BrokenPipeGuard();
    ~BrokenPipeGuard();
    BrokenPipeGuard(const BrokenPipeGuard&) = delete;
    BrokenPipeGuard& operator=(const BrokenPipeGuard&) = delete;

private:
    sigset_t previous_{};
    bool wasPending_ = false;
};

}  // namespace plotvale::platform
