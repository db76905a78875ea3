// Renders the transfer window in both directions over the sample suite to
// PNG files for people to look at:  render-transfer OUTPUT_FOLDER
#include "files/FileSystem.h"
#include "samplesuite/SampleSuite.h"
#include "transfer/CopyFile.h"
#include "ui/Application.h"
#include "ui/Render.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// The window with its refresh reachable, to show both sides without a database.
class ShownWindow : public TCopyFiles
{
public:
    using TCopyFiles::RefreshPaths;
    using TCopyFiles::TCopyFiles;
};

bool Render(TransferDirection direction, const samplesuite::Layout& suite, const std::string& png)
{
    files::mount(suite.dosdevices, suite.suiteFolder);
    ui::TApplication application(direction == TransferDirection::Restore ? "/opt/tarn/restore"
                                                                         : "/opt/tarn/backup");
    ShownWindow* window = nullptr;
    application.CreateForm(window, direction);
    const std::string data = "C:\\TARN\\DATA";
    const std::string backup = "D:\\BACKUP";
    SourceFolder = direction == TransferDirection::Restore ? backup : data;
    TargetFolder = direction == TransferDirection::Restore ? data : backup;
    // Shown first, as the program shows it before activation refreshes it.
    window->Show();
    window->RefreshPaths();
    const bool written = ui::RenderToPng(*window, png);
    application.DestroyForms();
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
    const samplesuite::Layout suite = samplesuite::buildFolders(folder + "/sample-suite");
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
