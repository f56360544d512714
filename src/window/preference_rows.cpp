#include "window/preference_rows.h"

#include <utility>

#include "batch/run_checks.h"
#include "settings/format_catalogue.h"
#include "settings/text_case.h"

namespace plotvale::window {

namespace {

// Ranges the batch run accepts, and wide ones where it checks none.
constexpr int Wide = 100000;

PreferenceRow flag(std::string key, std::string label) {
    return {RowKind::Flag, std::move(key), std::move(label), {}, 0, 1, {}};
}
PreferenceRow choice(std::string key, std::string label, std::vector<Choice> choices) {
    return {RowKind::Choice, std::move(key), std::move(label), std::move(choices), 0, 0, {}};
}
PreferenceRow number(std::string key, std::string label, int minimum, int maximum,
                     std::string unit = {}) {
    return {RowKind::Number, std::move(key), std::move(label), {}, minimum, maximum, std::move(unit)};
}
PreferenceRow words(std::string key, std::string label, const std::vector<std::string>& texts) {
    std::vector<Choice> choices;
    for (const std::string& text : texts) choices.push_back({text, 0});
    return {RowKind::Words, std::move(key), std::move(label), std::move(choices), 0, 0, {}};
}
PreferenceRow plain(RowKind kind, std::string key, std::string label) {
    return {kind, std::move(key), std::move(label), {}, 0, 0, {}};
}

// A colour whose chooser offers the colours of the list row `listKey`.
PreferenceRow offeredColour(std::string key, std::string label, std::string listKey) {
    PreferenceRow row = plain(RowKind::Colour, std::move(key), std::move(label));
    row.offeredBy = std::move(listKey);
    return row;
}

// The decoder rows of the input formats share captions; the format's name
// tells them apart.
PreferenceRow decoder(std::string formatName, PreferenceRow row) {
    row.formatName = std::move(formatName);
    return row;
}

const std::vector<Choice> Frames = {{"All Frames", 0}, {"First Frame", 1}, {"Middle Frame", 2},
                                    {"Last Frame", 3}, {"Random Frame", 4}};
const std::vector<Choice> ColourModes = {{"RGB", 0}, {"CMYK", 1}, {"LAB", 2}};
const std::vector<Choice> Units = {{"Pixels", 0}, {"Percent", 1}};
const std::vector<Choice> Positions = {
    {"Top-Left", 0},    {"Top-Center", 1},    {"Top-Right", 2},
    {"Middle-Left", 3}, {"Middle-Center", 4}, {"Middle-Right", 5},
    {"Bottom-Left", 6}, {"Bottom-Center", 7}, {"Bottom-Right", 8}};
const std::vector<Choice> Boundaries = {{"Bound Image", 0}, {"Bound Frame", 1}};
const std::vector<Choice> Sizes = {{"Fixed", 0}};

PreferencePage generalPage() {
    return {"General",
            {words("Language", "Language", {"en"}),
             choice("Update Range", "Check for Updates",
                    {{"Every day", 0}, {"Every week", 1}, {"Every month", 2},
                     {"Every 3 months", 3}, {"Every 6 months", 4}, {"Never", 5}}),
             flag("Save Window Position", "Save window position")}};
}

PreferencePage interfacePage() {
    return {"Interface",
            {plain(RowKind::Theme, "UI Theme", "UI Theme"),
             choice("UI Size", "UI Size",
                    {{"Small", 0}, {"Medium", 1}, {"Large", 2}, {"Extra Large", 3}, {"Huge", 4}})}};
}

PreferencePage inputPage() {
    return {"Input",
            {words("Format", "Input Format", settings::InputFormatList()),
             number("WMF DPI", "WMF DPI", batch::MetafileDpiRange.minimum, batch::MetafileDpiRange.maximum),
             flag("WMF Antialiasing", "Antialiasing"),
             decoder("DDS", choice("DDS Load As", "Load As", {{"Auto", 0}, {"BGRA", 1}, {"RGBA", 2}})),
             decoder("GIF", choice("GIF Frame Loading", "Frame Loading", Frames)),
             decoder("ICO", choice("ICO Frame Loading", "Frame Loading", Frames)),
             decoder("TIFF", choice("TIFF Frame Loading", "Frame Loading", Frames)),
             decoder("PSD", choice("PSD Color Mode", "Color Mode", ColourModes)),
             decoder("RAW", choice("RAW Load As", "Load As",
                                   {{"Auto", 0}, {"RGB8", 1}, {"RGB16", 2}, {"RGB24", 3},
                                    {"RGB48HS", 4}, {"RGB48", 5}})),
             decoder("RAW", number("RAW Header Size", "Header Size", 0, Wide * 1000, "Bytes")),
             decoder("RAW", number("RAW Image Width", "Image Width", 0, Wide, "Pixels")),
             decoder("RAW", number("RAW Image Height", "Image Height", 0, Wide, "Pixels")),
             decoder("RAW", choice("RAW Tone Mapping", "Tone Mapping",
                                   {{"None", 0}, {"Linear", 1}, {"Adaptive Logarithmic", 2},
                                    {"DR Reduction", 3}, {"Gradient Domain", 4}}))}};
}

PreferencePage transformPage() {
    return {"Transform",
            {flag("Do Image Rotation", "Image Rotation"),
             choice("Image Rotation Type", "Rotation Type",
                    {{"Simple Rotation", 0}, {"Advanced Rotation", 1}}),
             number("Image Rotation", "Rotation Angle", -360, 360),
             plain(RowKind::Colour, "Image Rotation Back Color", "Background Color"),
             flag("Do Image Resize", "Image Resize"),
             number("Image Width", "Image Width", 0, Wide),
             choice("Image Width Unit", "", Units),
             number("Image Height", "Image Height", 0, Wide),
             choice("Image Height Unit", "", Units),
             flag("Keep Aspect Ratio", "Keep Aspect Ratio"),
             choice("Image Resize Type", "Resize Type", {{"All Images", 0}, {"Large Images", 1}}),
             choice("Image Resize Algorithm", "Resize Algorithm",
                    {{"Box", 0}, {"Bilinear", 1}, {"Bspline", 2}, {"Bicubic", 3}, {"Catmullrom", 4},
                     {"Lanczos", 5}}),
             flag("Do Image Flip Horizontal", "Image Flip Horizontal"),
             flag("Do Image Flip Vertical", "Image Flip Vertical")}};
}

PreferencePage adjustmentPage() {
    return {"Adjustment",
            {flag("Do Image Color Correction", "Color"),
             number("Image Brightness", "Image Brightness", batch::AdjustmentPercentRange.minimum,
                    batch::AdjustmentPercentRange.maximum, "Percent"),
             number("Image Contrast", "Image Contrast", batch::AdjustmentPercentRange.minimum,
                    batch::AdjustmentPercentRange.maximum, "Percent"),
             plain(RowKind::Decimal, "Image Gamma", "Image Gamma"),
             flag("Image Invert", "Image Invert"),
             flag("Do Image Greyscale", "Image Greyscale"),
             flag("Do Image Threshold", "Image Threshold"),
             number("Image Threshold", "Threshold Level", 0, 255),
             flag("Do Image Dither", "Image Dither"),
             choice("Image Dither Algorithm", "Dither Algorithm",
                    {{"FS", 0}, {"Bayer4", 1}, {"Bayer8", 2}, {"Bayer16", 3}, {"Cluster6", 4},
                     {"Cluster8", 5}, {"Cluster16", 6}})}};
}

PreferencePage framePage() {
    return {"Frame",
            {choice("Do Frame", "Frame Type", {{"None", 0}, {"Frame Solid", 1}}),
             number("Solid Left", "Left", 0, Wide, "Pixels"),
             number("Solid Right", "Right", 0, Wide, "Pixels"),
             number("Solid Top", "Top", 0, Wide, "Pixels"),
             number("Solid Bottom", "Bottom", 0, Wide, "Pixels"),
             plain(RowKind::Colour, "Solid Left Color", "Left Color"),
             plain(RowKind::Colour, "Solid Right Color", "Right Color"),
             plain(RowKind::Colour, "Solid Top Color", "Top Color"),
             plain(RowKind::Colour, "Solid Bottom Color", "Bottom Color"),
             number("Solid Opacity", "Opacity", 0, 255)}};
}

// Where a text or image watermark goes, how it turns and how large it is:
// the same rows under the prefix of either kind.
std::vector<PreferenceRow> placementRows(const std::string& kind) {
    return {choice(kind + " Boundary", "Boundary", Boundaries),
            choice(kind + " Position", "Position", Positions),
            number(kind + " X Offset", "X-Offset", -Wide, Wide, "Pixels"),
            number(kind + " Y Offset", "Y-Offset", -Wide, Wide, "Pixels"),
            number(kind + " Rotation", "Image Rotation", -360, 360),
            choice(kind + " Size", "Size", Sizes),
            number(kind + " Scale", "Scale", 0, Wide)};
}

std::vector<PreferenceRow> joined(std::vector<PreferenceRow> first, const std::vector<PreferenceRow>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

PreferencePage watermarkPage() {
    std::vector<PreferenceRow> rows = joined({choice("Do Watermark", "Watermark Type",
                    {{"None", 0}, {"Watermark Text", 1}, {"Watermark Image", 2}}),
             plain(RowKind::Text, "Text", "Text"),
             plain(RowKind::Text, "Fonts", "Fonts"),
             plain(RowKind::FontName, "Font", "Font"),
             number("Font Size", "Font Size", 1, 1000, "Points"),
             number("Font Leading", "Font Leading", -1000, 1000, "Pixels"),
             plain(RowKind::ColourList, "Font Colors", "Font Colors"),
             offeredColour("Font Color", "Font Color", "Font Colors"),
             choice("Font Style", "Font Style",
                    {{"Regular", 0}, {"Bold", 1}, {"Italic", 2}, {"Bold Italic", 3}}),
             choice("Font Effect", "Font Effect", {{"None", 0}, {"Underline", 1}, {"Strikeout", 2}}),
             flag("Text Antialiasing", "Antialiasing"),
             choice("Text Alignment", "Text Alignment",
                    {{"Align Left", 0}, {"Align Center", 1}, {"Align Right", 2}}),
             number("Text Padding", "Text Padding", 0, Wide, "Pixels"),
             number("Text Opacity", "Text Opacity", 0, 255),
             plain(RowKind::ColourList, "Back Colors", "Back Colors"),
             offeredColour("Back Color", "Background Color", "Back Colors"),
             number("Back Opacity", "Background Opacity", 0, 255),
         },
        placementRows("Text"));
    rows = joined(std::move(rows), {plain(RowKind::ImageFile, "Image", "Image"),
                                    flag("Image Greyscale", "Image Greyscale"),
                                    number("Image Opacity", "Opacity", 0, 255)});
    rows = joined(std::move(rows), placementRows("Image"));
    return {"Watermark", rows};
}

PreferencePage advancedPage() {
    return {"Advanced",
            {plain(RowKind::Text, "Filename Mask", "Filename Mask"),
             choice("File Timestamp", "File Timestamp", {{"Current", 0}, {"Original", 1}, {"Custom", 2}}),
             plain(RowKind::Date, "Custom Timestamp", "Custom Timestamp"),
             choice("Out Folders History", "Out Folders History",
                    {{"Clean On Exit", 0}, {"Keep Folders", 1}}),
             number("Out Folders Number", "Out Folders Number", 1, 50),
             flag("Keep Subfolders", "Keep Subfolders")}};
}

std::vector<Choice> depthChoices(const settings::OutputFormat& format) {
    std::vector<Choice> choices = {{"Auto", 0}};
    size_t start = 0;
    const std::string& depths = format.allowedDepths;
    while (start < depths.size()) {
        const size_t end = std::min(depths.find(',', start), depths.size());
        const std::string depth = depths.substr(start, end - start);
        if (!depth.empty()) choices.push_back({depth, std::stoi(depth)});
        start = end + 1;
    }
    return choices;
}

std::vector<Choice> compressionChoices(const std::string& format) {
    std::vector<Choice> choices;
    for (int code = 0;; ++code) {
        const std::string keyword = batch::compressionKeyword(format, code);
        if (keyword.empty()) return choices;
        choices.push_back({keyword, code});
    }
}

PreferenceRow formatRow(const settings::OutputFormat& format, const std::string& key) {
    if (key.ends_with(" BPP")) return choice(key, "Bits Per Pixel", depthChoices(format));
    if (key.ends_with(" Compression")) return choice(key, "Compression", compressionChoices(format.key));
    if (key.ends_with(" Quality")) return number(key, "Image Quality", batch::QualityRange.minimum, batch::QualityRange.maximum, "Percent");
    if (key == "BMP Color Table") return choice(key, "Color Table", {{"Auto", 0}, {"Exact", 1}});
    if (key == "JPG Chroma")
        return choice(key, "Chroma Subsampling", {{"None", 0}, {"Low", 1}, {"Medium", 2}, {"High", 3}});
    if (key == "JPG Save As")
        return choice(key, "Save As", {{"Baseline Standard", 0}, {"Baseline Simple", 1},
                                       {"Baseline Optimized", 2}, {"Progressive", 3}});
    if (key == "TIFF Color Mode") return choice(key, "Color Mode", ColourModes);
    return flag(key, "Interlaced");
}

}  // namespace

const std::vector<PreferencePage>& preferencePages() {
    static const std::vector<PreferencePage> pages = {
        generalPage(),   interfacePage(),  inputPage(),     {"Output", {}}, transformPage(),
        adjustmentPage(), framePage(),     watermarkPage(), advancedPage()};
    return pages;
}

std::vector<PreferenceRow> outputFormatRows(const std::string& format) {
    std::vector<PreferenceRow> rows;
    const settings::OutputFormat* row = settings::findOutputFormat(format);
    if (row == nullptr) return rows;
    for (const std::string& key : row->settingKeys) rows.push_back(formatRow(*row, key));
    return rows;
}

}  // namespace plotvale::window
