#include "engine/png_writer.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/png_direct.h"

namespace plotvale::engine {
namespace {

constexpr int32_t NoCompressionFlag = 0x100;  // PNG_Z_NO_COMPRESSION
constexpr int32_t InterlacedFlag = 0x200;     // PNG_INTERLACED
constexpr int DefaultLevel = 6;               // FreeImage's level without a flag

struct PngShape {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool hasAlpha = false;      // written as RGBA, else RGB
    bool paddedPixels = false;  // four bytes per pixel in, three out
    bool interlaced = false;
    int level = DefaultLevel;
    png_uint_32 dotsPerMeterX = 0;
    png_uint_32 dotsPerMeterY = 0;
};

// Levels as FreeImage reads its flags: the low byte, or none at all.
int zlibLevel(int32_t saveFlags) {
    if ((saveFlags & NoCompressionFlag) != 0) return 0;
    const int level = saveFlags & 0x0F;
    return level >= 1 && level <= 9 ? level : DefaultLevel;
}

// A row's alpha bytes are checked together (the AND of its pixels), which
// the compiler turns into wide loads.
bool allOpaque(FIBITMAP* bitmap) {
    static_assert(FI_RGBA_ALPHA == 3, "alpha is the top byte of a little-endian pixel");
    const std::size_t width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(y));
        std::uint32_t all = 0xFFFFFFFFu;
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t pixel;
            std::memcpy(&pixel, line + 4 * x, sizeof pixel);
            all &= pixel;
        }
        if ((all >> 24) != 0xFF) return false;
    }
    return true;
}

void appendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data),
                                                           length);
}

void flushNothing(png_structp) {}

// libpng reports errors by longjmp; nothing in this frame needs a destructor.
bool writeRows(png_structp png, png_infop info, const PngShape& shape, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, shape.width, shape.height, 8,
                 shape.hasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 shape.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_pHYs(png, info, shape.dotsPerMeterX, shape.dotsPerMeterY, PNG_RESOLUTION_METER);
    png_set_compression_level(png, shape.level);
    // Filters only help the compressor; stored data gains nothing from them.
    if (shape.level == 0) png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    png_set_bgr(png);
    if (shape.paddedPixels) png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

struct PngWriteDeleter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriteDeleter() { png_destroy_write_struct(&png, &info); }
};

}  // namespace

bool encodesPngDirectly(FIBITMAP* bitmap) {
    const unsigned depth = FreeImage_GetBPP(bitmap);
    return FreeImage_GetImageType(bitmap) == FIT_BITMAP && (depth == 24 || depth == 32) &&
           FreeImage_GetWidth(bitmap) > 0 && FreeImage_GetHeight(bitmap) > 0;
}

std::optional<std::string> encodePng(FIBITMAP* bitmap, int32_t saveFlags) {
    if (!encodesPngDirectly(bitmap)) return std::nullopt;
    PngShape shape;
    shape.width = FreeImage_GetWidth(bitmap);
    shape.height = FreeImage_GetHeight(bitmap);
    const bool fourBytes = FreeImage_GetBPP(bitmap) == 32;
    shape.hasAlpha = fourBytes && !allOpaque(bitmap);
    shape.paddedPixels = fourBytes && !shape.hasAlpha;
    shape.interlaced = (saveFlags & InterlacedFlag) != 0;
    shape.level = zlibLevel(saveFlags);
    shape.dotsPerMeterX = FreeImage_GetDotsPerMeterX(bitmap);
    shape.dotsPerMeterY = FreeImage_GetDotsPerMeterY(bitmap);
    if (!shape.interlaced) return encodeDirectPng({bitmap, shape.hasAlpha, shape.level});

    std::vector<png_bytep> rows(shape.height);
    for (png_uint_32 y = 0; y < shape.height; ++y)
        rows[y] = FreeImage_GetScanLine(bitmap, static_cast<int>(shape.height - 1 - y));
    std::string bytes;
    // Compressed pictures of drawings shrink well below a quarter of their pixels.
    bytes.reserve(static_cast<size_t>(shape.width) * shape.height + 1024);

    PngWriteDeleter handles;
    handles.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (handles.png == nullptr) return std::nullopt;
    handles.info = png_create_info_struct(handles.png);
    if (handles.info == nullptr) return std::nullopt;
    png_set_write_fn(handles.png, &bytes, appendToString, flushNothing);
    if (!writeRows(handles.png, handles.info, shape, rows.data())) return std::nullopt;
    return bytes;
}

}  // namespace plotvale::engine
