#include "platform/console.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

namespace plotvale::platform {

namespace {

// Puts the terminal in non-canonical, no-echo mode for its lifetime.
class RawTerminal {
public:
    RawTerminal() {
        if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
        termios raw = saved_;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        active_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    }
    ~RawTerminal() {
        if (active_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;
    bool active() const { return active_; }

private:
    termios saved_{};
    bool active_ = false;
};

std::string readKey(int timeoutMs) {
    if (!isatty(STDIN_FILENO)) return {};
    RawTerminal terminal;
    if (!terminal.active()) return {};
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0) return {};
    char c = 0;
    if (read(STDIN_FILENO, &c, 1) != 1) return {};
    return std::string(1, c);
}

}  // namespace

void writeLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void writeErrorLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

bool errorIsTerminal() { return isatty(STDERR_FILENO) != 0; }

void writeStatusLine(std::string_view text) {
    std::fputc('\r', stderr);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputs("\x1b[K", stderr);  // clear what a longer earlier line left
    std::fflush(stderr);
}

void setConsoleTitle(std::string_view title) {
    if (!isatty(STDOUT_FILENO)) return;
    std::fputs("\x1b]0;", stdout);
    std::fwrite(title.data(), 1, title.size(), stdout);
    std::fputc('\a', stdout);
    std::fflush(stdout);
}

std::string pollKey() {
    return readKey(0);
}

void waitForKey() {
    if (!isatty(STDIN_FILENO)) return;
    while (readKey(-1).empty()) {
        if (!isatty(STDIN_FILENO)) return;
    }
}

}  // namespace plotvale::platform
