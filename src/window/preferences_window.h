#pragma once
// The preferences window: nine pages, each editing its settings-file group,
// with OK, Cancel and Reset to Defaults.

class QWidget;

namespace plotvale::window {

class UserPrompts;
struct WindowSession;

inline constexpr int PreferencesOutputPage = 3;

// Shows the window on a page; true when the settings changed (OK, or a
// confirmed reset), false on Cancel.
bool runPreferencesWindow(QWidget* parent, UserPrompts& prompts, WindowSession& session, int page);

}  // namespace plotvale::window
