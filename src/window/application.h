#pragma once
// The Qt application object of the window modes, with the message table
// they read their texts from.

#include <QApplication>
#include <memory>

namespace plotvale::window {

// Nothing, after a line on stderr, when there is no display to open
// windows on (Qt would end the process instead).
std::unique_ptr<QApplication> makeApplication();

}  // namespace plotvale::window
