#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <optional>

namespace vb {

// A calendar date with time of day, counted as the runtime counts it: day 0 is
// 1899-12-30. Held as whole seconds so that comparisons are exact.
class Date {
  public:
    constexpr Date() = default;

    // Like DateSerial: months and days outside their range roll over into the
    // neighbouring months and years.
    static Date fromYmd(int year, int month, int day);
    static Date fromYmdHms(int year, int month, int day, int hour, int minute, int second);
    static Date fromSerial(double serial);
    static constexpr Date fromSeconds(int64_t seconds) { return Date(seconds); }
    // "yyyy/m/d", "yyyy-m-d", optionally followed by " h:nn" or " h:nn:ss".
    static std::optional<Date> parse(QStringView text);

    double serial() const;
    constexpr int64_t seconds() const { return seconds_; }
    int64_t dayNumber() const;  // whole days since day 0

    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    int weekday() const;  // 1 = Sunday ... 7 = Saturday

    Date dateOnly() const;
    Date addDays(int days) const;
    // DateAdd "m": the day is cut back to the last day of the target month.
    Date addMonths(int months) const;
    Date addYears(int years) const { return addMonths(years * 12); }
    // The first and last day of the month, at midnight.
    Date firstOfMonth() const;
    Date lastOfMonth() const;

    static bool isLeapYear(int year);
    static int daysInMonth(int year, int month);

    // "yyyy/mm/dd", with " h:nn:ss" when the time is not midnight.
    QString toString() const;

    constexpr auto operator<=>(const Date&) const = default;

  private:
    explicit constexpr Date(int64_t seconds) : seconds_(seconds) {}
    int64_t seconds_ = 0;
};

}  // namespace vb
