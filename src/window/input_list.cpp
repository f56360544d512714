#include "window/input_list.h"

#include <unordered_map>

#include "batch/input_collection.h"

namespace plotvale::window {

int addInputFiles(WindowSession& session, FileListModel& model,
                  const std::vector<std::string>& paths) {
    session.run.request.input.clear();  // single files keep no subfolder
    int added = 0;
    for (const std::string& path : paths) added += batch::addInputFile(session.run, path);
    showNewEntries(session, model);
    return added;
}

void showNewEntries(WindowSession& session, FileListModel& model) {
    std::vector<std::string> fresh;
    for (size_t i = model.size(); i < session.run.files.size(); ++i) {
        fresh.push_back(session.run.files.entryAt(i).path);
    }
    model.append(fresh);
}

void removeInputRows(WindowSession& session, FileListModel& model, const std::vector<int>& rows) {
    if (rows.empty()) return;
    // The set cannot drop single entries; it is made again from the rows
    // that stay, in their order, which keeps its conversion order too.
    std::unordered_map<std::string, std::string> subfolders;
    for (size_t i = 0; i < session.run.files.size(); ++i) {
        const batch::InputEntry& entry = session.run.files.entryAt(i);
        subfolders[entry.path] = entry.relativeSubfolder;
    }
    model.removeRowList(rows);
    session.run.files.clear();
    for (const std::string& path : model.paths()) {
        batch::InputEntry& entry = session.run.files.findOrCreate(path);
        entry.added = 1;
        entry.relativeSubfolder = subfolders[path];
    }
}

void clearInputList(WindowSession& session, FileListModel& model) {
    session.run.files.clear();
    model.clear();
}

}  // namespace plotvale::window
