#include "cli/option_text.h"

#include "settings/text_case.h"

namespace plotvale::cli {

using settings::toUpperAscii;
using settings::trim;

namespace {

bool beginsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 99;
}

}  // namespace

std::string optionName(std::string_view parameter) {
    const std::string_view trimmed = trim(parameter);
    if (beginsWith(trimmed, "--")) return toUpperAscii(trimmed.substr(0, trimmed.find('=')));
    if (beginsWith(trimmed, "-")) return toUpperAscii(trimmed);
    return {};
}

std::string optionValue(std::string_view parameter) {
    const std::string_view trimmed = trim(parameter);
    const auto eq = trimmed.find('=');
    if (beginsWith(trimmed, "--") && eq != std::string_view::npos) {
        return std::string(trimmed.substr(eq + 1));
    }
    return std::string(trimmed);
}

int64_t readNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == '%') {
        base = 2;
        ++i;
    }
    // Unsigned arithmetic wraps instead of overflowing on absurdly long input.
    uint64_t value = 0;
    for (; i < text.size() && digitValue(text[i]) < base; ++i) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digitValue(text[i]));
    }
    return static_cast<int64_t>(negative ? ~value + 1 : value);
}

std::string joinQuotedValue(std::string value, const std::vector<std::string>& parameters,
                            size_t& position) {
    if (value.empty() || value.front() != '"' || value.back() == '"') return value;
    while (position + 1 < parameters.size()) {
        ++position;
        value += ' ';
        value += optionValue(parameters[position]);
        if (value.back() == '"') break;
    }
    return value;
}

std::string stripQuotes(std::string_view value) {
    return std::string(trim(value, "\""));
}

}  // namespace plotvale::cli
