#pragma once
// How the run reads the paths it is given: the file-name extension that
// tells a file from a folder, the folder part of a path, and the folder rule
// that resolves relative folders against the program folder of the run (on
// Linux the working directory).

#include <optional>
#include <string>
#include <string_view>

namespace plotvale::batch {

// The text after the last "." of the last path element, or "" when the
// element has none. A blank or separator ("/" or "\") met before the dot
// means no extension; so does a dot at the start of an element. "\" stays a
// separator here on purpose, for typed and walked paths alike: a walked name
// such as "x\.wmf" counts as having no extension and is not admitted.
std::string fileNameExtension(std::string_view path);

// Up to and including the last "/" or "\"; "" when there is none. For the
// paths a user types (the input option), where the Windows form stays
// accepted: its output folder is the folder part.
std::string folderPart(std::string_view path);

// Up to and including the last "/"; "" when there is none. For the paths the
// run builds from the file system (folder walks), where "\" is a plain
// character of a name: "in/back\slash.wmf" lies in "in/".
std::string walkedFolderPart(std::string_view path);

enum class FolderProblem { None, Incorrect, Invalid };

struct FolderResult {
    std::string folder;  // absolute, with a trailing "/"
    FolderProblem problem = FolderProblem::None;
};

// A folder beginning with ".." is incorrect; a relative folder ("./" is
// dropped) is put below the program folder (the working directory); the
// result must exist.
FolderResult normaliseFolder(std::string_view folder, const std::string& programFolder);

}  // namespace plotvale::batch
