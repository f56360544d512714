#pragma once
// A file being written by an encoder that writes, seeks and sometimes reads
// back through callbacks. Every failed write is remembered, so that an
// encoder that ignores its write results (as FreeImage's and DevIL's do)
// still cannot make a short file look complete.

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace plotvale::platform {

class OutputFile {
public:
    // Creates or truncates the file; nothing when it cannot be opened. With
    // `mustBeNew`, nothing when anything (a file, a link) is already there.
    static std::optional<OutputFile> create(const std::string& path, bool mustBeNew = false);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&&) = delete;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // As fwrite and fread: the number of whole items done.
    size_t write(const void* data, size_t size, size_t count);
    size_t read(void* data, size_t size, size_t count);
    // SEEK_SET, SEEK_CUR or SEEK_END; true when it moved.
    bool seek(long offset, int origin);
    long tell();

    // Flushes and closes; true when every write, the flush and the close
    // succeeded. Any later call does nothing.
    bool finish();

private:
    explicit OutputFile(std::FILE* file) : file_(file) {}
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace plotvale::platform
