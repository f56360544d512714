#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace plotvale::platform {

int64_t fileSizeOrKind(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return PathMissing;
    if (S_ISDIR(info.st_mode)) return PathIsFolder;
    return static_cast<int64_t>(info.st_size);
}

std::optional<std::vector<std::string>> listFolderNames(const std::string& path) {
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    closedir(dir);
    return names;
}

std::optional<std::vector<FolderEntry>> listFolder(const std::string& path) {
    auto names = listFolderNames(path);
    if (!names) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (std::string& name : *names) {
        FolderEntry item{std::move(name), false, false};
        struct stat info {};
        const std::string full =
            path + (path.empty() || path.back() == '/' ? "" : "/") + item.name;
        if (lstat(full.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) item.isSymlink = true;
        if (stat(full.c_str(), &info) == 0) item.isFolder = S_ISDIR(info.st_mode);
        entries.push_back(std::move(item));
    }
    return entries;
}

std::optional<FolderIdentity> folderIdentity(const std::string& path) {
    if (fileSizeOrKind(path) != PathIsFolder) return std::nullopt;
    return fileIdentity(path);
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

std::string withTrailingSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool createFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0) return true;
    return errno == EEXIST && fileSizeOrKind(path) == PathIsFolder;
}

std::optional<std::string> readFile(const std::string& path, int64_t maxBytes) {
    // Opening a FIFO for reading waits for a writer; O_NONBLOCK returns at
    // once, and the kind is then checked on the open file itself.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes) {
        close(fd);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
        data.append(buffer, static_cast<size_t>(got));
        if (static_cast<int64_t>(data.size()) > maxBytes) break;
    }
    close(fd);
    if (got < 0 || static_cast<int64_t>(data.size()) > maxBytes) return std::nullopt;
    return data;
}

std::optional<int64_t> fileModifiedTime(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<int64_t>(info.st_mtim.tv_sec);
}

bool setFileModifiedTime(const std::string& path, int64_t secondsSinceEpoch) {
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(secondsSinceEpoch);
    times[1].tv_nsec = 0;
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool writeFile(const std::string& path, std::string_view data) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t wrote = write(fd, data.data() + done, data.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) break;
        done += static_cast<size_t>(wrote);
    }
    const bool closed = close(fd) == 0;
    return closed && done == data.size();
}

bool renameFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

}  // namespace plotvale::platform
