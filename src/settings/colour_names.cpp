#include "settings/colour_names.h"

#include "settings/message_table.h"
#include "settings/text_case.h"

namespace plotvale::settings {

const std::vector<ColourName>& ColourNameTable() {
    static const std::vector<ColourName> table = {
        {"000000", "Black"},  {"C0C0C0", "Silver"}, {"808080", "Gray"},   {"FFFFFF", "White"},
        {"800000", "Maroon"}, {"FF0000", "Red"},    {"800080", "Purple"}, {"FF00FF", "Fuchsia"},
        {"008000", "Green"},  {"00FF00", "Lime"},   {"808000", "Olive"},  {"FFFF00", "Yellow"},
        {"000080", "Navy"},   {"0000FF", "Blue"},   {"008080", "Teal"},   {"00FFFF", "Aqua"},
        {"FF8000", "Orange"}, {"804000", "Brown"},  {"8000FF", "Violet"},
    };
    return table;
}

std::string colourDisplayName(std::string_view colour) {
    const std::string code = toUpperAscii(colour);
    for (const ColourName& row : ColourNameTable()) {
        if (row.colour == code) return getText("Preferences", row.key);
    }
    return getText("Preferences", "Color") + " #" + code;
}

}  // namespace plotvale::settings
