#include "wmf/render_metafile.h"

namespace plotvale::wmf {

// Until the player lands every metafile fails to render.
RenderResult renderMetafile(std::string_view /*data*/, const RenderOptions& /*options*/) {
    return RenderResult{};
}

}  // namespace plotvale::wmf
