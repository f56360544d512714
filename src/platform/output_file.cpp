#include "platform/output_file.h"

#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

namespace plotvale::platform {
namespace {

constexpr size_t OutputBufferBytes = size_t{256} << 10;

}  // namespace

std::optional<OutputFile> OutputFile::create(const std::string& path, bool mustBeNew) {
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | (mustBeNew ? O_EXCL : O_TRUNC);
    const int fd = open(path.c_str(), flags, 0666);
    if (fd < 0) return std::nullopt;
    std::FILE* file = fdopen(fd, "w+b");
    if (file == nullptr) {
        close(fd);
        return std::nullopt;
    }
    // One writer per file: encoders that write a sample per call would
    // otherwise take the stream's lock for each, and a larger buffer makes
    // fewer system calls for the pictures' megabytes.
    __fsetlocking(file, FSETLOCKING_BYCALLER);
    std::setvbuf(file, nullptr, _IOFBF, OutputBufferBytes);
    return OutputFile(file);
}

OutputFile::OutputFile(OutputFile&& other) noexcept : file_(other.file_), failed_(other.failed_) {
    other.file_ = nullptr;
}

OutputFile::~OutputFile() {
    if (file_ != nullptr) std::fclose(file_);
}

size_t OutputFile::write(const void* data, size_t size, size_t count) {
    if (file_ == nullptr) return 0;
    const size_t done = std::fwrite(data, size, count, file_);
    if (done != count) failed_ = true;
    return done;
}

size_t OutputFile::read(void* data, size_t size, size_t count) {
    return file_ == nullptr ? 0 : std::fread(data, size, count, file_);
}

bool OutputFile::seek(long offset, int origin) {
    return file_ != nullptr && std::fseek(file_, offset, origin) == 0;
}

long OutputFile::tell() { return file_ == nullptr ? -1 : std::ftell(file_); }

bool OutputFile::finish() {
    if (file_ == nullptr) return false;
    const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed && !failed_;
}

}  // namespace plotvale::platform
