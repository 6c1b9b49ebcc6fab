#include <QApplication>
#include <QStringList>

#include "modConvert.h"
#include "platform/forms/Translations.h"

// The migration wizard: run by the installer with "/install".
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    forms::LoadJapaneseTranslations();
    modConvert::Main(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    return 0;
}
