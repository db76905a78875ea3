#pragma once

// The backup program's start-up, from the application object's
// initialisation to the end of its message loop.

#include "startup/Startup.h"

using BackupStartupSteps = startup::Steps;

// The program's own steps: the drives from the environment, the transfer
// window in backup direction, then the new-folder and the delete-folder
// dialog, each created through the application.
BackupStartupSteps BackupProgramSteps();

// Runs the start-up with the backup program's splash window and icon on
// ui::Application, which must exist, and then the message loop, which shows
// the main window by the show command. Returns the exit code: 0 once the main
// window has closed, 1 when the drives cannot be mounted or a window fails to
// construct (after the run-time error box).
int RunBackup(int showCommand, const BackupStartupSteps& steps = BackupProgramSteps());
