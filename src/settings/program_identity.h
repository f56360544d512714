#pragma once
// The product's name, version and maker, shown in the banner, help,
// console title and window face.

#include <string>
#include <string_view>

namespace plotvale::settings {

inline constexpr std::string_view ProgramTitle = "Corvane WMF to IMAGE";
inline constexpr int ProgramVersion = 271;
inline constexpr std::string_view MakerNotice =
    "Copyright \xC2\xA9 2024-2026 Corvane. All rights reserved.";
inline constexpr std::string_view MakerWebAddress = "https://corvane.example/plotvale/";
inline constexpr std::string_view MakerSupportAddress = "support@corvane.example";
inline constexpr std::string_view UninstallWebAddress =
    "https://corvane.example/plotvale/uninstall/";

// "271" becomes "2.7.1"; a result ending in "0" keeps its first three
// characters ("270" becomes "2.7").
std::string versionText(int version);

// Title, a blank and the version text; also the single-instance name.
std::string instanceName();

// The four banner lines of a command-line run.
std::string bannerLine(int index);

}  // namespace plotvale::settings
