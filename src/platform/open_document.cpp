#include "platform/open_document.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace plotvale::platform {

bool openDocument(const std::string& target) {
    // A double fork leaves xdg-open to init, so no zombie is left behind
    // and nothing waits for the browser.
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        setsid();
        pid_t grandchild = 0;
        const char* argv[] = {"xdg-open", target.c_str(), nullptr};
        const int rc = posix_spawnp(&grandchild, "xdg-open", nullptr, nullptr,
                                    const_cast<char* const*>(argv), environ);
        _exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace plotvale::platform
