#include "platform/process_limits.h"

#include <signal.h>
#include <unistd.h>

namespace plotvale::platform {

namespace {

volatile sig_atomic_t endStatus = 1;

void endNow(int) {
    _exit(endStatus);  // async-signal-safe, unlike exit()
}

}  // namespace

void endProcessAfter(unsigned seconds, int status) {
    endStatus = status;
    struct sigaction action {};
    action.sa_handler = endNow;
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, nullptr);
    alarm(seconds);
}

}  // namespace plotvale::platform
