#include "engine/codec_messages.h"

#include <tiffio.h>

#include <mutex>

namespace plotvale::engine {

void silenceCodecMessages() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetWarningHandler(nullptr);
        TIFFSetErrorHandler(nullptr);
    });
}

}  // namespace plotvale::engine
