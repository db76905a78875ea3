// The restore program: copies the suite's backup folder back into its data folder.
#include "files/FileSystem.h"
#include "restore/ReStore.h"
#include "ui/Application.h"

int main(int argc, char** argv)
{
    ui::TApplication application(argc, argv);
    // Without its drives the program cannot name a single folder: say why and stop.
    if (application.Execute([] { files::mountFromEnvironment(); }) != 0)
        return 1;
    return RunRestore(ui::SW_SHOWNORMAL);
}
