#include "platform/memory_reuse.h"

#include <malloc.h>

namespace plotvale::platform {

namespace {

// Blocks up to this size come from the heap rather than from maps of their
// own: a 4000 x 4000 picture of four bytes a pixel.
constexpr int ReusedBlockBytes = 64 << 20;
// The heap gives memory back only when this much lies free at its top.
constexpr int KeptFreeBytes = 2 * ReusedBlockBytes;

}  // namespace

void reuseFreedPictureMemory() {
    mallopt(M_MMAP_THRESHOLD, ReusedBlockBytes);
    mallopt(M_TRIM_THRESHOLD, KeptFreeBytes);
}

}  // namespace plotvale::platform
