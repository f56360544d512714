#pragma once
// Filling the input set: one file, the lines of a list file, or a folder
// tree. A file is admitted when it is not empty and its extension is a
// supported input extension; a path met twice is taken once.

#include <set>
#include <string>
#include <string_view>

#include "batch/batch_run.h"
#include "platform/file_system.h"

namespace plotvale::batch {

// 1 when the path made a new entry, 0 otherwise.
int addInputFile(BatchRun& run, const std::string& path);

// The file's folder below the input folder ("a/b/"), or "" when the file is
// not below it.
std::string relativeSubfolder(std::string_view path, std::string_view inputFolder);

// The folders open on the branch being walked (the walk's top folder down to
// the current one), so that a symbolic link back into one of them ends the
// branch instead of looping.
using VisitedFolders = std::set<platform::FolderIdentity>;

// Adds every admitted file below the folder (ending in "/"), at any depth.
int scanFolderTree(BatchRun& run, const std::string& folder, VisitedFolders& visited);

// The collection stages; each adds its count to the progress's result.
void scanInputFolder(BatchRun& run);
void readListFile(BatchRun& run);

}  // namespace plotvale::batch
