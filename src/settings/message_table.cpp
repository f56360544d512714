#include "settings/message_table.h"

#include <algorithm>

#include "settings/text_case.h"

namespace plotvale::settings {

namespace {

constexpr char KeySeparator = '\x01';

}  // namespace

void MessageTable::build(const std::vector<TextPair>& block) {
    groups_.assign(1, Group{});
    keys_.assign(1, std::string());
    size_t count = 0;
    for (const TextPair& pair : block) {
        const std::string first = toUpperAscii(pair.first);
        if (first == "_GROUP_") {
            groups_.back().last = count;
            Group group;
            group.name = toUpperAscii(pair.second);
            group.first = count + 1;
            groups_.push_back(group);
        } else if (first == "_END_") {
            break;
        } else {
            ++count;
            keys_.push_back(first + KeySeparator + std::string(pair.second));
        }
    }
    groups_.back().last = count;
    texts_.assign(keys_.size(), std::string());

    for (size_t g = 1; g < groups_.size(); ++g) {
        Group& group = groups_[g];
        if (group.first > group.last) continue;
        const auto begin = keys_.begin() + static_cast<std::ptrdiff_t>(group.first);
        const auto end = keys_.begin() + static_cast<std::ptrdiff_t>(group.last) + 1;
        std::sort(begin, end);
        int previous = -1;
        for (size_t j = group.first; j <= group.last; ++j) {
            const auto split = keys_[j].find(KeySeparator);
            texts_[j] = keys_[j].substr(split + 1);
            keys_[j].resize(split);
            const int c = keys_[j].empty() ? 0 : static_cast<unsigned char>(keys_[j][0]);
            if (c != previous) group.firstByChar[static_cast<size_t>(c)] = j;
            previous = c;
        }
    }
    current_ = 0;
}

size_t MessageTable::findGroup(const std::string& name) const {
    for (size_t g = 1; g < groups_.size(); ++g) {
        if (groups_[g].name == name) return g;
    }
    return 0;
}

std::string MessageTable::getText(std::string_view group, std::string_view key) {
    const std::string groupName = toUpperAscii(group);
    const std::string wanted = toUpperAscii(key);
    if (current_ >= groups_.size() || groups_[current_].name != groupName) {
        current_ = findGroup(groupName);
    }
    if (current_ == 0) return std::string(NoStringError);
    const Group& g = groups_[current_];
    const unsigned char c = wanted.empty() ? 0 : static_cast<unsigned char>(wanted[0]);
    for (size_t j = g.firstByChar[c]; j != 0 && j <= g.last; ++j) {
        if (wanted == keys_[j]) return texts_[j];
        if (wanted < keys_[j]) break;
    }
    return std::string(NoStringError);
}

namespace {

MessageTable& processTable() {
    static MessageTable table;
    return table;
}

}  // namespace

void buildMessageTable() {
    processTable().build(builtinTexts());
}

std::string getText(std::string_view group, std::string_view key) {
    return processTable().getText(group, key);
}

std::string fillPlaceholders(std::string text, std::string_view s1, std::string_view s2,
                             std::string_view s3, std::string_view s4) {
    if (text.empty()) return text;
    const std::string_view values[] = {s1, s2, s3, s4};
    for (int n = 0; n < 4; ++n) {
        if (values[n].empty()) continue;
        const std::string placeholder = "%S" + std::to_string(n + 1) + "%";
        text = replaceAllIgnoringCase(text, placeholder, values[n]);
    }
    return text;
}

}  // namespace plotvale::settings
