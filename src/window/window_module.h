#pragma once
// The window face as a loadable module. Qt and the libraries only the window
// needs are linked into it alone, so command-line runs start without
// loading them; the executable loads it when a window mode starts and calls
// these C entry points, each returning the process exit status.

namespace plotvale::window {

// The module's file name, found in the program's modules folder.
inline constexpr const char* WindowModuleFile = "plotvale-window.so";

using WindowModeEntry = int();
using ScreenshotModeEntry = int(const char* folder);

inline constexpr const char* WindowModeSymbol = "plotvale_window_mode";
inline constexpr const char* UninstallNoticeSymbol = "plotvale_uninstall_notice";
inline constexpr const char* ScreenshotModeSymbol = "plotvale_screenshot_mode";

}  // namespace plotvale::window
