#pragma once

#include <string>
#include <string_view>

namespace plotvale::platform {

// Replaces a file's content as one step: the data goes to a new file in the
// same folder, is flushed to disk, and that file is renamed over the target.
// A failure at any point removes the new file and leaves the old one as it
// was. True when the target holds the new data.
bool replaceFileAtomically(const std::string& path, std::string_view data);

}  // namespace plotvale::platform
