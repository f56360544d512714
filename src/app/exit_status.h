#pragma once
// Process exit statuses, so callers can tell success from failure.

namespace plotvale::app {

inline constexpr int ExitDone = 0;           // everything asked for was done
inline constexpr int ExitRefused = 1;        // an option error or a refused run
inline constexpr int ExitFilesFailed = 2;    // the run went ahead, some files failed
inline constexpr int ExitOtherInstance = 3;  // another instance holds the guard

}  // namespace plotvale::app
