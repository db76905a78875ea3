#pragma once

// The restore program's start-up, from the application object's
// initialisation to the end of its message loop.

#include <functional>

// The creation steps of the program's lasting windows. Tests put steps of
// their own in place to watch the start-up or make a construction fail.
struct RestoreWindowSteps
{
    std::function<void()> createTransferWindow; // into CopyFiles: the main window
    std::function<void()> createDialogs;        // into CreateNewDirDlg, then DeleteOldDirDlg
};

// The program's own steps: the transfer window in restore direction, then the
// new-folder and the delete-folder dialog, each through the application.
RestoreWindowSteps RestoreWindows();

// Runs the start-up on ui::Application (which must exist, with the file system
// mounted) and then the message loop, which shows the main window by the show
// command. Returns the exit code: 0 once the main window has closed, 1 when a
// window failed to construct (after the run-time error box).
int RunRestore(int showCommand, const RestoreWindowSteps& steps = RestoreWindows());
