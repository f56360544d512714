#pragma once
// Moving the window face's file list to and from list files, and adding a
// folder to it. Each transfer is a stage: it runs on a stage thread (see
// stage_thread.h), writes `processed` under the progress lock as it goes,
// tests `running` before each item, and adds its count to `resultCount`
// when it ends, also when it was stopped.
//
// A list file is UTF-8 text beginning with the byte-order mark, one path per
// line, every line ending in CR LF; readListFile reads it back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_run.h"

namespace plotvale::batch {

// The message-table keys of a transfer's progress window: its title
// (group "Dialog"), the break question and the two outcomes (group "Msg").
struct TransferTexts {
    std::string_view titleKey;
    std::string_view askBreakKey;
    std::string_view completeKey;  // holds %s1% for the count
    std::string_view stoppedKey;
};
// The import and the add-folder transfer share these.
inline constexpr TransferTexts ImportTransferTexts{"Import Progress", "Ask break import",
                                                   "Import complete", "Import is not complete"};
inline constexpr TransferTexts ExportTransferTexts{"Export Progress", "Ask break export",
                                                   "Export complete", "Export is not complete"};

// The status-bar text when a transfer has ended: "Import stopped" when it was
// broken off, else "Import complete, new files added: 3" and the like.
std::string transferOutcomeText(const TransferTexts& texts, bool brokenOff, int32_t resultCount);

// The file dialogs' filter: "Text Files|*.txt;*.lst|All Files (*.*)|*.*".
std::string listFileFilter();

// The export stage: creates (or truncates) the list file and writes the
// mark and then the paths in order while `running` holds. `processed` is the
// number of paths taken; `resultCount` grows by the number written, 0 when
// the file cannot be created.
void writeListFile(RunProgress& progress, const std::string& listPath,
                   const std::vector<std::string>& paths);

// The import stage: the list file's admitted files join the input set
// (readListFile with the job's input path set to the list file).
void importListFile(BatchRun& run, const std::string& listPath);

// The add-folder stage: the folder's admitted files, at any depth, join the
// input set (scanInputFolder over the folder, which becomes the run's input
// folder, so the files keep their subfolders below it).
void addInputFolder(BatchRun& run, const std::string& folder);

// The number of LF bytes in the file, read in blocks; 0 when it cannot be
// opened. An import's progress maximum is this plus 1.
int64_t countLines(const std::string& path);

// The number of entries directly inside a folder, "." and ".." not counted;
// the add-folder progress maximum. 0 when it cannot be listed.
int32_t countFolderEntries(const std::string& folder);

// The name the export and import dialogs propose: "list.txt" in the folder
// of the list file chosen last (just "list.txt" at first).
std::string proposedListFileName(const std::string& lastListPath);

// A name typed without extension gets ".txt"; "list.lst" stays as it is.
std::string withListExtension(const std::string& path);

// An export asks before replacing a file only when it holds something; an
// empty one is overwritten without a question.
bool exportNeedsOverwriteQuestion(const std::string& listPath);

// An import runs only for an existing file that is not empty.
bool isImportableListFile(const std::string& listPath);

}  // namespace plotvale::batch
