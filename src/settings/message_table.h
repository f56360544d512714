#pragma once
// Texts addressed by group and key, built from a block of (first, second)
// pairs. Keys are kept sorted per group with a first-character index, so a
// lookup is a short scan; the group of the previous lookup is cached.
// Lookups update that cache, so one table serves one thread.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/builtin_texts.h"

namespace plotvale::settings {

inline constexpr std::string_view NoStringError = "%NO_STRING_ERROR%";

class MessageTable {
public:
    void build(const std::vector<TextPair>& block);
    std::string getText(std::string_view group, std::string_view key);

private:
    struct Group {
        std::string name;  // upper case
        size_t first = 1;
        size_t last = 0;
        std::array<size_t, 256> firstByChar{};
    };
    size_t findGroup(const std::string& name) const;

    std::vector<Group> groups_;      // [0] is never a valid group
    std::vector<std::string> keys_;  // [0] unused; sorted within each group
    std::vector<std::string> texts_;
    size_t current_ = 0;
};

// The process-wide table of the built-in English texts.
void buildMessageTable();
std::string getText(std::string_view group, std::string_view key);

// Replaces "%s1%" .. "%s4%" (any letter case) by the arguments, one after the
// other; an empty argument leaves its placeholder in place.
std::string fillPlaceholders(std::string text, std::string_view s1, std::string_view s2 = {},
                             std::string_view s3 = {}, std::string_view s4 = {});

}  // namespace plotvale::settings
