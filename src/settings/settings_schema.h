#pragma once
// Every setting addressed by its settings-file group and key, in record
// order. The option table, the profile reader and the settings file all reach
// fields through this one list instead of naming them again.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/converter_settings.h"

namespace plotvale::settings {

using SettingSlot = std::variant<int8_t*, int32_t*, float*, std::string*>;

struct SettingField {
    std::string_view group;
    std::string_view key;
    SettingSlot (*locate)(ConverterSettings&);
};

const std::vector<SettingField>& settingFields();

// Exact, case-sensitive lookup; nullptr when there is no such setting.
const SettingField* findSetting(std::string_view group, std::string_view key);

// The value of a numeric setting, read-only; 0 for a missing or text
// setting.
int64_t integerSetting(const ConverterSettings& settings, std::string_view group,
                       std::string_view key);

// Stores an integer in a numeric slot, keeping the low bits the field holds.
void storeInteger(const SettingSlot& slot, int64_t value);

}  // namespace plotvale::settings
