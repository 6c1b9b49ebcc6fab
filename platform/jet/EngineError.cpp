#include "EngineError.h"

#include <sqlcipher/sqlite3.h>

#include "SessionPool.h"

namespace jet {

namespace {

QString phrase(ErrorNumber number) {
    switch (number) {
        case errFileNotFound:
            return QStringLiteral("データベースファイルが見つかりません。");
        case errCannotOpen:
        case errNewerFormat:
            return QStringLiteral("データベースを開けません。");
        case errBusy:
            return QStringLiteral("データベースは使用中です。");
        case errSyntax:
            return QStringLiteral("SQL文に誤りがあります。");
        case errTableNotFound:
            return QStringLiteral("テーブルが見つかりません。");
        case errTimedOut:
            return QStringLiteral("データベースの確認が時間内に終わりませんでした。");
        case errExecution:
            return QStringLiteral("SQL文を実行できませんでした。");
        case errDuplicateKey:
            return QStringLiteral("キーが重複しています。");
        case errNotOpen:
            return QStringLiteral("データベースに接続されていません。");
        case errTransaction:
            return QStringLiteral("トランザクションを処理できませんでした。");
        case errConnectionText:
            return QStringLiteral("接続文字列が正しくありません。");
        case errFileExists:
            return QStringLiteral("データベースファイルが既に存在します。");
        case errNone:
            break;
    }
    return QString();
}

ErrorNumber numberFor(int resultCode, ErrorNumber otherwise) {
    switch (resultCode & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return errBusy;
        case SQLITE_CONSTRAINT:
            return errDuplicateKey;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return errCannotOpen;
        default:
            return otherwise;
    }
}

}  // namespace

Error makeError(ErrorNumber number, const QString& detail) {
    return {number, detail.isEmpty() ? phrase(number) : phrase(number) + u' ' + detail};
}

Error engineError(sqlite3* db, int resultCode, ErrorNumber otherwise) {
    if (db) {
        SessionPool::noteFailure(db);
    }
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
    return makeError(numberFor(resultCode, otherwise), QString::fromUtf8(message));
}

}  // namespace jet
