// The restore program: copies the suite's backup folder back into its data folder.
#include "restore/ReStore.h"
#include "ui/Application.h"

int main(int argc, char** argv)
{
    ui::TApplication application(argc, argv);
    return RunRestore(ui::SW_SHOWNORMAL);
}
