#pragma once
// The file-list commands of the main window that move many entries at
// once: adding a folder, importing a list file, exporting the list.

#include <QString>
#include <string>

class QWidget;

namespace plotvale::window {

class FileListModel;
class UserPrompts;
struct WindowSession;

struct ListCommandContext {
    QWidget* window;
    WindowSession& session;
    FileListModel& model;
    UserPrompts& prompts;
};

// Each returns the status-bar text of its outcome, or "" when nothing ran.
QString addInputFolder(const ListCommandContext& context, const std::string& folder);
QString importInputList(const ListCommandContext& context);
QString exportInputList(const ListCommandContext& context);

}  // namespace plotvale::window
