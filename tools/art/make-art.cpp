// Draws the start-up picture and the two program icons and writes them into
// the source tree given on the command line:
//   make-art SOURCE_DIR   ->  restore/Splash.bmp, restore/MainIcon.ico, backup/MainIcon.ico
#include "Icons.h"
#include "Quantize.h"
#include "Splash.h"
#include "WindowsBitmaps.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-art SOURCE_DIR\n");
        return 2;
    }
    // Fonts need the GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const std::string root = argv[1];
    try {
        constexpr std::uint32_t pixelsPerMetre = 47244; // 1,200 dots an inch
        const art::IndexedPicture splash = art::quantize(art::drawSplashPicture(), 256);
        art::writeFile(root + "/restore/Splash.bmp", art::bmpBytes(splash, pixelsPerMetre));
        art::writeFile(root + "/restore/MainIcon.ico", art::icoBytes(art::restoreIcon()));
        art::writeFile(root + "/backup/MainIcon.ico", art::icoBytes(art::backupIcon()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-art: %s\n", e.what());
        return 1;
    }
    std::printf("wrote restore/Splash.bmp, restore/MainIcon.ico, backup/MainIcon.ico under %s\n",
                root.c_str());
    return 0;
}
