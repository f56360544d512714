#pragma once
// The checks the window makes before a conversion, in their fixed order,
// then the batch run's own range checks; on success the run's job is
// prepared for the chosen folder and format.

#include <QString>
#include <string>

namespace plotvale::window {

struct WindowSession;

// "" when the conversion may start; otherwise the warning to show.
QString prepareConversion(WindowSession& session, const std::string& outputFolder,
                          const std::string& format);

}  // namespace plotvale::window
