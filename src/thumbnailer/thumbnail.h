#pragma once
// Thumbnails for file managers: a metafile drawn by the player, anti-aliased,
// scaled to fit a square of the requested size, written as PNG through the
// engine's resize and save steps (a side file renamed into place, so a
// failure leaves no partial picture under the output name).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plotvale::thumbnailer {

// Sizes a thumbnail may ask for (freedesktop asks for 128 to 1024).
inline constexpr int SmallestSize = 1;
inline constexpr int LargestSize = 4096;

// The size argument as a number within the bounds, else nothing.
std::optional<int> readSize(std::string_view text);

// The resolution at which a picture whose longer side is `longSide` pixels
// at `atDpi` becomes at least `size` pixels long, at least 1.
int fittingDpi(double longSide, int atDpi, int size);

// Renders input and writes the PNG; false when the input is no metafile the
// player can draw or the picture cannot be written.
bool writeThumbnail(const std::string& input, const std::string& output, int size);

}  // namespace plotvale::thumbnailer
