#include "platform/broken_pipe_guard.h"

#include <pthread.h>

#include <ctime>

namespace plotvale::platform {

namespace {

sigset_t brokenPipeOnly() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

bool brokenPipePending() {
    sigset_t pending;
    sigemptyset(&pending);
    return sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
}

}  // namespace

BrokenPipeGuard::BrokenPipeGuard() {
    // A SIGPIPE already waiting belongs to someone else and stays.
    wasPending_ = brokenPipePending();
    const sigset_t set = brokenPipeOnly();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

BrokenPipeGuard::~BrokenPipeGuard() {
    if (!wasPending_ && brokenPipePending()) {
        const sigset_t set = brokenPipeOnly();
        const timespec none{0, 0};
        sigtimedwait(&set, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace plotvale::platform
