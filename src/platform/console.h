#pragma once
// The terminal around a command-line run: lines to stdout flushed at once,
// the window title, and one key read from the terminal.

#include <string>
#include <string_view>

namespace plotvale::platform {

// Writes the text and "\n" to stdout and flushes.
void writeLine(std::string_view text);
// Writes the text and "\n" to stderr.
void writeErrorLine(std::string_view text);
// True when stderr is a terminal.
bool errorIsTerminal();
// Replaces the one self-updating status line on stderr ("\r", the text, the
// rest of the line cleared); an empty text clears it.
void writeStatusLine(std::string_view text);
// Sets the terminal title (OSC 0), only when stdout is a terminal.
void setConsoleTitle(std::string_view title);
// One pending key as a one-character text, or "" when none is waiting or
// stdin is not a terminal.
std::string pollKey();
// Blocks until a key arrives; returns at once when stdin is not a terminal.
void waitForKey();

}  // namespace plotvale::platform
