#pragma once
// The small modal progress window of a list import, export or folder scan:
// one bar polled every 15 ms, a break question on closing, and the final
// state left on screen for 700 ms.

#include <QString>
#include <functional>

#include "batch/run_progress.h"

class QWidget;

namespace plotvale::window {

class UserPrompts;

struct TransferKind {
    const char* titleKey;     // group "Dialog"
    const char* askBreakKey;  // group "Msg"
    const char* completeKey;
    const char* stoppedKey;
};

inline constexpr TransferKind ImportTransfer{"Import Progress", "Ask break import",
                                             "Import complete", "Import is not complete"};
inline constexpr TransferKind ExportTransfer{"Export Progress", "Ask break export",
                                             "Export complete", "Export is not complete"};

// How long the final state stays visible, in milliseconds.
inline constexpr int FinalStateMs = 700;

// Runs the stage under the window and returns the status-bar text of its
// outcome.
QString runTransferDialog(QWidget* mainWindow, UserPrompts& prompts, batch::RunProgress& progress,
                          std::function<void()> stage, int maximum, const TransferKind& kind);

}  // namespace plotvale::window
