// The text watermark: its text with the file-name placeholders expanded, laid
// out in lines on a canvas of its own with padding and a background box.

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/canvas_bitmap.h"
#include "engine/overlays.h"
#include "settings/utf8_text.h"
#include "engine/watermark.h"
#include "settings/text_case.h"

namespace plotvale::engine {
namespace {

using canvas::Canvas;
using settings::WatermarkSettings;

constexpr std::string_view LineBreak = "%eol%";
// Lines of a text with line breaks are never narrower or lower than this.
constexpr int SmallestLineSide = 10;

int countLineBreaks(std::string_view text) {
    const std::string lowered = settings::toLowerAscii(text);
    int count = 0;
    for (size_t at = lowered.find(LineBreak); at != std::string::npos;
         at = lowered.find(LineBreak, at + LineBreak.size()))
        ++count;
    return count;
}

std::vector<std::string> splitLines(std::string_view text) {
    const std::string marked = settings::replaceAllIgnoringCase(text, LineBreak, LineBreak);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = marked.find(LineBreak); at != std::string::npos;
         at = marked.find(LineBreak, start)) {
        lines.push_back(marked.substr(start, at - start));
        start = at + LineBreak.size();
    }
    lines.push_back(marked.substr(start));
    return lines;
}

// The lines with their widths and the canvas they need.
struct TextLayout {
    std::vector<std::u32string> lines;
    std::vector<int> widths;
    int ascent = 0;
    int lineHeight = 0;  // the cell height of one line
    int step = 0;        // from one line's top to the next
    bool multiLine = false;
    int canvasWidth = 0;
    int canvasHeight = 0;
};

TextLayout layOutText(const WatermarkSettings& w, const canvas::Font& font, std::string_view text) {
    TextLayout layout;
    const canvas::FontMetrics metrics = font.metrics();
    layout.ascent = static_cast<int>(std::lround(metrics.ascent));
    const int cellHeight = layout.ascent + static_cast<int>(std::lround(metrics.descent));
    const int breaks = countLineBreaks(text);
    layout.multiLine = breaks > 0;
    for (const std::string& line :
         layout.multiLine ? splitLines(text) : std::vector{std::string(text)}) {
        layout.lines.push_back(settings::decodeUtf8(line));
        layout.widths.push_back(static_cast<int>(std::lround(font.measure(layout.lines.back()))));
    }
    const int widest = *std::max_element(layout.widths.begin(), layout.widths.end());
    if (layout.multiLine) {
        layout.lineHeight = std::max(cellHeight, SmallestLineSide);
        layout.step = layout.lineHeight + w.fontLeading;
        layout.canvasWidth = std::max(widest, SmallestLineSide);
        layout.canvasHeight = layout.lineHeight + breaks * layout.step;
    } else {
        layout.lineHeight = cellHeight;
        layout.canvasWidth = widest;
        layout.canvasHeight = cellHeight;
    }
    layout.canvasWidth += 2 * w.textPadding;
    layout.canvasHeight += 2 * w.textPadding;
    return layout;
}

// Where line i starts; a single line sits at the padding whatever the alignment.
canvas::Point lineOrigin(const WatermarkSettings& w, const TextLayout& layout, std::size_t i) {
    const int x = layout.multiLine ? lineX(w, layout.widths[i], layout.canvasWidth) : w.textPadding;
    const int top = w.textPadding + static_cast<int>(i) * layout.step;
    return {static_cast<double>(x), static_cast<double>(top + layout.ascent)};
}

// Plain text: hinted one-bit glyphs, each line on a cell of the background
// colour, all over a background box, blended as they are drawn.
std::optional<Canvas> drawPlainText(const WatermarkSettings& w, const canvas::Font& font,
                                    const TextLayout& layout) {
    auto canvas = Canvas::create(layout.canvasWidth, layout.canvasHeight);
    if (!canvas) return std::nullopt;
    canvas->setAntialias(false);
    const canvas::Color back = colorWithAlpha(w.backColor, w.backOpacity);
    const canvas::Color ink = colorWithAlpha(w.fontColor, w.textOpacity);
    canvas::Path box;
    box.addRect(
        {0, 0, static_cast<double>(layout.canvasWidth), static_cast<double>(layout.canvasHeight)});
    canvas->fillPath(box, canvas::FillRule::NonZero, back);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const canvas::Point origin = lineOrigin(w, layout, i);
        canvas::Path cell;
        cell.addRect({origin.x, origin.y - layout.ascent, static_cast<double>(layout.widths[i]),
                      static_cast<double>(layout.lineHeight)});
        canvas->fillPath(cell, canvas::FillRule::NonZero, back);
        canvas->drawText(font, layout.lines[i], {origin}, ink);
    }
    return canvas;
}

// Anti-aliased text: an opaque background and opaque text on canvases of
// their own, each laid on the result with its opacity.
std::optional<Canvas> drawSmoothText(const WatermarkSettings& w, const canvas::Font& font,
                                     const TextLayout& layout) {
    auto back = Canvas::create(layout.canvasWidth, layout.canvasHeight);
    auto text = Canvas::create(layout.canvasWidth, layout.canvasHeight);
    auto result = Canvas::create(layout.canvasWidth, layout.canvasHeight);
    if (!back || !text || !result) return std::nullopt;
    back->clear(colorWithAlpha(w.backColor, 255));
    const canvas::Color ink = colorWithAlpha(w.fontColor, 255);
    for (std::size_t i = 0; i < layout.lines.size(); ++i)
        text->drawText(font, layout.lines[i], {lineOrigin(w, layout, i)}, ink);
    result->drawCanvas(*back, {0, 0}, std::clamp(w.backOpacity, 0, 255) / 255.0);
    result->drawCanvas(*text, {0, 0}, std::clamp(w.textOpacity, 0, 255) / 255.0);
    return result;
}

}  // namespace

std::string expandWatermarkText(const WatermarkSettings& watermark, const ConversionJob& job,
                                const WallClock& clock) {
    const std::string& written = watermark.text;
    if (std::count(written.begin(), written.end(), '%') < 2) return written;
    const std::string lowered = settings::toLowerAscii(written);
    std::string text = written;
    for (const std::string_view placeholder : FilenamePlaceholders) {
        if (lowered.find(placeholder) != std::string::npos)
            text = expandPlaceholder(text, placeholder, job, clock);
    }
    return text;
}

int lineX(const WatermarkSettings& watermark, int lineWidth, int canvasWidth) {
    switch (watermark.textAlignment) {
    case 0: return watermark.textPadding;
    case 1: {
        const double half = (static_cast<double>(canvasWidth) - lineWidth) / 2.0;
        return static_cast<int>(half > 0 ? std::floor(half + 0.5) : std::ceil(half - 0.5));
    }
    case 2: return canvasWidth - lineWidth - watermark.textPadding;
    default: return 0;
    }
}

canvas::Bitmap makeTextWatermark(const WatermarkSettings& watermark, const canvas::Font& font,
                                 std::string_view text) {
    const TextLayout layout = layOutText(watermark, font, text);
    const auto canvas = watermark.textAntialiasing == 0 ? drawPlainText(watermark, font, layout)
                                                        : drawSmoothText(watermark, font, layout);
    return canvas ? canvas::toBitmap(*canvas) : canvas::Bitmap();
}

}  // namespace plotvale::engine
