// Palette records. A palette object stays live while it is selected:
// SETPALENTRIES and ANIMATEPALETTE rewrite entries of the selected palette,
// RESIZEPALETTE changes its size, and DIBs with palette-index colours drawn
// afterwards see the change.

#include <algorithm>

#include "wmf/player.h"
#include "wmf/record_functions.h"

namespace plotvale::wmf {
namespace {

PaletteObject* paletteAt(ObjectTable& objects, int index) {
    if (index < 0) return nullptr;
    GdiObject* o = objects.get(static_cast<std::size_t>(index));
    return o ? std::get_if<PaletteObject>(o) : nullptr;
}

}  // namespace

// The selected palette's colours as its object holds them now (a restored
// state may name a palette changed since it was saved).
void Player::refreshPalette() {
    if (const PaletteObject* p = paletteAt(objects_, s_.paletteIndex)) s_.palette = p->colors;
}

bool Player::playPalette(const Record& r) {
    switch (r.function()) {
    case META_SELECTPALETTE:
        if (paletteAt(objects_, r.uword(0))) {
            s_.paletteIndex = r.uword(0);
            refreshPalette();
        }
        return true;
    case META_SETPALENTRIES: case META_ANIMATEPALETTE: {
        PaletteObject* p = paletteAt(objects_, s_.paletteIndex);
        if (p == nullptr) return true;
        const std::size_t start = r.uword(0);
        const std::size_t count = std::min<std::size_t>(r.uword(1), r.size() > 4 ? (r.size() - 4) / 4 : 0);
        // ANIMATEPALETTE changes existing entries only; SETPALENTRIES likewise
        // within the palette's size.
        for (std::size_t i = 0; i < count && start + i < p->colors.size(); ++i)
            p->colors[start + i] = colorRef(r, 4 + 4 * i);
        refreshPalette();
        return true;
    }
    case META_RESIZEPALETTE: {
        PaletteObject* p = paletteAt(objects_, s_.paletteIndex);
        if (p == nullptr) return true;
        p->colors.resize(std::min<std::size_t>(r.uword(0), kMaxPaletteEntries), 0);
        refreshPalette();
        return true;
    }
    default: return false;
    }
}

}  // namespace plotvale::wmf
