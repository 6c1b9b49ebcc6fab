#include "Date.h"

#include <algorithm>
#include <cmath>

#include "RuntimeError.h"

namespace vb {

namespace {

constexpr int64_t SecondsPerDay = 86400;
// Days from 1970-01-01 back to day 0, 1899-12-30.
constexpr int64_t EpochOffset = -25569;
// The runtime's range of dates: 100-01-01 to 9999-12-31.
constexpr int64_t FirstDay = -657434;
constexpr int64_t LastDay = 2958465;

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Proleptic Gregorian day count from 1970-01-01 (after H. Hinnant's civil algorithms).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = floorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    int year;
    int month;
    int day;
};

Civil civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = floorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

Civil civilOf(int64_t dayNumber) {
    return civilFromDays(dayNumber + EpochOffset);
}

// Day number of a year, month and day, months and days rolling over.
int64_t dayNumberOf(int64_t year, int64_t month, int64_t day) {
    const int64_t months = year * 12 + (month - 1);
    const int64_t y = floorDiv(months, 12);
    const int64_t m = months - y * 12 + 1;
    return daysFromCivil(y, m, 1) - EpochOffset + (day - 1);
}

int64_t checkedSeconds(int64_t seconds, ErrorNumber error) {
    const int64_t day = floorDiv(seconds, SecondsPerDay);
    if (day < FirstDay || day > LastDay) {
        throw RuntimeError(error);
    }
    return seconds;
}

int64_t timeOfDay(int64_t seconds) {
    return seconds - floorDiv(seconds, SecondsPerDay) * SecondsPerDay;
}

// Reads 1 to maxDigits digits at pos.
std::optional<int> readNumber(QStringView text, qsizetype& pos, int maxDigits) {
    int value = 0;
    int count = 0;
    while (pos < text.size() && count < maxDigits && text[pos] >= u'0' && text[pos] <= u'9') {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++count;
    }
    if (count == 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

Date Date::fromYmd(int year, int month, int day) {
    return fromYmdHms(year, month, day, 0, 0, 0);
}

Date Date::fromYmdHms(int year, int month, int day, int hour, int minute, int second) {
    if (std::abs(year) > 100000 || std::abs(month) > 1200000 || std::abs(day) > 36500000) {
        throw RuntimeError(errInvalidProcedureCall);
    }
    const int64_t seconds = dayNumberOf(year, month, day) * SecondsPerDay + int64_t{hour} * 3600 +
                            int64_t{minute} * 60 + second;
    return Date(checkedSeconds(seconds, errInvalidProcedureCall));
}

// The serial's whole part is the day and its fraction the time of day, also for
// days before day 0 (-1.25 is 1899-12-29 06:00), rounded to the nearest second.
Date Date::fromSerial(double serial) {
    if (!std::isfinite(serial) || serial < FirstDay - 1 || serial > LastDay + 1) {
        throw RuntimeError(errOverflow);
    }
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    const int64_t seconds = static_cast<int64_t>(whole) * SecondsPerDay +
                            static_cast<int64_t>(std::llround(fraction * SecondsPerDay));
    return Date(checkedSeconds(seconds, errOverflow));
}

std::optional<Date> Date::parse(QStringView text) {
    text = text.trimmed();
    qsizetype pos = 0;
    const qsizetype yearStart = pos;
    const std::optional<int> year = readNumber(text, pos, 4);
    if (!year || pos - yearStart < 3 || pos >= text.size()) {
        return std::nullopt;
    }
    const QChar separator = text[pos];
    if (separator != u'/' && separator != u'-') {
        return std::nullopt;
    }
    ++pos;
    const std::optional<int> month = readNumber(text, pos, 2);
    if (!month || pos >= text.size() || text[pos] != separator) {
        return std::nullopt;
    }
    ++pos;
    const std::optional<int> day = readNumber(text, pos, 2);
    if (!day || *year < 100 || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (pos < text.size()) {
        if (text[pos] != u' ') {
            return std::nullopt;
        }
        while (pos < text.size() && text[pos] == u' ') {
            ++pos;
        }
        const std::optional<int> h = readNumber(text, pos, 2);
        if (!h || pos >= text.size() || text[pos] != u':') {
            return std::nullopt;
        }
        ++pos;
        const std::optional<int> n = readNumber(text, pos, 2);
        if (!n) {
            return std::nullopt;
        }
        std::optional<int> s = 0;
        if (pos < text.size() && text[pos] == u':') {
            ++pos;
            s = readNumber(text, pos, 2);
        }
        if (!s || pos != text.size() || *h > 23 || *n > 59 || *s > 59) {
            return std::nullopt;
        }
        hour = *h;
        minute = *n;
        second = *s;
    }
    return fromYmdHms(*year, *month, *day, hour, minute, second);
}

double Date::serial() const {
    const int64_t day = dayNumber();
    const double fraction = static_cast<double>(timeOfDay(seconds_)) / SecondsPerDay;
    return day >= 0 ? day + fraction : day - fraction;
}

int64_t Date::dayNumber() const {
    return floorDiv(seconds_, SecondsPerDay);
}

int Date::year() const {
    return civilOf(dayNumber()).year;
}

int Date::month() const {
    return civilOf(dayNumber()).month;
}

int Date::day() const {
    return civilOf(dayNumber()).day;
}

int Date::hour() const {
    return static_cast<int>(timeOfDay(seconds_) / 3600);
}

int Date::minute() const {
    return static_cast<int>(timeOfDay(seconds_) / 60 % 60);
}

int Date::second() const {
    return static_cast<int>(timeOfDay(seconds_) % 60);
}

// Day 0 was a Saturday.
int Date::weekday() const {
    return static_cast<int>((dayNumber() % 7 + 13) % 7) + 1;
}

Date Date::dateOnly() const {
    return Date(dayNumber() * SecondsPerDay);
}

Date Date::addDays(int days) const {
    return Date(checkedSeconds(seconds_ + int64_t{days} * SecondsPerDay, errInvalidProcedureCall));
}

Date Date::addMonths(int months) const {
    const Civil civil = civilOf(dayNumber());
    const int64_t total = int64_t{civil.year} * 12 + (civil.month - 1) + months;
    const int64_t year = floorDiv(total, 12);
    const int month = static_cast<int>(total - year * 12) + 1;
    if (year < 100 || year > 9999) {
        throw RuntimeError(errInvalidProcedureCall);
    }
    const int day = std::min(civil.day, daysInMonth(static_cast<int>(year), month));
    return Date(dayNumberOf(year, month, day) * SecondsPerDay + timeOfDay(seconds_));
}

Date Date::firstOfMonth() const {
    const Civil civil = civilOf(dayNumber());
    return Date(dayNumberOf(civil.year, civil.month, 1) * SecondsPerDay);
}

Date Date::lastOfMonth() const {
    const Civil civil = civilOf(dayNumber());
    return Date(dayNumberOf(civil.year, civil.month, daysInMonth(civil.year, civil.month)) *
                SecondsPerDay);
}

bool Date::isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int Date::daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        throw RuntimeError(errInvalidProcedureCall);
    }
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

QString Date::toString() const {
    const Civil civil = civilOf(dayNumber());
    QString text = QStringLiteral("%1/%2/%3")
                       .arg(civil.year, 4, 10, QChar(u'0'))
                       .arg(civil.month, 2, 10, QChar(u'0'))
                       .arg(civil.day, 2, 10, QChar(u'0'));
    if (timeOfDay(seconds_) != 0) {
        text += QStringLiteral(" %1:%2:%3")
                    .arg(hour())
                    .arg(minute(), 2, 10, QChar(u'0'))
                    .arg(second(), 2, 10, QChar(u'0'));
    }
    return text;
}

}  // namespace vb
