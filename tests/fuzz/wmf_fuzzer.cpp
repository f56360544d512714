// libFuzzer entry: any bytes, played aliased and anti-aliased. The player must
// neither crash nor hang, and must keep its memory bounded.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "wmf/render_metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    plotvale::wmf::RenderOptions options;
    options.dpi = 24;                       // small pictures keep each run fast
    options.maxBitmapBytes = 16ULL << 20;
    options.antialias = size % 2 == 0;
    (void)plotvale::wmf::renderMetafile(bytes, options);
    return 0;
}
