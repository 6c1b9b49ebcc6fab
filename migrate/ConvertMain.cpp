#include <QFileInfo>

#include "core/DatabaseFiles.h"
#include "core/XXCommonFunctions.h"
#include "frmConvert.h"
#include "modConvert.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"

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
    DetaCheck_Set::DBPassword = DatabaseFiles::DatabasePassword;
    frmConvert form;
    form.SetDeleteOnUnload(false);
    form.Show(forms::vbModal);
}

bool RestartSetup() {
    const QString program = XX共通関数::GetAppPath() + kSetupProgram;
    if (!QFileInfo(program).isExecutable()) {
        return false;
    }
    return XX共通関数::LaunchProgram(program + " /install reset") != 0;
}

}  // namespace modConvert
