#include "engine/overlays.h"

namespace plotvale::engine {

// The frame comes with the canvas drawing layer; until then pictures pass unframed.
canvas::Bitmap applyFrame(canvas::Bitmap bitmap, const settings::ConverterSettings& /*settings*/,
                          int /*width*/, int /*height*/) {
    return bitmap;
}

// The watermark comes with the canvas drawing layer; until then pictures pass unmarked.
canvas::Bitmap applyWatermark(canvas::Bitmap bitmap,
                              const settings::ConverterSettings& /*settings*/,
                              const ConversionJob& /*job*/, int /*width*/, int /*height*/) {
    return bitmap;
}

}  // namespace plotvale::engine
