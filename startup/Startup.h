#pragma once

// The start-up that both programs run, from the application object's
// initialisation to the end of its message loop. Each program brings its
// own splash window, icon and transfer direction.

#include "transfer/TransferDirection.h"
#include "ui/Form.h"

#include <functional>
#include <span>

namespace startup {

// The steps of start-up that reach outside it. Tests put steps of their own
// in place to give the program a suite, watch the start-up or make a
// construction fail.
struct Steps
{
    std::function<void()> mountDrives;          // before any window exists
    std::function<void()> createTransferWindow; // into CopyFiles: the main window
    std::function<void()> createDialogs;        // into CreateNewDirDlg, then DeleteOldDirDlg
};

// A program's own steps: the drives from the environment, the transfer
// window in the program's direction, then the new-folder and the
// delete-folder dialog, each created through the application.
Steps ProgramSteps(TransferDirection direction);

// A program's splash window, kept in the program's own reference while it exists.
struct SplashWindow
{
    // Constructs it with the given owner and stores it in the reference.
    std::function<ui::TForm*(ui::TComponent* owner)> create;
    // Empties the reference once the window is destroyed.
    std::function<void()> forget;
};

// Runs the start-up on ui::Application, which must exist, and then the message
// loop, which shows the main window by the show command. Returns the exit
// code: 0 once the main window has closed, 1 when the drives cannot be mounted
// or a window fails to construct (after the run-time error box).
int Run(int showCommand, const Steps& steps, std::span<const unsigned char> icon, const SplashWindow& splash);

} // namespace startup
