#pragma once
// The small windows and desktop hand-offs of the window face: the input
// chooser, About, the custom-converter window, the manual, feedback mail
// and the home page.

#include <optional>

#include "window/main_window.h"

class QWidget;

namespace plotvale::window {

class Theme;

// Two large buttons, one file and one folder; nothing when closed.
std::optional<Command> chooseInputSource(QWidget* parent, const Theme& theme);

void showAboutWindow(QWidget* parent);
void showCustomConverterWindow(QWidget* parent);

// Hand-offs to the desktop through xdg-open.
void openManual();
void sendFeedback();
void visitHomepage();

// The mail address of a feedback message, subject included.
std::string feedbackAddress();

}  // namespace plotvale::window
