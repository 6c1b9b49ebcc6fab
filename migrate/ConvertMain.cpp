#include <QFileInfo>

#include "backup/DataRecovery.h"
#include "core/DatabaseCheck.h"
#include "core/DatabaseFiles.h"
#include "core/XXCommonFunctions.h"
#include "frmConvert.h"
#include "modConvert.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/shell/Programs.h"

namespace modConvert {

namespace {

const QString kSetupProgram = QStringLiteral("ostrail");

}  // namespace

void Main(const QString& commandLine) {
    if (commandLine.toLower() != QLatin1String("/install")) {
        forms::MsgBox(QStringLiteral("データの移行はシステムのインストール時のみ可能です。"),
                      forms::vbCritical, forms::App::Title());
        forms::App::End(0);
        return;
    }
    DataRecovery::Recover(DatabaseFiles::DataFolder());
    DatabaseCheck::Recover(DatabaseFiles::DataFolder(), DatabaseFiles::DatabaseName,
                           DatabaseFiles::DatabasePassword);
    DetaCheck_Set::DBPassword = DatabaseFiles::DatabasePassword;
    InstallList installations;
    int selectedIndex = -1;
    // As the installer would, the setup and then the migration run again until the
    // migration has ended without asking for the setup.
    for (;;) {
        frmConvert form(installations, selectedIndex);
        form.SetDeleteOnUnload(false);
        form.Show(forms::vbModal);
        if (!form.SetupRequested()) {
            return;
        }
        installations = form.Installations();
        selectedIndex = form.SelectedIndex();
        if (!RestartSetup()) {
            forms::MsgBox(QStringLiteral("初期設定を起動できませんでした。\r\n"
                                         "インストールを中断して最初からやり直してください。"),
                          forms::vbCritical, forms::App::Title());
            return;
        }
    }
}

bool RestartSetup() {
    const QString program = XX共通関数::GetAppPath() + kSetupProgram;
    if (!QFileInfo(program).isExecutable()) {
        return false;
    }
    return shell::runProgram(program, {QStringLiteral("/install"), QStringLiteral("reset")}, -1) !=
           -1;
}

}  // namespace modConvert
