#include "restore/ReStore.h"

#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "embedded/RestoreIcon.h"
#include "files/FileSystem.h"
#include "restore/RestoreLogo.h"
#include "transfer/CopyFile.h"
#include "ui/Application.h"

#include <span>

namespace {

void DestroySplash()
{
    if (RestoreLogoForm) {
        RestoreLogoForm->Free();
        RestoreLogoForm = nullptr;
    }
}

// Clears the window references once the application has destroyed its windows.
void DestroyWindows(ui::TApplication& application)
{
    application.DestroyForms();
    DeleteOldDirDlg = nullptr;
    CreateNewDirDlg = nullptr;
    CopyFiles = nullptr;
}

} // namespace

RestoreStartupSteps RestoreProgramSteps()
{
    return {
        files::mountFromEnvironment,
        [] { ui::Application->CreateForm(CopyFiles, TransferDirection::Restore); },
        [] {
            ui::Application->CreateForm(CreateNewDirDlg);
            ui::Application->CreateForm(DeleteOldDirDlg);
        },
    };
}

int RunRestore(int showCommand, const RestoreStartupSteps& steps)
{
    ui::TApplication& application = *ui::Application;
    application.SetIcon(std::span<const unsigned char>(embedded::RestoreIcon, embedded::RestoreIcon_size));
    application.Initialize();
    const int exitCode = application.Execute([&] {
        // Without its drives the program cannot name a single folder.
        steps.mountDrives();
        // The splash window goes on every way out of the creation steps, so it
        // is never on screen together with the main window.
        try {
            RestoreLogoForm = new TRestoreLogoForm(&application);
            RestoreLogoForm->Show();
            // No message loop runs before Run: paint it now, or it stays blank.
            RestoreLogoForm->Repaint();
            steps.createTransferWindow();
            steps.createDialogs();
        } catch (...) {
            DestroySplash();
            throw;
        }
        DestroySplash();
        application.Run(showCommand);
    });
    DestroyWindows(application);
    return exitCode;
}
