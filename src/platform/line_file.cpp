#include "platform/line_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace plotvale::platform {

LineFile::LineFile(const std::string& path)
    : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {}

LineFile::~LineFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool LineFile::appendLine(std::string_view text) {
    if (fd_ < 0) return false;
    std::string line(text);
    line += '\n';
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t written = ::write(fd_, line.data() + done, line.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

}  // namespace plotvale::platform
