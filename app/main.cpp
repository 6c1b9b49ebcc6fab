#include <QApplication>
#include <QStringList>

#include "Startup.h"
#include "platform/forms/App.h"
#include "platform/forms/Translations.h"

// The main program: start-up, then the events of its screens for as long as one is loaded.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    forms::LoadJapaneseTranslations();
    MainModule::Main(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    return forms::App::Run();
}
