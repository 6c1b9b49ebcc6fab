#include "RuntimeError.h"

namespace vb {

RuntimeError::RuntimeError(ErrorNumber number)
    : number_(number), description_(errorDescription(number)) {}

QString errorDescription(ErrorNumber number) {
    switch (number) {
        case errInvalidProcedureCall:
            return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
        case errOverflow:
            return QStringLiteral("オーバーフローしました。");
        case errDivisionByZero:
            return QStringLiteral("0 で除算しました。");
        case errSubscriptOutOfRange:
            return QStringLiteral("インデックスが有効範囲にありません。");
        case errTypeMismatch:
            return QStringLiteral("型が一致しません。");
        case errInvalidPatternString:
            return QStringLiteral("パターン文字列が不正です。");
        case errInvalidUseOfNull:
            return QStringLiteral("Null の使い方が不正です。");
    }
    return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
}

}  // namespace vb
