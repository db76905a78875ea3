#pragma once

// The restore program's start-up, from the application object's
// initialisation to the end of its message loop.

#include <functional>

// The steps of start-up that reach outside it. Tests put steps of their own
// in place to give the program a suite, watch the start-up or make a
// construction fail.
struct RestoreStartupSteps
{
    std::function<void()> mountDrives;          // before any window exists
    std::function<void()> createTransferWindow; // into CopyFiles: the main window
    std::function<void()> createDialogs;        // into CreateNewDirDlg, then DeleteOldDirDlg
};

// The program's own steps: the drives from the environment, the transfer
// window in restore direction, then the new-folder and the delete-folder
// dialog, each created through the application.
RestoreStartupSteps RestoreProgramSteps();

// Runs the start-up on ui::Application, which must exist, and then the message
// loop, which shows the main window by the show command. Returns the exit
// code: 0 once the main window has closed, 1 when the drives cannot be mounted
// or a window fails to construct (after the run-time error box).
int RunRestore(int showCommand, const RestoreStartupSteps& steps = RestoreProgramSteps());
