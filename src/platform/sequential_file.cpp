#include "platform/sequential_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace plotvale::platform {

std::optional<SequentialFile> SequentialFile::open(const std::string& path, int flags,
                                                   unsigned mode) {
    // O_NONBLOCK: a FIFO without a reader fails at once instead of waiting.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | flags,
                          static_cast<mode_t>(mode));
    if (fd < 0) return std::nullopt;
    return SequentialFile(fd);
}

std::optional<SequentialFile> SequentialFile::create(const std::string& path) {
    return open(path, O_TRUNC, 0666);
}

std::optional<SequentialFile> SequentialFile::createNew(const std::string& path,
                                                        unsigned mode) {
    return open(path, O_EXCL, mode);
}

SequentialFile::SequentialFile(SequentialFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

SequentialFile& SequentialFile::operator=(SequentialFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

SequentialFile::~SequentialFile() {
    if (fd_ >= 0) close(fd_);
}

bool SequentialFile::append(std::string_view data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t wrote = write(fd_, data.data() + done, data.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

bool SequentialFile::flushAndClose() {
    if (fd_ < 0) return false;
    const bool flushed = fsync(fd_) == 0;
    const bool closed = close(std::exchange(fd_, -1)) == 0;
    return flushed && closed;
}

bool readInBlocks(const std::string& path, size_t blockBytes,
                  const std::function<void(std::string_view)>& consume) {
    // Only regular files: opening with O_NONBLOCK never waits for a FIFO's
    // writer, and the kind is checked on the open file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    std::vector<char> block(blockBytes);
    ssize_t got = 0;
    while ((got = read(fd, block.data(), block.size())) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        consume(std::string_view(block.data(), static_cast<size_t>(got)));
    }
    close(fd);
    return got == 0;
}

}  // namespace plotvale::platform
