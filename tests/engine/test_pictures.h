#pragma once
// Pictures made by the tests, decoding of written files, pixel sampling in
// every FreeImage image type, and scratch folders.

#include <array>
#include <string>

#include "canvas/freeimage_bitmap.h"
#include "engine/conversion_job.h"
#include "settings/converter_settings.h"

namespace plotvale::engine::testing {

using canvas::Bitmap;

struct Rgba {
    unsigned char red, green, blue, alpha;
};

// The four quadrant colours of the test picture: top left, top right,
// bottom left, bottom right as seen on screen.
inline constexpr std::array<Rgba, 4> QuadrantColours{
    Rgba{220, 30, 40, 255}, Rgba{20, 200, 60, 255}, Rgba{30, 50, 210, 255},
    Rgba{255, 255, 255, 160}};

// A 32-bit picture of four flat quadrants in QuadrantColours. Quadrant sides
// that are multiples of 8 keep block-based codecs free of ringing inside.
Bitmap makeQuadrantPicture(int width, int height);

// A 32-bit picture filled with one colour.
Bitmap makeFilledPicture(int width, int height, Rgba colour);

// Pixel at (x, y) counted from the top row, as red, green, blue, alpha in
// 0..1, for palette, 16/24/32-bit, 16-bit-per-channel and float pictures.
std::array<double, 4> samplePixel(FIBITMAP* bitmap, int x, int y);

// The largest and the average difference of red, green, blue and, when asked
// and both pictures have 32 bits per pixel, alpha (0..1) between two pictures of the
// same size, over pixels at least `margin` pixels away from the quadrant
// borders and the picture's edges (margin 0: every pixel).
struct Difference {
    double largest = 0.0;
    double average = 0.0;
};
Difference comparePictures(FIBITMAP* expected, FIBITMAP* actual, int margin, bool withAlpha);

struct Decoded {
    Bitmap bitmap;       // the decoded picture
    int fileDepth = 0;   // bits per pixel as the decoder reports them
    int mipmaps = 0;     // extra mipmap levels (DevIL only)
};

// Reads a written file back: DevIL for dds and pcx (returned as a 32-bit
// bitmap), jxrlib for jxr, FreeImage for every other format.
Decoded decodeFile(const std::string& path, const std::string& extension);

// A job for the given output format into `folder`, with the run's fields set
// as the run driver sets them.
ConversionJob makeJob(const settings::ConverterSettings& settings, const std::string& folder,
                      const std::string& extension, int depth);

settings::ConverterSettings commandLineDefaults();

// A fresh folder below the system's temporary folder, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }  // with trailing "/"
    int fileCount() const;

private:
    std::string path_;
};

}  // namespace plotvale::engine::testing
