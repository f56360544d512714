#pragma once
// The notice window of `-u`: a ticked box that sends the user to the
// uninstall page, and a Next button that closes it.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace plotvale::window {

// The window; Next calls `openPage` with the uninstall page when the box is
// ticked, then closes it.
std::unique_ptr<QWidget> makeUninstallNotice(std::function<void(const std::string&)> openPage);

}  // namespace plotvale::window
