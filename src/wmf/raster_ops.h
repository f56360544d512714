#pragma once
// Binary (ROP2) and ternary raster operations on 0x00RRGGBB pixels. A ternary
// operation's truth table is the third byte of its code: bit (P<<2 | S<<1 | D)
// is the result for pattern P, source S and destination D, applied to every
// bit of the pixels; a binary operation R2_x uses bit (P<<1 | D) of x - 1.

#include <cstdint>

namespace plotvale::wmf {

inline constexpr int R2_COPYPEN = 13;
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;

std::uint32_t applyRop2(int rop2, std::uint32_t pen, std::uint32_t dst);
std::uint32_t applyRop3(std::uint8_t table, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t dst);

// Which inputs a ternary operation reads.
bool rop3UsesSource(std::uint8_t table);
bool rop3UsesPattern(std::uint8_t table);

}  // namespace plotvale::wmf
