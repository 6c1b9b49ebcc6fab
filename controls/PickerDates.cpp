#include "PickerDates.h"

#include <algorithm>

#include "platform/runtime/Format.h"
#include "platform/runtime/Strings.h"

vb::Date PickerDates::WithYearMonth(int year, int month, int day) {
    return vb::Date::fromYmd(year, month, std::min(day, vb::Date::daysInMonth(year, month)));
}

vb::Date PickerDates::StartDate(const vb::Date& value, const vb::Date& now) {
    return InRange(value.year()) ? value : now;
}

std::optional<int> PickerDates::TypedYear(const QString& text) {
    const double year = vb::Val(text);
    if (year < FirstYear || year > LastYear) {
        return std::nullopt;
    }
    return static_cast<int>(year);
}

QString PickerDates::MonthText(int month) {
    return vb::Format(vb::Variant(static_cast<int16_t>(month)), QStringLiteral(" ## 月")).right(4);
}
