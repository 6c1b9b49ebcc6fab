#include "Startup.h"

#include "backup/DataRecovery.h"
#include "backup/RestoreAndEnd.h"
#include "core/AccessADOClass.h"
#include "core/CommonClass.h"
#include "core/DatabaseFiles.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "screens/menu/MenuLayout.h"
#include "screens/menu/frmMenu.h"

namespace MainModule {

namespace {

void UseDatabase(const QString& fileName, const QString& password, const QString& folder) {
    DBFileName = fileName;
    DBPassword = password;
    DBFolder = folder;
}

QString ProgramFolder() {
    return SharedCommon().MidPath(forms::App::Path());
}

}  // namespace

void Main(const QString& commandLine) {
    if (XX共通関数::CheckSingleInstance()) {
        return;
    }
    bool chosen = false;
    if (commandLine.toLower() == QStringLiteral("/debug")) {
        switch (forms::MsgBox(QStringLiteral("デバックモードで起動しますか？"),
                              forms::vbYesNoCancel | forms::vbQuestion, forms::App::Title())) {
            case forms::vbYes:
                UseDatabase(DatabaseFiles::DevelopmentDatabaseName, QString(), ProgramFolder());
                chosen = true;
                break;
            case forms::vbNo:
                UseDatabase(DatabaseFiles::DatabaseName, DatabaseFiles::DatabasePassword,
                            ProgramFolder());
                chosen = true;
                break;
            default:
                break;
        }
    }
    if (!chosen) {
        UseDatabase(DatabaseFiles::DatabaseName, DatabaseFiles::DatabasePassword,
                    DatabaseFiles::DataFolder());
    }
    LayoutFolder = DBFolder;
    DataRecovery::Recover(DBFolder);

    int32_t failure = 0;
    for (int32_t (*load)() : {CheckDatabase, LoadSystemId, LoadBasicSettings, LoadLastCloseDate}) {
        if (const int32_t result = load(); result < 0) {
            failure = result;
            break;
        }
    }
    if (failure == 0) {
        CheckMasterData(&failure);
    }
    if (failure == AccessADOClass::CannotOpen || failure == AccessADOClass::FileNotFound) {
        RestoreAndEnd();
        return;
    }
    if (failure < 0) {
        return;
    }
    frmMenu.ViewMenu(MenuLayout::MainMenu, PictureFlg);
}

}  // namespace MainModule
