#pragma once
// Hand-over of a canvas to FreeImage.

#include "canvas/canvas.h"
#include "canvas/freeimage_bitmap.h"

namespace plotvale::canvas {

// A 32-bit FreeImage bitmap with the canvas's pixels: straight (not
// premultiplied) alpha, FreeImage's bottom-up row order. Empty on failure.
Bitmap toBitmap(const Canvas& canvas);

// Drawing straight into a new 32-bit bitmap, without a second copy of the
// picture: the canvas works on the bitmap's memory (rows top-down,
// premultiplied) until finish() turns it into a FreeImage bitmap (rows
// bottom-up, straight alpha) and hands it over. The canvas must not be used
// after finish().
class CanvasOnBitmap {
public:
    // nullopt when the bitmap cannot be allocated or Cairo cannot use its rows.
    static std::optional<CanvasOnBitmap> create(int width, int height);
    Canvas& canvas() { return *canvas_; }
    Bitmap finish();

private:
    Bitmap bitmap_;
    std::optional<Canvas> canvas_;
};

// A canvas holding a FreeImage bitmap of any depth (converted to 32 bits;
// straight alpha is premultiplied), for drawing images onto canvases.
// nullopt when the bitmap is empty or cannot be converted.
std::optional<Canvas> fromBitmap(FIBITMAP* bitmap);

}  // namespace plotvale::canvas
