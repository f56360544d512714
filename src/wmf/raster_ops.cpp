#include "wmf/raster_ops.h"

namespace plotvale::wmf {

std::uint32_t applyRop2(int rop2, std::uint32_t pen, std::uint32_t dst) {
    if (rop2 < 1 || rop2 > 16) rop2 = R2_COPYPEN;
    const unsigned table = static_cast<unsigned>(rop2 - 1);
    std::uint32_t out = 0;
    for (unsigned i = 0; i < 4; ++i) {
        if (!((table >> i) & 1)) continue;
        out |= ((i & 2) ? pen : ~pen) & ((i & 1) ? dst : ~dst);
    }
    return out & 0xFFFFFFu;
}

std::uint32_t applyRop3(std::uint8_t table, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t dst) {
    switch (table) {
    case 0xCC: return source & 0xFFFFFFu;
    case 0xF0: return pattern & 0xFFFFFFu;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFu;
    case 0x66: return (source ^ dst) & 0xFFFFFFu;
    case 0x88: return source & dst & 0xFFFFFFu;
    case 0xEE: return (source | dst) & 0xFFFFFFu;
    default: break;
    }
    std::uint32_t out = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((table >> i) & 1)) continue;
        out |= ((i & 4) ? pattern : ~pattern) & ((i & 2) ? source : ~source) & ((i & 1) ? dst : ~dst);
    }
    return out & 0xFFFFFFu;
}

// S matters when swapping it changes the table: compare bits with S=0 and S=1.
bool rop3UsesSource(std::uint8_t t) { return ((t >> 2) & 0x33) != (t & 0x33); }
bool rop3UsesPattern(std::uint8_t t) { return ((t >> 4) & 0x0F) != (t & 0x0F); }

}  // namespace plotvale::wmf
