#include <QApplication>
#include <QStringList>

#include "modSetup.h"
#include "platform/forms/Translations.h"

// The setup wizard: run by the installer with "/install" (or "/install reset").
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    forms::LoadJapaneseTranslations();
    modSetup::Main(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    return 0;
}
