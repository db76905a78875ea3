#include "startup/Startup.h"

#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "files/FileSystem.h"
#include "transfer/CopyFile.h"
#include "ui/Application.h"

namespace startup {

namespace {

// Clears the window references once the application has destroyed its windows.
void DestroyWindows(ui::TApplication& application)
{
    application.DestroyForms();
    DeleteOldDirDlg = nullptr;
    CreateNewDirDlg = nullptr;
    CopyFiles = nullptr;
}

} // namespace

Steps ProgramSteps(TransferDirection direction)
{
    return {
        files::mountFromEnvironment,
        [direction] { ui::Application->CreateForm(CopyFiles, direction); },
        [] {
            ui::Application->CreateForm(CreateNewDirDlg);
            ui::Application->CreateForm(DeleteOldDirDlg);
        },
    };
}

int Run(int showCommand, const Steps& steps, std::span<const unsigned char> icon, const SplashWindow& splash)
{
    ui::TApplication& application = *ui::Application;
    application.SetIcon(icon);
    application.Initialize();
    const int exitCode = application.Execute([&] {
        // Without its drives the program cannot name a single folder.
        steps.mountDrives();
        // The splash window goes on every way out of the creation steps, so it
        // is never on screen together with the main window.
        ui::TForm* splashWindow = nullptr;
        const auto destroySplash = [&] {
            if (splashWindow) {
                splashWindow->Free();
                splashWindow = nullptr;
                splash.forget();
            }
        };
        try {
            splashWindow = splash.create(&application);
            splashWindow->Show();
            // No message loop runs before Run: paint it now, or it stays blank.
            splashWindow->Repaint();
            steps.createTransferWindow();
            steps.createDialogs();
        } catch (...) {
            destroySplash();
            throw;
        }
        destroySplash();
        application.Run(showCommand);
    });
    DestroyWindows(application);
    return exitCode;
}

} // namespace startup
