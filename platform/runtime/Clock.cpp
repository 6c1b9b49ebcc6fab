#include "Clock.h"

#include <QDateTime>
#include <mutex>

namespace vb {

namespace {

std::mutex clockMutex;
std::optional<Date> fixedTime;

}  // namespace

Date Now() {
    {
        const std::lock_guard lock(clockMutex);
        if (fixedTime) {
            return *fixedTime;
        }
    }
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return Date::fromYmdHms(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                            time.second());
}

Date Today() {
    return Now().dateOnly();
}

void setClock(std::optional<Date> fixed) {
    const std::lock_guard lock(clockMutex);
    fixedTime = fixed;
}

}  // namespace vb
