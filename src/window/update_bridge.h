#pragma once
// The update check as the window face runs it: on demand from the Help menu
// and, at start, offered when its interval has passed.

class QWidget;

namespace plotvale::window {

class UserPrompts;
struct WindowSession;

void checkForUpdateFromWindow(QWidget* parent, UserPrompts& prompts, WindowSession& session);
void offerPeriodicUpdateFromWindow(QWidget* parent, UserPrompts& prompts, WindowSession& session);

}  // namespace plotvale::window
