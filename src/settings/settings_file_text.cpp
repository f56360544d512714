// The writer's half of the settings file: every group in its fixed order,
// every entry as "key = value", each group closed by a "; " line.

#include <string_view>
#include <variant>
#include <vector>

#include "settings/format_catalogue.h"
#include "settings/settings_file.h"
#include "settings/settings_schema.h"
#include "settings/settings_syntax.h"

namespace plotvale::settings {

namespace {

using Keys = std::vector<std::string_view>;

// The keys an input format adds to the Input group after Format. "wmf" has
// this system's metafile rendering settings.
Keys inputFormatKeys(std::string_view format) {
    if (format == "dds") return {"DDS Load As"};
    if (format == "gif") return {"GIF Frame Loading"};
    if (format == "ico") return {"ICO Frame Loading"};
    if (format == "psd") return {"PSD Color Mode"};
    if (format == "raw")
        return {"RAW Load As", "RAW Header Size", "RAW Image Width", "RAW Image Height",
                "RAW Tone Mapping"};
    if (format == "tiff") return {"TIFF Frame Loading"};
    if (format == "wmf") return {"WMF DPI", "WMF Antialiasing"};
    return {};
}

Keys inputKeys() {
    Keys keys{"Format"};
    for (const std::string& format : InputFormatList()) {
        for (std::string_view key : inputFormatKeys(format)) keys.push_back(key);
    }
    return keys;
}

Keys outputKeys() {
    Keys keys{"Format"};
    for (const std::string& format : OutputFormatList()) {
        for (const std::string& key : findOutputFormat(format)->settingKeys) keys.push_back(key);
    }
    return keys;
}

struct GroupLayout {
    std::string_view name;
    Keys keys;
};

std::vector<GroupLayout> fileLayout(bool withWindow) {
    return {
        {"General", {"CFG", "Language", "Update Range", "Update Date", "Save Window Position"}},
        {"Window", withWindow ? Keys{"IsMaximized", "Width", "Height", "X", "Y"} : Keys{}},
        {"Interface", {"UI Theme", "UI Size"}},
        {"Input", inputKeys()},
        {"Output", outputKeys()},
        {"Transform",
         {"Do Image Rotation", "Image Rotation Type", "Image Rotation",
          "Image Rotation Back Color", "Do Image Resize", "Image Width", "Image Width Unit",
          "Image Height", "Image Height Unit", "Keep Aspect Ratio", "Image Resize Type",
          "Image Resize Algorithm", "Do Image Flip Horizontal", "Do Image Flip Vertical"}},
        {"Adjustment",
         {"Do Image Color Correction", "Image Brightness", "Image Contrast", "Image Gamma",
          "Image Invert", "Do Image Greyscale", "Do Image Threshold", "Image Threshold",
          "Do Image Dither", "Image Dither Algorithm"}},
        {"Frame",
         {"Do Frame", "Solid Left", "Solid Right", "Solid Top", "Solid Bottom",
          "Solid Left Color", "Solid Right Color", "Solid Top Color", "Solid Bottom Color",
          "Solid Opacity"}},
        {"Watermark",
         {"Do Watermark",   "Text",           "Fonts",          "Font",
          "Font Size",      "Font Leading",   "Font Colors",    "Font Color",
          "Font Style",     "Font Effect",    "Text Antialiasing", "Text Alignment",
          "Text Padding",   "Text Opacity",   "Back Colors",    "Back Color",
          "Back Opacity",   "Text Boundary",  "Text Position",  "Text X Offset",
          "Text Y Offset",  "Text Rotation",  "Text Size",      "Text Scale",
          "Image",          "Image Greyscale", "Image Opacity", "Image Boundary",
          "Image Position", "Image X Offset", "Image Y Offset", "Image Rotation",
          "Image Size",     "Image Scale"}},
        {"Advanced",
         {"Filename Mask", "File Timestamp", "Custom Timestamp", "Out Folders History",
          "Out Folders Number", "Keep Subfolders"}},
        {"File", {"Recent Out Folders", "Recent Files"}},
        {"Privacy", {"Clean Recent Files"}},
    };
}

// A line break in a text would end the entry and start a forged one; the
// syntax cannot hold it, so it is written as a blank.
std::string singleLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

std::string valueText(const SettingSlot& slot) {
    if (auto* narrow = std::get_if<int8_t*>(&slot)) return std::to_string(**narrow);
    if (auto* wide = std::get_if<int32_t*>(&slot)) return std::to_string(**wide);
    if (auto* real = std::get_if<float*>(&slot)) return formatDecimal(**real);
    return singleLine(*std::get<std::string*>(slot));
}

}  // namespace

std::string settingsFileText(const ConverterSettings& settings) {
    ConverterSettings written = settings;
    written.general.cfg = SettingsFileVersion;
    std::string text = "\xEF\xBB\xBF\r\n";
    for (const GroupLayout& group : fileLayout(settings.general.saveWindowPosition != 0)) {
        text += "[" + std::string(group.name) + "]\r\n";
        for (std::string_view key : group.keys) {
            const SettingField* field = findSetting(group.name, key);
            text += std::string(key) + " = " + valueText(field->locate(written)) + "\r\n";
        }
        text += "; \r\n";
    }
    return text;
}

}  // namespace plotvale::settings
