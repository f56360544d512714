#include "engine/save_image.h"

namespace plotvale::engine {

bool writeWithFreeImage(FIBITMAP* bitmap, int32_t formatCode, int32_t saveFlags,
                        const std::string& path) {
    const auto format = static_cast<FREE_IMAGE_FORMAT>(formatCode);
    return FreeImage_Save(format, bitmap, path.c_str(), saveFlags) != FALSE;
}

}  // namespace plotvale::engine
