#include <QApplication>
#include <QStringList>

#include "modConvert.h"

// The migration wizard: run by the installer with "/install".
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    modConvert::Main(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    return 0;
}
