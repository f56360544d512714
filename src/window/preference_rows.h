#pragma once
// What the preferences window shows, as data: each page is a list of rows,
// each row one setting of the page's settings-file group with the kind of
// control that edits it.

#include <string>
#include <utility>
#include <vector>

namespace plotvale::window {

enum class RowKind {
    Flag,      // check box, 0 or 1
    Choice,    // combo box of (label key, code)
    Number,    // spin box within [minimum, maximum]
    Decimal,   // `Image Gamma`
    Text,      // one line of text
    Colour,    // RRGGBB with a colour chooser
    ColourList,// comma-separated RRGGBB colours, shown by name
    Date,      // seconds on the local wall clock
    FontName,  // editable list of the `Fonts` choices
    ImageFile, // a path with a file chooser
    Theme,     // the theme archives found
    Words,     // a text out of fixed words: the choices' label keys are the words
};

struct Choice {
    std::string labelKey;  // group "Preferences"; "" for a row that continues the one above
    int code = 0;
};

struct PreferenceRow {
    RowKind kind;
    std::string key;       // setting key in the page's group
    std::string labelKey;  // group "Preferences"; "" for a row that continues the one above
    std::vector<Choice> choices;
    int minimum = 0;
    int maximum = 0;
    std::string unitKey;  // group "Preferences", "" for none
    std::string formatName = {};  // names the input format of a decoder row
    std::string offeredBy = {};   // a colour row: the key of the list its chooser offers
};

struct PreferencePage {
    std::string group;  // settings-file group, also the page's label key
    std::vector<PreferenceRow> rows;
};

// The nine pages in their order; the Output page holds only the format, its
// per-format rows come from `outputFormatRows`.
const std::vector<PreferencePage>& preferencePages();

// The rows of one output format, in the order of its settings.
std::vector<PreferenceRow> outputFormatRows(const std::string& format);

}  // namespace plotvale::window
