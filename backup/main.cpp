// The backup program: copies the suite's data folder into its backup folder.
#include "backup/Backup.h"
#include "files/FileSystem.h"
#include "ui/Application.h"

int main(int argc, char** argv)
{
    ui::TApplication application(argc, argv);
    // Without its drives the program cannot name a single folder: say why and stop.
    if (application.Execute([] { files::mountFromEnvironment(); }) != 0)
        return 1;
    return RunBackup(ui::SW_SHOWNORMAL);
}
