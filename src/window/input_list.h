#pragma once
// Keeps the file list's rows and the run's input set in step: rows are the
// set's entries in the order they were made.

#include <string>
#include <vector>

#include "window/file_list_model.h"
#include "window/window_session.h"

namespace plotvale::window {

// Adds each path through the batch run's own admission; returns how many
// made new entries.
int addInputFiles(WindowSession& session, FileListModel& model,
                  const std::vector<std::string>& paths);

// Shows the entries a stage added since the rows were last in step.
void showNewEntries(WindowSession& session, FileListModel& model);

// Removes rows and their entries, so a removed file can be added again.
void removeInputRows(WindowSession& session, FileListModel& model, const std::vector<int>& rows);

void clearInputList(WindowSession& session, FileListModel& model);

}  // namespace plotvale::window
