// Renders both folder dialogs, as they open, to PNG files for people to look
// at:  render-dialogs OUTPUT_FOLDER
#include "dialogs/CreateNewDirs.h"
#include "dialogs/DeleteOldDirs.h"
#include "ui/Application.h"
#include "ui/Render.h"

#include <QApplication>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-dialogs OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    ui::TApplication application("/opt/tarn/restore");
    auto* newDir = new TCreateNewDirDlg(&application);
    auto* oldDir = new TDeleteOldDirDlg(&application);
    oldDir->ComboBox1->Items().Add("SUB1");
    oldDir->ComboBox1->Items().Add("子資料夾");
    oldDir->ComboBox1->SetText("SUB1");
    const std::string folder = argv[1];
    bool written = ui::RenderToPng(*newDir, folder + "/CreateNewDirDlg.png");
    written = ui::RenderToPng(*oldDir, folder + "/DeleteOldDirDlg.png") && written;
    if (!written) {
        std::fprintf(stderr, "render-dialogs: cannot write into %s\n", folder.c_str());
        return 1;
    }
    std::printf("wrote CreateNewDirDlg.png and DeleteOldDirDlg.png into %s\n", folder.c_str());
    return 0;
}
