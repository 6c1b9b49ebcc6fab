#include "Startup.h"

#include "core/CommonClass.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/shell/SpecialFolders.h"
#include "screens/menu/MenuLayout.h"
#include "screens/menu/frmMenu.h"

namespace MainModule {

namespace {

const QString kDatabase = QStringLiteral("morvik2.mde");
const QString kDevelopmentDatabase = QStringLiteral("morvik2.mdb");
const QString kPassword = QStringLiteral("KORUMA4VXTB");
const QString kDataSubfolder = QStringLiteral("Kelvarn/Sales/Ver2");

void UseDatabase(const QString& fileName, const QString& password, const QString& folder) {
    DBFileName = fileName;
    DBPassword = password;
    DBFolder = folder;
}

QString ProgramFolder() {
    return SharedCommon().MidPath(forms::App::Path());
}

QString DataFolder() {
    return SharedCommon().MidPath(XX共通関数::GetSpecialFolderPath(shell::csidlLocalAppData)) +
           "/" + kDataSubfolder;
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
                UseDatabase(kDevelopmentDatabase, QString(), ProgramFolder());
                chosen = true;
                break;
            case forms::vbNo:
                UseDatabase(kDatabase, kPassword, ProgramFolder());
                chosen = true;
                break;
            default:
                break;
        }
    }
    if (!chosen) {
        UseDatabase(kDatabase, kPassword, DataFolder());
    }
    LayoutFolder = DBFolder;

    if (LoadSystemId() < 0 || LoadBasicSettings() < 0 || LoadLastCloseDate() < 0) {
        return;
    }
    CheckMasterData();
    frmMenu.ViewMenu(MenuLayout::MainMenu, PictureFlg);
}

}  // namespace MainModule
