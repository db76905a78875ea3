// Renders both splash windows to PNG files for people to look at:
//   render-splash OUTPUT_FOLDER
#include "backup/BakupLogo.h"
#include "restore/RestoreLogo.h"
#include "ui/Application.h"
#include "ui/Render.h"

#include <QApplication>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-splash OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    ui::TApplication application("/opt/tarn/restore");
    const std::string folder = argv[1];
    bool written = ui::RenderToPng(*new TRestoreLogoForm(&application), folder + "/RestoreLogoForm.png");
    written = ui::RenderToPng(*new TBakupLogoForm(&application), folder + "/BakupLogoForm.png") && written;
    if (!written) {
        std::fprintf(stderr, "render-splash: cannot write into %s\n", folder.c_str());
        return 1;
    }
    std::printf("wrote RestoreLogoForm.png and BakupLogoForm.png into %s\n", folder.c_str());
    return 0;
}
