#pragma once
// Colours that the window face shows by name instead of by code.

#include <string>
#include <string_view>
#include <vector>

namespace plotvale::settings {

struct ColourName {
    std::string_view colour;  // RRGGBB, upper case
    std::string_view key;     // key in the "Preferences" message group
};

const std::vector<ColourName>& ColourNameTable();

// The name of a colour, or "Color #RRGGBB" for one without a name.
std::string colourDisplayName(std::string_view colour);

}  // namespace plotvale::settings
