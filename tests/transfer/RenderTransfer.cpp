// Renders the transfer window in both directions over the sample suite, as
// activation leaves it, to PNG files for people to look at:
//   render-transfer OUTPUT_FOLDER
#include "files/FileSystem.h"
#include "samplesuite/SampleSuite.h"
#include "transfer/CopyFile.h"
#include "ui/Application.h"
#include "ui/ModalScript.h"
#include "ui/Render.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

bool Render(TransferDirection direction, const samplesuite::Layout& suite, const std::string& png)
{
    files::mount(suite.dosdevices, suite.suiteFolder);
    ui::TApplication application(direction == TransferDirection::Restore ? "/opt/tarn/restore"
                                                                         : "/opt/tarn/backup");
    // Message boxes are answered at once and reported, so nothing waits.
    ui::ModalScript script;
    application.CreateForm(CopyFiles, direction);
    CopyFiles->Show();
    ui::ProcessMessages();
    for (const ui::ShownWindow& shown : script.Shown()) {
        if (shown.kind == ui::ModalKind::Beep)
            std::fprintf(stderr, "render-transfer: beep\n");
        else
            std::fprintf(stderr, "render-transfer: shown \"%s\": %s\n", shown.caption.c_str(),
                         shown.text.c_str());
    }
    const bool written = ui::RenderToPng(*CopyFiles, png);
    application.DestroyForms();
    CopyFiles = nullptr;
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-transfer OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    const std::string folder = std::filesystem::absolute(argv[1]).string();
    const samplesuite::Layout suite = samplesuite::build(folder + "/sample-suite");
    // Something to restore: a few files of the data folder in the backup folder.
    for (const char* name : {"ACCT.DB", "CUST.DB", "REPORT.TXT"})
        std::filesystem::copy_file(suite.dataFolder + "/" + name, suite.backupFolder + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
    bool written = Render(TransferDirection::Restore, suite, folder + "/CopyFiles-restore.png");
    written = Render(TransferDirection::Backup, suite, folder + "/CopyFiles-backup.png") && written;
    if (!written) {
        std::fprintf(stderr, "render-transfer: cannot write into %s\n", folder.c_str());
        return 1;
    }
    std::printf("wrote CopyFiles-restore.png and CopyFiles-backup.png into %s\n", folder.c_str());
    return 0;
}
