#pragma once
// The progress window of a conversion: the current file, the time left, a
// bar over the input set, and after the end the outcome, kept on screen
// until the user presses OK.

#include <QString>

class QWidget;

namespace plotvale::window {

class UserPrompts;
struct WindowSession;

// Converts the session's input set with its prepared job; returns the
// status-bar text of the outcome.
QString runConversionDialog(QWidget* mainWindow, UserPrompts& prompts, WindowSession& session);

// "h:mm:ss" of a duration in milliseconds.
QString durationText(int64_t milliseconds);

}  // namespace plotvale::window
