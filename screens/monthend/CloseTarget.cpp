#include "CloseTarget.h"

#include "core/MainModule.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"

namespace CloseTarget {

vb::Date Month() {
    if (!MainModule::HasCloseDate) {
        return vb::Today().firstOfMonth();
    }
    return MainModule::LastCloseDate.firstOfMonth().addMonths(1);
}

bool Allowed(const vb::Date& month) {
    return vb::Format(month, "yyyy/mm/dd") <= vb::Format(vb::Today(), "yyyy/mm/dd");
}

QString Announcement(const vb::Date& month) {
    const QString head = QString::number(month.year()) + "年 " + QString::number(month.month());
    if (!Allowed(month)) {
        return head +
               "月の締め処理はできません。\r\n[戻る]ボタンを押し、メニュー画面へ戻ってください。";
    }
    return head + "月の締め処理を行います。\r\nよろしければ[確定]ボタンを押してください。";
}

}  // namespace CloseTarget
