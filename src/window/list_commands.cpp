#include "window/list_commands.h"

#include "batch/input_collection.h"
#include "batch/path_rules.h"
#include "platform/file_system.h"
#include "window/file_list_model.h"
#include "window/input_list.h"
#include "window/list_stages.h"
#include "window/transfer_dialog.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

QString listFilter() {
    return uiText("Dialog", "Text Files") + " (*.txt *.lst);;" + uiText("Dialog", "All Files") +
           " (*)";
}

QString proposedListName(const WindowSession& session) {
    return QString::fromStdString(batch::folderPart(session.listFilePath) + "list.txt");
}

int countFolderEntries(const std::string& folder) {
    const auto entries = platform::listFolder(folder);
    return entries ? static_cast<int>(entries->size()) : 0;
}

// The chosen name, with ".txt" when it has no extension of its own.
std::string withListExtension(const QString& chosen) {
    std::string path = chosen.toStdString();
    if (batch::fileNameExtension(path).empty()) path += ".txt";
    return path;
}

}  // namespace

QString addInputFolder(const ListCommandContext& context, const std::string& folder) {
    WindowSession& session = context.session;
    session.run.request.input = platform::withTrailingSlash(folder);
    const int maximum = countFolderEntries(session.run.request.input);
    const QString outcome = runTransferDialog(
        context.window, context.prompts, session.run.progress,
        [&session] { batch::scanInputFolder(session.run); }, maximum, ImportTransfer);
    session.run.request.input.clear();
    showNewEntries(session, context.model);
    return outcome;
}

QString importInputList(const ListCommandContext& context) {
    WindowSession& session = context.session;
    const QString chosen =
        context.prompts.openFile(context.window, uiText("Dialog", "Import Input Files"),
                                 proposedListName(session), listFilter());
    if (chosen.isEmpty()) return {};
    const std::string path = chosen.toStdString();
    if (platform::fileSizeOrKind(path) <= 0) return {};
    session.listFilePath = path;
    session.run.job.inputPath = path;
    session.run.request.input.clear();
    const int maximum = static_cast<int>(countLines(path) + 1);
    const QString outcome = runTransferDialog(
        context.window, context.prompts, session.run.progress,
        [&session] { batch::readListFile(session.run); }, maximum, ImportTransfer);
    showNewEntries(session, context.model);
    return outcome;
}

QString exportInputList(const ListCommandContext& context) {
    WindowSession& session = context.session;
    if (context.model.size() == 0) {
        context.prompts.warn(context.window, uiText("Msg", "Warning"),
                             uiText("Msg", "Empty input files"));
        return {};
    }
    const QString chosen =
        context.prompts.saveFile(context.window, uiText("Dialog", "Export Input Files"),
                                 proposedListName(session), listFilter());
    if (chosen.isEmpty()) return {};
    const std::string path = withListExtension(chosen);
    if (platform::fileSizeOrKind(path) > 0 &&
        !context.prompts.askYesNo(context.window, uiText("Msg", "Warning"),
                                  uiText("Msg", "Ask overwrite file"))) {
        return {};
    }
    session.listFilePath = path;
    const std::vector<std::string>& paths = context.model.paths();
    return runTransferDialog(
        context.window, context.prompts, session.run.progress,
        [&session, &paths, path] { writeListFile(session.run.progress, path, paths); },
        static_cast<int>(paths.size()), ExportTransfer);
}

}  // namespace plotvale::window
