#include "wmf/text_order.h"

#include <fribidi.h>

#include <algorithm>

namespace plotvale::wmf {
namespace {

bool hasRightToLeft(const std::u32string& text) {
    return std::any_of(text.begin(), text.end(), [](char32_t c) {
        return c >= 0x0590 && FRIBIDI_IS_RTL(fribidi_get_bidi_type(static_cast<FriBidiChar>(c)));
    });
}

}  // namespace

bool toVisualOrder(DecodedText& text, const std::vector<int>* dx, std::vector<int>& orderedDx, bool rtlBase) {
    if (!hasRightToLeft(text.text)) return false;
    const auto n = static_cast<FriBidiStrIndex>(text.text.size());
    std::vector<FriBidiChar> logical(text.text.begin(), text.text.end()), visual(text.text.size());
    std::vector<FriBidiStrIndex> visualToLogical(text.text.size());
    FriBidiParType base = rtlBase ? FRIBIDI_PAR_RTL : FRIBIDI_PAR_LTR;
    if (fribidi_log2vis(logical.data(), n, &base, visual.data(), nullptr, visualToLogical.data(), nullptr) == 0) return false;
    // Each character's first byte, to move the dx widths with it.
    std::vector<std::size_t> firstByte(text.bytesPerChar.size() + 1, 0);
    for (std::size_t i = 0; i < text.bytesPerChar.size(); ++i) firstByte[i + 1] = firstByte[i] + text.bytesPerChar[i];
    DecodedText ordered;
    orderedDx.clear();
    for (FriBidiStrIndex v = 0; v < n; ++v) {
        const auto from = static_cast<std::size_t>(visualToLogical[static_cast<std::size_t>(v)]);
        ordered.text.push_back(static_cast<char32_t>(visual[static_cast<std::size_t>(v)]));
        ordered.bytesPerChar.push_back(text.bytesPerChar[from]);
        if (dx)
            for (std::size_t b = firstByte[from]; b < firstByte[from + 1]; ++b)
                orderedDx.push_back(b < dx->size() ? (*dx)[b] : 0);
    }
    text = std::move(ordered);
    return true;
}

}  // namespace plotvale::wmf
