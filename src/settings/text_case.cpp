#include "settings/text_case.h"

namespace plotvale::settings {

namespace {

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string toUpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = upper(c);
    return result;
}

std::string toLowerAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = lower(c);
    return result;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

std::string replaceAllIgnoringCase(std::string_view text, std::string_view needle,
                                   std::string_view replacement) {
    if (needle.empty()) return std::string(text);
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (i + needle.size() <= text.size() &&
            equalsIgnoringCase(text.substr(i, needle.size()), needle)) {
            result += replacement;
            i += needle.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}

std::string_view trim(std::string_view text, std::string_view characters) {
    const auto first = text.find_first_not_of(characters);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(characters);
    return text.substr(first, last - first + 1);
}

}  // namespace plotvale::settings
