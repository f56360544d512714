#pragma once
// Decoding of device-independent bitmaps (BITMAPCOREHEADER and
// BITMAPINFOHEADER; 1, 4, 8, 16, 24 and 32 bits; BI_RGB, BI_RLE8, BI_RLE4,
// BI_BITFIELDS; JPEG and PNG payloads) and of the old Bitmap16 objects.
// Every read and write is bounded: missing data reads as zero.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace plotvale::wmf {

// Pixels 0x00RRGGBB, rows top-down; kUnpainted marks the pixels an RLE
// bitmap skips, which leave the destination as it is.
struct Image {
    static constexpr std::uint32_t kUnpainted = 0x01000000u;
    int width = 0;
    int height = 0;
    bool bottomUp = false;  // stored bottom row first, as most DIBs are
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr long long kMaxImagePixels = 1LL << 26;

// palette: the selected logical palette (0x00RRGGBB), used with
// DIB_PAL_COLORS (colorUsage 1). Images of more than maxPixels (or than
// their data can describe) are refused before they are allocated.
std::optional<Image> decodeDib(std::string_view dib, int colorUsage,
                               const std::vector<std::uint32_t>& palette,
                               long long maxPixels = kMaxImagePixels);

// A Bitmap16 object: monochrome bits use foreground for 0 and background for 1,
// as GDI maps a monochrome bitmap onto a colour device.
std::optional<Image> decodeBitmap16(std::string_view data, std::uint32_t foreground,
                                    std::uint32_t background, long long maxPixels = kMaxImagePixels);

// Size in bytes of a DIB's header and colour table, for records that carry
// a DIB followed by other data; 0 when the header is not readable.
std::size_t dibHeaderBytes(std::string_view dib);

}  // namespace plotvale::wmf
