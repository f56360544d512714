#include "window/list_commands.h"

#include "batch/list_transfer.h"
#include "window/file_list_model.h"
#include "window/input_list.h"
#include "window/transfer_dialog.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

// The list filter in Qt's form: "Text Files (*.txt *.lst);;All Files (*.*)"
// from "Text Files|*.txt;*.lst|All Files (*.*)|*.*".
QString listFilter() {
    const QStringList parts = QString::fromStdString(batch::listFileFilter()).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        if (!name.contains('(')) name += " (" + patterns + ")";
        filters << name;
    }
    return filters.join(";;");
}

QString proposedListName(const WindowSession& session) {
    return QString::fromStdString(batch::proposedListFileName(session.listFilePath));
}

}  // namespace

QString addInputFolder(const ListCommandContext& context, const std::string& folder) {
    WindowSession& session = context.session;
    const QString outcome = runTransferDialog(
        context.window, context.prompts, session.run.progress,
        [&session, folder] { batch::addInputFolder(session.run, folder); },
        batch::countFolderEntries(folder), batch::ImportTransferTexts);
    session.run.request.input.clear();
    showNewEntries(session, context.model);
    return outcome;
}

QString importInputList(const ListCommandContext& context) {
    WindowSession& session = context.session;
    const std::string path =
        context.prompts.openFile(context.window, uiText("Dialog", "Import Input Files"),
                                 proposedListName(session), listFilter())
            .toStdString();
    if (path.empty() || !batch::isImportableListFile(path)) return {};
    session.listFilePath = path;
    session.run.request.input.clear();
    const QString outcome = runTransferDialog(
        context.window, context.prompts, session.run.progress,
        [&session, path] { batch::importListFile(session.run, path); },
        static_cast<int>(batch::countLines(path) + 1), batch::ImportTransferTexts);
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
    const std::string path = batch::withListExtension(chosen.toStdString());
    if (batch::exportNeedsOverwriteQuestion(path) &&
        !context.prompts.askYesNo(context.window, uiText("Msg", "Warning"),
                                  uiText("Msg", "Ask overwrite file"))) {
        return {};
    }
    session.listFilePath = path;
    const std::vector<std::string>& paths = context.model.paths();
    return runTransferDialog(
        context.window, context.prompts, session.run.progress,
        [&session, &paths, path] { batch::writeListFile(session.run.progress, path, paths); },
        static_cast<int>(paths.size()), batch::ExportTransferTexts);
}

}  // namespace plotvale::window
