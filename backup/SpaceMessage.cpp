#include "SpaceMessage.h"

#include "platform/runtime/Format.h"

QString SpaceMessage(const QString& purpose, uint64_t bytes) {
    const double kilobytes = static_cast<double>(bytes / 1000);
    return "空き容量が不足しています。\r\n" + purpose + "には " + vb::Format(kilobytes, "#,##0") +
           " KB 必要です。";
}
