#pragma once
// The INI-like syntax shared by the settings file and profile files:
// groups in brackets, "key = value" entries, ";" comments, CR / LF / CR LF
// line ends; the text is decoded as settings/text_file.h says (a byte-order
// mark, else UTF-8 when the bytes are valid UTF-8, else ISO 8859-1).
// Group names and keys match without regard to ASCII case; a lookup uses the
// first group line of a name only.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plotvale::settings {

struct SettingsEntry {
    std::string key;    // as written, trailing blanks removed
    std::string value;  // leading and trailing blanks and tabs removed
};

class SettingsDocument {
public:
    // Decodes the file's bytes and splits them into lines. Never fails: a
    // line that is neither a group, a comment nor holds "=" is skipped.
    static SettingsDocument parse(std::string_view bytes);

    // The value of the first entry named `key` in the first group named
    // `group`; empty when either is missing.
    std::optional<std::string> value(std::string_view group, std::string_view key) const;

    // All entries of the first group named `group`, in file order.
    std::vector<SettingsEntry> entries(std::string_view group) const;

private:
    struct Group {
        std::string name;
        std::vector<SettingsEntry> entries;
    };
    const Group* findGroup(std::string_view name) const;

    std::vector<Group> groups_;
};

// Value forms of the settings syntax, read in the C locale manner.
// An integer is optional blanks, an optional sign and decimal digits; no
// digits read as 0.
int64_t readSettingsInteger(std::string_view text);

// A decimal number with "." as the point; "+Infinity", "-Infinity" and "NaN"
// in any case stand for the special values; unreadable text is 0.
float readDecimal(std::string_view text);

// Writes a float as the settings file does: six decimals, or the words of
// the special values.
std::string formatDecimal(float value);

}  // namespace plotvale::settings
