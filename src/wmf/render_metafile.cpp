#include "wmf/render_metafile.h"

#include "canvas/canvas.h"
#include "canvas/canvas_bitmap.h"
#include "wmf/canvas_device.h"
#include "wmf/gzip_input.h"
#include "wmf/picture_frame.h"
#include "wmf/player.h"

namespace plotvale::wmf {

namespace {
// Unpacked ".wmz" data is bounded: no real metafile comes near it.
constexpr std::size_t kMaxUnpackedBytes = 256u << 20;
}  // namespace

RenderResult renderMetafile(std::string_view data, const RenderOptions& options) {
    RenderResult result;
    std::optional<std::string> unpacked;
    if (isGzip(data)) {
        unpacked = gunzip(data, kMaxUnpackedBytes);
        if (!unpacked) return result;
        data = *unpacked;
    }
    const auto frame = readPictureFrame(data, options.dpi, options.maxBitmapBytes);
    if (!frame) return result;
    auto target = canvas::CanvasOnBitmap::create(frame->width, frame->height);
    if (!target) return result;
    canvas::Canvas* canvas = &target->canvas();
    canvas->setAntialias(options.antialias);
    canvas->clear(canvas::Color{255, 255, 255, 255});
    CanvasDevice device(*canvas);
    Player player(device, *frame);
    result.unknownRecords = player.play(frame->records);
    canvas->resetClip();
    result.bitmap = target->finish();
    return result;
}

}  // namespace plotvale::wmf
