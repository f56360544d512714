// The commands of the main window.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>

#include "platform/file_system.h"
#include "settings/format_catalogue.h"
#include "settings/settings_file.h"
#include "window/conversion_checks.h"
#include "window/conversion_dialog.h"
#include "window/file_list_view.h"
#include "window/help_windows.h"
#include "window/input_list.h"
#include "window/list_commands.h"
#include "window/main_window.h"
#include "window/preferences_window.h"
#include "window/update_bridge.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

// "Metafiles (*.wmf *.wmz *.apm);;All Files (*)" from the catalogue.
QString inputFilter() {
    QStringList patterns;
    for (const std::string& extension : settings::SupportedInputExtensions()) {
        patterns << "*." + QString::fromStdString(extension);
    }
    return uiText("Dialog", "All Supported Files") + " (" + patterns.join(' ') + ");;" +
           uiText("Dialog", "All Files") + " (*)";
}

}  // namespace

void MainWindow::run(Command command) {
    switch (command) {
    case Command::New: return newList();
    case Command::SelectInputFiles: return chooseInputKind();
    case Command::SelectInputFile: return selectInputFiles();
    case Command::SelectInputFolder: return selectInputFolder();
    case Command::SelectOutputFolder: return selectOutputFolder();
    case Command::OutputFormatOptions: return openPreferences(PreferencesOutputPage);
    case Command::ImportList: {
        const QString outcome = importInputList({this, session_, model_, prompts_});
        if (!outcome.isEmpty()) setStatus(outcome);
        return;
    }
    case Command::ExportList: {
        const QString outcome = exportInputList({this, session_, model_, prompts_});
        if (!outcome.isEmpty()) setStatus(outcome);
        return;
    }
    case Command::Exit: close(); return;
    case Command::Copy: if (listHasFocus()) copySelection(); return;
    case Command::Delete: if (listHasFocus()) deleteSelection(); return;
    case Command::SelectAll: if (listHasFocus()) list_->selectAll(); return;
    case Command::Convert: return convert();
    case Command::CustomConverter: return showCustomConverterWindow(this);
    case Command::Preferences: return openPreferences(0);
    case Command::Manual: return openManual();
    case Command::SendFeedback: return sendFeedback();
    case Command::VisitHomepage: return visitHomepage();
    case Command::CheckForNewVersion: return checkForNewVersion();
    case Command::About: return showAboutWindow(this);
    }
}

void MainWindow::newList() {
    clearInputList(session_, model_);
    outputFolder_->setEditText({});
    setStatus(uiText("General", "Ready"));
    list_->setFocus();
}

void MainWindow::chooseInputKind() {
    if (const auto chosen = chooseInputSource(this, theme_)) run(*chosen);
}

void MainWindow::selectInputFiles() {
    std::vector<std::string> paths;
    for (const QString& file : prompts_.openFiles(this, uiText("Dialog", "Select Input Files"), inputFilter())) {
        paths.push_back(file.toStdString());
    }
    addInputFiles(session_, model_, paths);
}

void MainWindow::selectInputFolder() {
    const QString folder = prompts_.folder(this, uiText("Dialog", "Select Input Folder"));
    if (!folder.isEmpty()) addFolder(folder.toStdString());
}

void MainWindow::addFolder(const std::string& folder) {
    const QString outcome = addInputFolder({this, session_, model_, prompts_}, folder);
    if (!outcome.isEmpty()) setStatus(outcome);
}

void MainWindow::addDroppedPaths(const QStringList& paths) {
    for (const QString& path : paths) {
        const std::string name = path.toStdString();
        if (platform::fileSizeOrKind(name) == platform::PathIsFolder) {
            addFolder(platform::withTrailingSlash(name));
        } else {
            addInputFiles(session_, model_, {name});
        }
    }
}

void MainWindow::selectOutputFolder() {
    const QString folder = prompts_.folder(this, uiText("Dialog", "Select Output Folder"));
    if (folder.isEmpty()) return;
    const std::string chosen = platform::withTrailingSlash(folder.toStdString());
    rememberOutputFolder(chosen);
    setOutputFolder(QString::fromStdString(chosen));
}

void MainWindow::rememberOutputFolder(const std::string& folder) {
    QStringList folders;
    folders << QString::fromStdString(folder);
    for (const QString& field : QString::fromStdString(session_.settings.file.recentOutFolders).split('\t')) {
        const QString kept = field.trimmed();
        if (!kept.isEmpty() && !folders.contains(kept)) folders << kept;
    }
    while (folders.size() > std::max<int>(session_.settings.advanced.outFoldersNumber, 1)) folders.removeLast();
    session_.settings.file.recentOutFolders = folders.join('\t').toStdString();
    fillRecentFolders();
}

void MainWindow::copySelection() {
    QStringList lines;
    for (int row : list_->selectedRowList()) lines << QString::fromStdString(model_.paths()[static_cast<size_t>(row)]);
    if (!lines.isEmpty()) QApplication::clipboard()->setText(lines.join("\r\n"));
}

void MainWindow::deleteSelection() {
    removeInputRows(session_, model_, list_->selectedRowList());
}

void MainWindow::convert() {
    const std::string folder = outputFolder_->currentText().trimmed().toStdString();
    const std::string format = format_->currentData().toString().toStdString();
    setStatus(uiText("General", "Preparing"));
    const QString problem = prepareConversion(session_, folder, format);
    if (!problem.isEmpty()) {
        setStatus(uiText("Msg", "Conversion is not complete"));
        prompts_.warn(this, uiText("Msg", "Warning"), problem);
        return;
    }
    rememberOutputFolder(session_.run.job.outputFolder);
    setOutputFolder(QString::fromStdString(session_.run.job.outputFolder));
    setStatus(uiText("General", "Converting"));
    setStatus(runConversionDialog(this, prompts_, session_));
    activateWindow();
    list_->setFocus();
}

void MainWindow::openPreferences(int page) {
    if (runPreferencesWindow(this, prompts_, session_, page)) {
        settings::saveSettingsFile(session_.settings, session_.settingsPath);
        applySettings();
    }
}

void MainWindow::checkForNewVersion() {
    checkForUpdateFromWindow(this, prompts_, session_);
}

}  // namespace plotvale::window
