#include "AccessADOClass.h"
#include "XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"

namespace XX共通関数 {

namespace {

struct ErrorMessage {
    QString text;
    int style;
    bool databaseTitle;  // "Error" in place of the caller's title
    bool endsProgram;    // with endFlag 1
};

const QString kRestore = QStringLiteral("\r\nDataBaseを復元してください。");

bool messageOf(int32_t code, ErrorMessage& message) {
    switch (code) {
        case AccessADOClass::CannotOpen:
            // A database on a server that cannot be opened is one not reached, never a
            // damaged file that a restore would mend.
            message = {AccessADOClass::InitialProvider() == 1
                           ? QStringLiteral("DataBaseサーバーに接続できませんでした。\r\n"
                                            "サーバーの起動と接続の設定を確認してください。")
                           : QStringLiteral("DataBaseが破損している恐れがあります。") + kRestore,
                       forms::vbCritical, true, true};
            return true;
        case AccessADOClass::FileNotFound:
            message = {QStringLiteral("DataBaseが存在しません。") + kRestore, forms::vbCritical,
                       true, true};
            return true;
        case ReadFailed:
            message = {QStringLiteral("Dataが抽出できませんでした。"), forms::vbExclamation, false,
                       true};
            return true;
        case BeforeInitialData:
            message = {QStringLiteral("指定された日付は初期Data前の日付です。"),
                       forms::vbExclamation, false, false};
            return true;
        case AfterToday:
            message = {QStringLiteral("指定された日付は現在の日付より後の日付です。"),
                       forms::vbExclamation, false, false};
            return true;
        case BasicDataFailed:
            message = {QStringLiteral("基本データ取得に失敗しました。"), forms::vbExclamation,
                       false, true};
            return true;
        case RegisterFailed:
            message = {QStringLiteral("Dataの登録に失敗しました。"), forms::vbExclamation, false,
                       false};
            return true;
        case DeleteFailed:
            message = {QStringLiteral("Dataの削除に失敗しました。"), forms::vbExclamation, false,
                       false};
            return true;
        case DeleteCheckFailed:
            message = {QStringLiteral("削除Dataのチェックに失敗しました。"), forms::vbExclamation,
                       false, false};
            return true;
        default:
            return false;
    }
}

QString doneTextOf(int16_t code) {
    switch (code) {
        case Registered:
            return QStringLiteral("Dataが正常に登録されました。");
        case Deleted:
            return QStringLiteral("Dataが正常に削除されました。");
        case Saved:
            return QStringLiteral("Dataが正常に保存されました。");
        case Printed:
            return QStringLiteral("Dataが正常に印刷されました。");
        default:
            return QString();
    }
}

}  // namespace

void ShowErrorMessage(int32_t code, const QString& title, uint8_t endFlag,
                      const QString& errorText) {
    ErrorMessage message;
    if (messageOf(code, message)) {
        forms::MsgBox(message.text, message.style,
                      message.databaseTitle ? QStringLiteral("Error") : title);
        if (endFlag == 1 && message.endsProgram) {
            forms::App::End(0);
        }
        return;
    }
    if (code < 0) {
        // A failure without a message of its own still tells the user what happened.
        QString text = QStringLiteral("エラーが発生しました。(コード: %1)").arg(code);
        if (!errorText.isEmpty()) {
            text += QStringLiteral("\r\n") + errorText;
        }
        forms::MsgBox(text, forms::vbExclamation, title);
    }
}

void ShowDoneMessage(int16_t code, const QString& title) {
    forms::MsgBox(doneTextOf(code), forms::vbInformation, title);
}

}  // namespace XX共通関数
