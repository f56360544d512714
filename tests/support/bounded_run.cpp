#include "support/bounded_run.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace plotvale::test {

BoundedRun runBounded(const std::function<void()>& work, unsigned seconds) {
    BoundedRun run;
    const pid_t pid = fork();
    if (pid < 0) return run;
    if (pid == 0) {
        alarm(seconds);
        work();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.timedOut = WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM;
    run.peakKilobytes = usage.ru_maxrss;
    return run;
}

}  // namespace plotvale::test
