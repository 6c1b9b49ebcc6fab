#include "modSetup.h"

#include "backup/DataRecovery.h"
#include "core/CommonClass.h"
#include "core/DatabaseCheck.h"
#include "core/DatabaseFiles.h"
#include "core/XXCommonFunctions.h"
#include "frmSetup.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"

namespace modSetup {

QString DBFileName;
QString DBPassword;
QString DBFolder;
bool ResetMode = false;

namespace {

const QString kInstall = QStringLiteral("/install");

void UseDatabase(const QString& fileName, const QString& password, const QString& folder) {
    DBFileName = fileName;
    DBPassword = password;
    DBFolder = folder;
}

void UseInstalledDatabase() {
    UseDatabase(DatabaseFiles::DatabaseName, DatabaseFiles::DatabasePassword,
                DatabaseFiles::DataFolder());
}

}  // namespace

CommonClass& SharedCommon() {
    static CommonClass common;
    return common;
}

bool ChooseDatabase(const QString& commandLine) {
    const QString line = commandLine.toLower();
    ResetMode = false;
    if (line == QLatin1String("/debug")) {
        const QString programFolder = SharedCommon().MidPath(forms::App::Path());
        switch (forms::MsgBox(QStringLiteral("デバックモードで起動しますか？"),
                              forms::vbYesNoCancel | forms::vbQuestion, forms::App::Title())) {
            case forms::vbYes:
                UseDatabase(DatabaseFiles::DevelopmentDatabaseName, QString(), programFolder);
                break;
            case forms::vbNo:
                UseDatabase(DatabaseFiles::DatabaseName, DatabaseFiles::DatabasePassword,
                            programFolder);
                break;
            default:
                UseInstalledDatabase();
                break;
        }
        return true;
    }
    if (!line.startsWith(kInstall)) {
        forms::MsgBox(QStringLiteral("初期設定はシステムのインストール時のみ可能です。"),
                      forms::vbCritical, forms::App::Title());
        return false;
    }
    UseInstalledDatabase();
    ResetMode = line != kInstall;
    return true;
}

void Main(const QString& commandLine) {
    if (!ChooseDatabase(commandLine)) {
        forms::App::End(0);
        return;
    }
    DataRecovery::Recover(DBFolder);
    DatabaseCheck::Recover(DBFolder, DBFileName, DBPassword);
    frmSetup form;
    form.SetDeleteOnUnload(false);
    form.Show(forms::vbModal);
}

}  // namespace modSetup
