// The main window's command table, its menus, its toolbar and the icons of
// the active theme.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "window/file_list_view.h"
#include "window/main_window.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

struct CommandRow {
    Command command;
    const char* menuKey;   // group "Menu"
    const char* imageKey;  // theme image, "" for none
    const char* shortcut;  // "" for none
};

// Copy, Delete and Select All show their keys only: the list handles those
// keys itself, so they act only while it has the focus.
const CommandRow Commands[] = {
    {Command::New, "New", "New", "Ctrl+N"},
    {Command::SelectInputFiles, "Select Input Files", "Add", ""},
    {Command::SelectInputFile, "Select Input File", "InFiles", ""},
    {Command::SelectInputFolder, "Select Input Folder", "InFolder", ""},
    {Command::SelectOutputFolder, "Select Output Folder", "OutFolder", ""},
    {Command::OutputFormatOptions, "Output Format Options", "OutFormat", ""},
    {Command::ImportList, "Import Input Files", "", ""},
    {Command::ExportList, "Export Input Files", "", ""},
    {Command::Exit, "Exit", "", "Alt+X"},
    {Command::Copy, "Copy", "", ""},
    {Command::Delete, "Delete", "", ""},
    {Command::SelectAll, "Select All", "", ""},
    {Command::Convert, "Convert", "Convert", "F5"},
    {Command::CustomConverter, "Custom Converter", "", ""},
    {Command::Preferences, "Preferences", "Preferences", ""},
    {Command::Manual, "Manual", "Help", "F1"},
    {Command::SendFeedback, "Send Feedback", "Email", ""},
    {Command::VisitHomepage, "Visit Homepage", "Web", ""},
    {Command::CheckForNewVersion, "Check For New Version", "Updates", ""},
    {Command::About, "About", "", ""},
};

const char* listKeyText(Command command) {
    switch (command) {
    case Command::Copy: return "Ctrl+C";
    case Command::Delete: return "Ctrl+Del";
    case Command::SelectAll: return "Ctrl+A";
    default: return nullptr;
    }
}

void addItems(QMenu* menu, const std::map<Command, QAction*>& actions,
              std::initializer_list<int> items) {
    for (int item : items) {
        if (item < 0) {
            menu->addSeparator();
        } else {
            menu->addAction(actions.at(static_cast<Command>(item)));
        }
    }
}

constexpr int Separator = -1;
constexpr int of(Command command) {
    return static_cast<int>(command);
}

}  // namespace

void MainWindow::buildActions() {
    for (const CommandRow& row : Commands) {
        QString text = uiText("Menu", row.menuKey);
        if (const char* keys = listKeyText(row.command)) text += QString("\t") + keys;
        auto* action = new QAction(text, this);
        action->setToolTip(uiText("Menu", row.menuKey));
        if (*row.shortcut != '\0') action->setShortcut(QKeySequence(row.shortcut));
        const Command command = row.command;
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
        actions_[command] = action;
    }
}

void MainWindow::buildMenus() {
    using C = Command;
    QMenu* file = menuBar()->addMenu(uiText("Menu", "File"));
    addItems(file, actions_,
             {of(C::New), Separator, of(C::SelectInputFiles), of(C::SelectOutputFolder), Separator,
              of(C::ImportList), of(C::ExportList), Separator, of(C::Exit)});
    QMenu* edit = menuBar()->addMenu(uiText("Menu", "Edit"));
    addItems(edit, actions_, {of(C::Copy), of(C::Delete), Separator, of(C::SelectAll)});
    QMenu* converter = menuBar()->addMenu(uiText("Menu", "Converter"));
    addItems(converter, actions_,
             {of(C::Convert), Separator, of(C::CustomConverter), Separator, of(C::Preferences)});
    QMenu* help = menuBar()->addMenu(uiText("Menu", "Help"));
    addItems(help, actions_,
             {of(C::Manual), Separator, of(C::SendFeedback), of(C::VisitHomepage), Separator,
              of(C::CheckForNewVersion), of(C::About)});
}

void MainWindow::buildToolbar() {
    using C = Command;
    toolbar_ = addToolBar("main");
    toolbar_->setObjectName("mainToolbar");
    toolbar_->setMovable(false);
    for (int item : {of(C::New), of(C::SelectInputFiles), of(C::SelectOutputFolder), Separator,
                     of(C::Preferences), Separator, of(C::Convert), Separator, of(C::Manual),
                     of(C::SendFeedback), of(C::VisitHomepage), of(C::CheckForNewVersion)}) {
        if (item < 0) {
            toolbar_->addSeparator();
        } else {
            toolbar_->addAction(actions_.at(static_cast<Command>(item)));
        }
    }
}

void MainWindow::applyIcons() {
    const int size = iconSizeForCode(session_.settings.interface.uiSize);
    for (const CommandRow& row : Commands) {
        if (*row.imageKey != '\0') actions_.at(row.command)->setIcon(theme_.icon(row.imageKey, size));
    }
    toolbar_->setIconSize({size, size});
    outFolderButton_->setIcon(theme_.icon("OutFolder", 16));
    outFormatButton_->setIcon(theme_.icon("OutFormat", 16));
    convertButton_->setIcon(theme_.icon("Convert", 64));
    convertButton_->setIconSize({64, 64});
}

void MainWindow::showListMenu(const QPoint& where) {
    QMenu menu(this);
    menu.addAction(uiText("Menu", "Copy"), this, [this] { copySelection(); });
    menu.addAction(uiText("Menu", "Delete"), this, [this] { deleteSelection(); });
    menu.addSeparator();
    menu.addAction(uiText("Menu", "Select All"), this, [this] { list_->selectAll(); });
    menu.exec(where);
}

}  // namespace plotvale::window
