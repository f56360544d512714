#pragma once
// Plain geometry and colour values shared by the drawing layer and its users.

#include <cstdint>
#include <vector>

namespace plotvale::canvas {

struct Point {
    double x = 0;
    double y = 0;
};

// Integer rectangle in device pixels; right and bottom are exclusive.
struct RectI {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct RectD {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// Straight (not premultiplied) 8-bit colour.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
    bool operator==(const Color&) const = default;
};

enum class FillRule { EvenOdd, NonZero };
enum class LineCap { Butt, Round, Square };
enum class LineJoin { Miter, Round, Bevel };

struct StrokeStyle {
    double width = 1.0;
    LineCap cap = LineCap::Round;
    LineJoin join = LineJoin::Round;
    double miterLimit = 10.0;
    std::vector<double> dashes;  // on/off lengths in pixels; empty draws solid
    double dashOffset = 0.0;
};

}  // namespace plotvale::canvas
