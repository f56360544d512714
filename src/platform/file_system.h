#pragma once
// The file-system calls the converter needs, each reporting failure in its
// result instead of throwing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::platform {

inline constexpr int64_t PathMissing = -1;
inline constexpr int64_t PathIsFolder = -2;

// Size in bytes of a file (>= 0), PathMissing, or PathIsFolder. Symbolic
// links are followed; a dangling link is missing.
int64_t fileSizeOrKind(const std::string& path);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
    bool isSymlink = false;
};

// The entries of a folder without "." and "..", in the order the system
// gives them; nothing when the folder cannot be read.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& path);

// The names alone, without a look at each entry.
std::optional<std::vector<std::string>> listFolderNames(const std::string& path);

// False for a folder on a kernel pseudo file system (proc, sysfs, devtmpfs,
// devpts, cgroup, debugfs and the like), whose trees mirror the whole machine
// or never end; true for every other folder, also when the test cannot be
// made.
bool onRealFileSystem(const std::string& folder);

// Identifies a folder on its device, so a walk that follows symbolic links
// can tell a folder it has already visited. Nothing when it is not a folder.
struct FolderIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator<(const FolderIdentity& other) const {
        return device != other.device ? device < other.device : inode < other.inode;
    }
};
std::optional<FolderIdentity> folderIdentity(const std::string& path);

// The same identity for any existing path (file or folder), so that two
// names of one file can be told to be the same.
using FileIdentity = FolderIdentity;
std::optional<FileIdentity> fileIdentity(const std::string& path);

// The folder with a trailing "/" (an empty text stays empty).
std::string withTrailingSlash(std::string folder);

// Creates one folder; true when it exists afterwards.
bool createFolder(const std::string& path);

// Reads a whole regular file of at most maxBytes; nothing for a folder, a
// FIFO, device or socket (never waiting on one), a missing or unreadable
// file, or one that is larger.
std::optional<std::string> readFile(const std::string& path, int64_t maxBytes);

// Modification time in whole seconds since 1970 (UTC).
std::optional<int64_t> fileModifiedTime(const std::string& path);
bool setFileModifiedTime(const std::string& path, int64_t secondsSinceEpoch);

// Creates or replaces a file with the given bytes; true when all were written.
bool writeFile(const std::string& path, std::string_view data);

// Renames, replacing an existing target.
bool renameFile(const std::string& from, const std::string& to);
bool removeFile(const std::string& path);

}  // namespace plotvale::platform
