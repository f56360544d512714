// plotvale-thumbnailer INPUT OUTPUT SIZE: the form a freedesktop
// ".thumbnailer" entry starts (Exec=plotvale-thumbnailer %i %o %s). Exit
// status 0 with a PNG written, 1 with none (bad arguments, a file the player
// cannot draw, or the time bound passed).

#include <string>

#include "platform/console.h"
#include "platform/process_limits.h"
#include "thumbnailer/thumbnail.h"

namespace {

// A file manager waits for thumbnails; no metafile is worth more than this.
constexpr unsigned TimeBoundSeconds = 10;

}  // namespace

int main(int argc, char** argv) {
    using namespace plotvale;
    platform::endProcessAfter(TimeBoundSeconds, 1);
    const auto size = argc == 4 ? thumbnailer::readSize(argv[3]) : std::nullopt;
    if (!size) {
        platform::writeErrorLine("usage: plotvale-thumbnailer INPUT OUTPUT SIZE (SIZE 1 to " +
                                 std::to_string(thumbnailer::LargestSize) + ")");
        return 1;
    }
    return thumbnailer::writeThumbnail(argv[1], argv[2], *size) ? 0 : 1;
}
