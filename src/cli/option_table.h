#pragma once
// Every command-line option: its names, the kind of value it takes, what it
// sets, and the settings it switches on at the same time.

#include <optional>
#include <string_view>
#include <vector>

#include "settings/keyword_sets.h"

namespace plotvale::cli {

using settings::KeywordSet;

enum class OptionKind { Path, Keyword, Number, Decimal, Text, Switch };

// Where an option's value goes: a setting named by group and key, or one of
// the run request's fields and the front end's flags.
enum class OptionTarget {
    Setting, Input, OutputFolder, Conversion, Profile, Debug, Quiet, Pause,
    Jobs, Shard, SkipExisting, Manifest
};

struct AlsoSetting {
    std::string_view group;
    std::string_view key;
    int value;
};

struct OptionSpec {
    std::string_view shortName;  // "-i", or empty for long-only options
    std::string_view longName;   // "--input"
    OptionKind kind = OptionKind::Switch;
    OptionTarget target = OptionTarget::Setting;
    std::string_view group;
    std::string_view key;
    std::optional<KeywordSet> keywords;
    int switchValue = 1;
    std::vector<AlsoSetting> also;
};

const std::vector<OptionSpec>& optionTable();

// The option whose short or long name equals the upper-cased option name.
const OptionSpec* findOption(std::string_view upperName);

// The option a profile key names (upper-cased key with its "--"), or nullptr
// for keys that are not profile keys. The frame opacity is read from
// "--WM-SOLID-OPACITY" in profiles; of the run's own options only "--JOBS"
// is a profile key.
const OptionSpec* findProfileOption(std::string_view upperKey);

}  // namespace plotvale::cli
