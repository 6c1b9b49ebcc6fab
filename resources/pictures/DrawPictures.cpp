// Draws the program's resource pictures as PNG files into the folder given on the
// command line (one sub-folder per resource type), those of the setup wizard into its
// sub-folder "setup". Runs headless.
#include <QGuiApplication>
#include <cstdio>

#include "MenuPictures.h"
#include "PickerPictures.h"
#include "PictureFolder.h"
#include "SetupPictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-pictures FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    PictureFolder folder(QString::fromLocal8Bit(argv[1]));
    MenuPictures::Write(folder);
    PickerPictures::Write(folder);
    PictureFolder setup(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/setup"));
    SetupPictures::Write(setup);
    return folder.Failed() || setup.Failed() ? 1 : 0;
}
