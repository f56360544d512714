#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "platform/sequential_file.h"

namespace plotvale::platform {

namespace {

// A name beside the target that no other save of this or another process
// uses at the same time.
std::string sideFileName(const std::string& path) {
    static std::atomic<unsigned> serial{0};
    return path + ".new-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
}

// Makes the rename itself survive a crash, as far as the folder allows.
void flushFolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// The permissions of the file being replaced, so a private file stays
// private; a new file gets the usual ones.
unsigned modeToKeep(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    return 0666;
}

bool writeSideFile(const std::string& side, std::string_view data, unsigned mode) {
    auto file = SequentialFile::createNew(side, mode);
    if (!file) return false;
    const bool written = file->append(data);
    return file->flushAndClose() && written;
}

}  // namespace

bool replaceFileAtomically(const std::string& path, std::string_view data) {
    if (path.empty()) return false;
    const std::string side = sideFileName(path);
    if (!writeSideFile(side, data, modeToKeep(path)) || std::rename(side.c_str(), path.c_str()) != 0) {
        unlink(side.c_str());
        return false;
    }
    flushFolderOf(path);
    return true;
}

}  // namespace plotvale::platform
