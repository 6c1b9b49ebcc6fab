#pragma once

#include <QString>
#include <optional>

#include "platform/runtime/Date.h"

// The date rules shared by the date and month pickers: the years they offer, how the
// year buttons wrap, the month list and how a choice builds the new date.
class PickerDates {
  public:
    static constexpr int FirstYear = 1980;
    static constexpr int LastYear = 2099;

    static bool InRange(int year) { return year >= FirstYear && year <= LastYear; }
    // 1980 or less gives 2099, otherwise the year before.
    static int PrevYear(int year) { return year <= FirstYear ? LastYear : year - 1; }
    // 2099 or more gives 1980, otherwise the year after.
    static int NextYear(int year) { return year >= LastYear ? FirstYear : year + 1; }
    // The day in that year and month at midnight, lowered to the month's last day when
    // the month is shorter.
    static vb::Date WithYearMonth(int year, int month, int day);
    // The date a picker opens on: the given one when its year is offered, else now.
    static vb::Date StartDate(const vb::Date& value, const vb::Date& now);
    // The year typed into a year box when it is offered (an empty text counting as 0).
    static std::optional<int> TypedYear(const QString& text);
    // The text of a month in the month list, four characters: " 1 月" to "12 月".
    static QString MonthText(int month);
};
