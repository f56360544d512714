#pragma once
// GDI's hatch brushes on their 8 x 8 device-pixel grid, aligned to the
// device origin: the horizontal line on row 3, the vertical one on column 4.

namespace plotvale::wmf {

// True where hatch style 'style' draws at device pixel (x, y). Styles beyond
// the six defined ones paint solid, as GDI does.
inline bool hatchCovers(int style, int x, int y) {
    x &= 7;
    y &= 7;
    switch (style) {
    case 0: return y == 3;                    // HS_HORIZONTAL
    case 1: return x == 4;                    // HS_VERTICAL
    case 2: return x == y;                    // HS_FDIAGONAL
    case 3: return x + y == 7;                // HS_BDIAGONAL
    case 4: return x == 4 || y == 3;          // HS_CROSS
    case 5: return x == y || x + y == 7;      // HS_DIAGCROSS
    default: return true;
    }
}

}  // namespace plotvale::wmf
