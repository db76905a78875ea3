#include "backup/Backup.h"

#include "backup/BakupLogo.h"
#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "embedded/BackupIcon.h"
#include "files/FileSystem.h"
#include "transfer/CopyFile.h"
#include "ui/Application.h"

#include <span>

namespace {

void DestroySplash()
{
    if (BakupLogoForm) {
        BakupLogoForm->Free();
        BakupLogoForm = nullptr;
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

BackupStartupSteps BackupProgramSteps()
{
    return {
        files::mountFromEnvironment,
        [] { ui::Application->CreateForm(CopyFiles, TransferDirection::Backup); },
        [] {
            ui::Application->CreateForm(CreateNewDirDlg);
            ui::Application->CreateForm(DeleteOldDirDlg);
        },
    };
}

int RunBackup(int showCommand, const BackupStartupSteps& steps)
{
    ui::TApplication& application = *ui::Application;
    application.SetIcon(std::span<const unsigned char>(embedded::BackupIcon, embedded::BackupIcon_size));
    application.Initialize();
    const int exitCode = application.Execute([&] {
        // Without its drives the program cannot name a single folder.
        steps.mountDrives();
        // The splash window goes on every way out of the creation steps, so it
        // is never on screen together with the main window.
        try {
            BakupLogoForm = new TBakupLogoForm(&application);
            BakupLogoForm->Show();
            // No message loop runs before Run: paint it now, or it stays blank.
            BakupLogoForm->Repaint();
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
