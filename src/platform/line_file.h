#pragma once
// A file written one whole line at a time, each line handed to the system at
// once, so a process that is killed leaves only complete lines behind.

#include <string>
#include <string_view>

namespace plotvale::platform {

class LineFile {
public:
    // Creates or empties the file; check isOpen().
    explicit LineFile(const std::string& path);
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Writes the text and "\n"; false when not all of it was written.
    bool appendLine(std::string_view text);

private:
    int fd_ = -1;
};

}  // namespace plotvale::platform
