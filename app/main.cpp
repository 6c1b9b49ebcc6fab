#include <QApplication>
#include <QStringList>

#include "Startup.h"
#include "platform/forms/App.h"
#include "platform/forms/Translations.h"
#include "platform/printer/WorkFolder.h"

// The main program: start-up, then the events of its screens for as long as one is loaded.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    forms::LoadJapaneseTranslations();
    // What the prints of a killed run left in the temporary folder.
    printer::WorkFolder::removeAbandoned();
    MainModule::Main(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    return forms::App::Run();
}
