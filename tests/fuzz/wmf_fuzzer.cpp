// libFuzzer entry: any bytes, played as the batch plays them (its bitmap
// bound), in both drawing modes at 24 and 96 DPI. The player must neither
// crash nor hang, and must keep its memory to the bitmap and its allowance.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "wmf/render_metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const bool antialias : {false, true})
        for (const int dpi : {24, 96}) {
            plotvale::wmf::RenderOptions options;
            options.dpi = dpi;
            options.antialias = antialias;
            (void)plotvale::wmf::renderMetafile(bytes, options);
        }
    return 0;
}
