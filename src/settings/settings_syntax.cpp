#include "settings/settings_syntax.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "settings/text_case.h"
#include "settings/text_file.h"

namespace plotvale::settings {

namespace {

constexpr std::string_view Blanks = " \t";

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

SettingsDocument SettingsDocument::parse(std::string_view bytes) {
    SettingsDocument document;
    const std::string text = decodeTextFile(bytes);
    Group* current = nullptr;
    for (std::string_view line : splitLines(text)) {
        const auto start = line.find_first_not_of(Blanks);
        if (start == std::string_view::npos) continue;
        line.remove_prefix(start);
        if (line[0] == ';') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            document.groups_.push_back(
                {std::string(line.substr(
                     1, close == std::string_view::npos ? std::string_view::npos : close - 1)),
                 {}});
            current = &document.groups_.back();
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        SettingsEntry entry{std::string(trim(line.substr(0, eq), Blanks)),
                            std::string(trim(line.substr(eq + 1), Blanks))};
        if (current == nullptr) {
            document.groups_.push_back({std::string(), {}});
            current = &document.groups_.back();
        }
        current->entries.push_back(std::move(entry));
    }
    return document;
}

const SettingsDocument::Group* SettingsDocument::findGroup(std::string_view name) const {
    for (const Group& group : groups_) {
        if (equalsIgnoringCase(group.name, name)) return &group;
    }
    return nullptr;
}

std::optional<std::string> SettingsDocument::value(std::string_view group,
                                                   std::string_view key) const {
    const Group* found = findGroup(group);
    if (found == nullptr) return std::nullopt;
    for (const SettingsEntry& entry : found->entries) {
        if (equalsIgnoringCase(entry.key, key)) return entry.value;
    }
    return std::nullopt;
}

std::vector<SettingsEntry> SettingsDocument::entries(std::string_view group) const {
    const Group* found = findGroup(group);
    return found == nullptr ? std::vector<SettingsEntry>{} : found->entries;
}

int64_t readSettingsInteger(std::string_view text) {
    text = text.substr(std::min(text.size(), text.find_first_not_of(Blanks)));
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return static_cast<int64_t>(negative ? (~value + 1) : value);
}

float readDecimal(std::string_view text) {
    const std::string_view word = trim(text, Blanks);
    if (equalsIgnoringCase(word, "+Infinity")) return std::numeric_limits<float>::infinity();
    if (equalsIgnoringCase(word, "-Infinity")) return -std::numeric_limits<float>::infinity();
    if (equalsIgnoringCase(word, "NaN")) return std::numeric_limits<float>::quiet_NaN();
    std::string_view number =
        text.substr(std::min(text.size(), text.find_first_not_of(" \t\n\r\f\v")));
    if (!number.empty() && number[0] == '+') number.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        return number.substr(0, 1) == "-" ? -std::numeric_limits<float>::infinity()
                                          : std::numeric_limits<float>::infinity();
    }
    if (result.ec != std::errc()) return 0.0f;
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

std::string formatDecimal(float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "+Infinity" : "-Infinity";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", static_cast<double>(value));
    return buffer;
}

}  // namespace plotvale::settings
