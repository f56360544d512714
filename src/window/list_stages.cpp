#include "window/list_stages.h"

#include <cstdio>
#include <memory>

namespace plotvale::window {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr size_t BlockBytes = 65536;

}  // namespace

void writeListFile(batch::RunProgress& progress, const std::string& listPath,
                   const std::vector<std::string>& paths) {
    int32_t written = 0;
    File file(std::fopen(listPath.c_str(), "wb"));
    if (file && std::fwrite("\xEF\xBB\xBF", 1, 3, file.get()) == 3) {
        for (size_t i = 0; progress.running && i < paths.size(); ++i) {
            {
                std::lock_guard<batch::RunLock> guard(progress.lock);
                progress.processed = static_cast<int32_t>(i + 1);
            }
            const std::string line = paths[i] + "\r\n";
            if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size()) break;
            ++written;
        }
    }
    file.reset();
    std::lock_guard<batch::RunLock> guard(progress.lock);
    progress.resultCount += written;
}

int64_t countLines(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return 0;
    std::vector<char> block(BlockBytes);
    int64_t count = 0;
    for (size_t got; (got = std::fread(block.data(), 1, block.size(), file.get())) > 0;) {
        for (size_t i = 0; i < got; ++i) count += block[i] == '\n' ? 1 : 0;
    }
    return count;
}

}  // namespace plotvale::window
