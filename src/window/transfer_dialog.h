#pragma once
// The small modal progress window of a list import, export or folder scan:
// one bar polled every 15 ms, a break question on closing, and the final
// state left on screen for 700 ms.

#include <QString>
#include <functional>

#include "batch/list_transfer.h"
#include "batch/run_progress.h"

class QWidget;

namespace plotvale::window {

class UserPrompts;

// How long the final state stays visible, in milliseconds.
inline constexpr int FinalStateMs = 700;

// Runs the stage under the window and returns the status-bar text of its
// outcome.
QString runTransferDialog(QWidget* mainWindow, UserPrompts& prompts, batch::RunProgress& progress,
                          std::function<void()> stage, int maximum, const batch::TransferTexts& texts);

}  // namespace plotvale::window
