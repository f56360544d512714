#pragma once
// Files written or read front to back in pieces, for texts that are made or
// counted as they go rather than held whole.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plotvale::platform {

// A file created anew (an existing one truncated), open for appending.
// Closed when the object goes.
class SequentialFile {
public:
    static std::optional<SequentialFile> create(const std::string& path);
    // Only when nothing is at the path yet; `mode` gives its permissions
    // (before the umask).
    static std::optional<SequentialFile> createNew(const std::string& path, unsigned mode = 0666);
    SequentialFile(SequentialFile&& other) noexcept;
    SequentialFile& operator=(SequentialFile&& other) noexcept;
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;
    ~SequentialFile();

    // False when not every byte was written.
    bool append(std::string_view data);
    // Waits until the data written is on the disk, then closes the file;
    // false when either step fails.
    bool flushAndClose();

private:
    static std::optional<SequentialFile> open(const std::string& path, int flags, unsigned mode);
    explicit SequentialFile(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// Hands a regular file's bytes to `consume` in blocks of at most
// blockBytes; false when it is not a regular file, cannot be opened or a
// read fails.
bool readInBlocks(const std::string& path, size_t blockBytes,
                  const std::function<void(std::string_view)>& consume);

}  // namespace plotvale::platform
