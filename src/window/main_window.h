#pragma once
// The main window: the file list, the output folder with its recent
// folders, the output format, the convert button, the menus, the toolbar
// and the status bar, and the commands behind them.

#include <QMainWindow>
#include <map>
#include <string>

#include "window/file_list_model.h"
#include "window/theme.h"

class QComboBox;
class QLabel;
class QToolButton;
class QToolBar;

namespace plotvale::window {

class FileListView;
class UserPrompts;
struct WindowSession;

// Command identifiers shared by menus, toolbar and shortcuts.
enum class Command {
    New,
    SelectInputFiles,
    SelectInputFile,
    SelectInputFolder,
    SelectOutputFolder,
    OutputFormatOptions,
    ImportList,
    ExportList,
    Exit,
    Copy,
    Delete,
    SelectAll,
    Convert,
    CustomConverter,
    Preferences,
    Manual,
    SendFeedback,
    VisitHomepage,
    CheckForNewVersion,
    About,
};

class MainWindow : public QMainWindow {
public:
    MainWindow(WindowSession& session, UserPrompts& prompts);
    ~MainWindow() override;

    void run(Command command);
    QAction* action(Command command) const { return actions_.at(command); }

    // Files and folders as a file manager drops them.
    void addDroppedPaths(const QStringList& paths);
    void setOutputFolder(const QString& folder);

    // Reloads the theme, icon size, recent folders and format after the
    // settings changed.
    void applySettings();

    FileListModel& model() { return model_; }
    FileListView* listView() const { return list_; }
    QComboBox* outputFolderBox() const { return outputFolder_; }
    QComboBox* formatBox() const { return format_; }
    QString statusText() const;
    const Theme& theme() const { return theme_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildActions();
    void buildMenus();
    void buildToolbar();
    void applyIcons();
    void fillRecentFolders();
    void fillFormats();
    void setStatus(const QString& text);
    bool listHasFocus() const;

    void newList();
    void chooseInputKind();
    void selectInputFiles();
    void selectInputFolder();
    void addFolder(const std::string& folder);
    void selectOutputFolder();
    void rememberOutputFolder(const std::string& folder);
    void copySelection();
    void deleteSelection();
    void convert();
    void openPreferences(int page);
    void checkForNewVersion();
    void showListMenu(const QPoint& where);

    WindowSession& session_;
    UserPrompts& prompts_;
    FileListModel model_;
    Theme theme_;
    FileListView* list_ = nullptr;
    QComboBox* outputFolder_ = nullptr;
    QComboBox* format_ = nullptr;
    QToolButton* outFolderButton_ = nullptr;
    QToolButton* outFormatButton_ = nullptr;
    QToolButton* convertButton_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* status_ = nullptr;
    std::map<Command, QAction*> actions_;
};

}  // namespace plotvale::window
