// The backup program: copies the suite's data folder into its backup folder.
#include "backup/Backup.h"
#include "ui/Application.h"

int main(int argc, char** argv)
{
    ui::TApplication application(argc, argv);
    return RunBackup(ui::SW_SHOWNORMAL);
}
