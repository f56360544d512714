#pragma once
// The pieces of the watermark: its text, the text and image canvases, and
// the rotation, fitting and placing that put it on the picture.

#include <cstdint>
#include <string>
#include <string_view>

#include "canvas/font.h"
#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"
#include "engine/output_name.h"
#include "settings/converter_settings.h"

namespace plotvale::engine {

// The watermark text with the file-name placeholders expanded. Only
// placeholders present in the text as written are expanded, and only when it
// holds at least two "%".
std::string expandWatermarkText(const settings::WatermarkSettings& watermark,
                                const ConversionJob& job, const WallClock& clock);

// Left edge of a text line of lineWidth on a canvas of canvasWidth, by
// `Text Alignment` and `Text Padding`.
int lineX(const settings::WatermarkSettings& watermark, int lineWidth, int canvasWidth);

// The text drawn on its own 32-bit canvas: lines split at "%eol%" in any
// letter case, padding, leading, background box. Empty when the canvas
// cannot be made.
canvas::Bitmap makeTextWatermark(const settings::WatermarkSettings& watermark,
                                 const canvas::Font& font, std::string_view text);

// The largest watermark image, in pixels (4096 x 4096, or any other shape of
// that area). Drawing it costs about 20 bytes a pixel (decoded picture,
// 32-bit copy, canvas, rotation, layer): a run with one at the bound peaks at
// 324 to 360 MB. Beyond it a small compressed file could take gigabytes.
inline constexpr uint64_t MaxWatermarkImagePixels = 4096ULL * 4096ULL;

// True for a picture file that the image watermark will not draw although
// its format is known: its header declares more than MaxWatermarkImagePixels
// (read without decoding the pixels), its size cannot be told before
// decoding (formats such as DDS, SGI, MNG, PICT), or the file is larger than
// the 256 MB any watermark picture is read up to. False for files of no
// known picture format, which simply give no watermark.
bool watermarkImageRefused(const std::string& path);

// The `Image` file drawn on a 32-bit canvas of its size with `Image Opacity`
// (greyed first with `Image Greyscale`). Empty when the file cannot be read,
// is no regular file, or its size cannot be told from its header (or passes
// MaxWatermarkImagePixels) before decoding.
canvas::Bitmap makeImageWatermark(const settings::WatermarkSettings& watermark);

// Where the watermark goes, read from the settings of the current kind.
struct WatermarkLayout {
    int rotation = 0;
    int position = 0;
    int xOffset = 0;
    int yOffset = 0;
    // The frame's sides when the position refers to the area inside the
    // frame, else 0.
    int frameLeft = 0;
    int frameRight = 0;
    int frameTop = 0;
    int frameBottom = 0;
};
WatermarkLayout watermarkLayout(const settings::ConverterSettings& settings);

// Rotated by the layout's angle when it lies strictly between 0 and 360.
canvas::Bitmap rotateWatermark(canvas::Bitmap watermark, const WatermarkLayout& layout);

// Cut to its top-left part so that, with the offsets, it fits the picture
// area. Empty when nothing of it would fit.
canvas::Bitmap fitWatermark(canvas::Bitmap watermark, const WatermarkLayout& layout, int width,
                            int height);

struct WatermarkPosition {
    int x = 0;
    int y = 0;
};
// Top-left corner of a markWidth x markHeight watermark on the picture.
WatermarkPosition placeWatermark(const WatermarkLayout& layout, int width, int height,
                                 int markWidth, int markHeight);

}  // namespace plotvale::engine
