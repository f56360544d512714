#pragma once

#include <string>

namespace plotvale::platform {

// Opens a document, web page or mail address with the desktop's default
// program (xdg-open), detached and not waited for. False when it could not
// be started.
bool openDocument(const std::string& target);

}  // namespace plotvale::platform
