#include "MenuChecks.h"

#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"

namespace MenuChecks {

namespace {

bool Registered(bool flag, const QString& message, const QString& title) {
    if (!flag) {
        forms::MsgBox(message, forms::vbExclamation, title);
    }
    return flag;
}

}  // namespace

bool CloseDateRegistered(const QString& title) {
    return Registered(
        MainModule::HasCloseDate,
        QStringLiteral("月間メンテナンス画面で月次初期データを登録する必要があります。"), title);
}

bool ClassificationsRegistered(const QString& title) {
    return Registered(MainModule::HasClassifications,
                      QStringLiteral("商品分類一覧画面で商品分類データを登録する必要があります。"),
                      title);
}

bool MastersRegistered(const QString& title) {
    return ClassificationsRegistered(title) &&
           Registered(MainModule::HasProducts,
                      QStringLiteral("商品一覧画面で商品データを登録する必要があります。"), title);
}

}  // namespace MenuChecks
