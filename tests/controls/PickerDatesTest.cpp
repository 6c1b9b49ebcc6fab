#include <gtest/gtest.h>

#include "controls/PickerDates.h"

namespace {

using vb::Date;

TEST(PickerDatesTest, MonthTextsHaveOneWidth) {
    const char* texts[] = {" 1 月", " 2 月", " 3 月", " 4 月", " 5 月", " 6 月",
                           " 7 月", " 8 月", " 9 月", "10 月", "11 月", "12 月"};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(PickerDates::MonthText(month), QString::fromUtf8(texts[month - 1]));
    }
}

TEST(PickerDatesTest, ChoosingAMonthOrYearKeepsTheDayWhereItFits) {
    struct Case {
        int year;
        int month;
        int day;
        Date expected;
    };
    const Case cases[] = {
        {2024, 4, 31, Date::fromYmd(2024, 4, 30)},  // 31 March and April
        {2024, 2, 31, Date::fromYmd(2024, 2, 29)},   {2023, 2, 31, Date::fromYmd(2023, 2, 28)},
        {2025, 2, 29, Date::fromYmd(2025, 2, 28)},  // 29 February 2024 and the next year
        {2024, 12, 31, Date::fromYmd(2024, 12, 31)}, {1980, 1, 15, Date::fromYmd(1980, 1, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toString().toStdString());
        EXPECT_EQ(PickerDates::WithYearMonth(c.year, c.month, c.day), c.expected);
    }
}

TEST(PickerDatesTest, YearButtonsWrapWithinTheOfferedYears) {
    EXPECT_EQ(PickerDates::NextYear(2099), 1980);
    EXPECT_EQ(PickerDates::NextYear(2150), 1980);
    EXPECT_EQ(PickerDates::NextYear(2024), 2025);
    EXPECT_EQ(PickerDates::PrevYear(1980), 2099);
    EXPECT_EQ(PickerDates::PrevYear(1979), 2099);
    EXPECT_EQ(PickerDates::PrevYear(2024), 2023);
}

TEST(PickerDatesTest, TypedYearsOutsideTheRangeAreRefused) {
    EXPECT_FALSE(PickerDates::TypedYear(QString()));
    EXPECT_FALSE(PickerDates::TypedYear(QStringLiteral("1979")));
    EXPECT_FALSE(PickerDates::TypedYear(QStringLiteral("2100")));
    EXPECT_FALSE(PickerDates::TypedYear(QStringLiteral("24")));
    EXPECT_EQ(PickerDates::TypedYear(QStringLiteral("1980")), 1980);
    EXPECT_EQ(PickerDates::TypedYear(QStringLiteral("2099")), 2099);
}

TEST(PickerDatesTest, OpensOnNowWhenTheYearIsNotOffered) {
    const Date now = Date::fromYmdHms(2024, 5, 15, 9, 30, 0);
    const Date kept = Date::fromYmdHms(1980, 1, 1, 23, 59, 0);
    EXPECT_EQ(PickerDates::StartDate(kept, now), kept);
    EXPECT_EQ(PickerDates::StartDate(Date::fromYmd(1979, 12, 31), now), now);
    EXPECT_EQ(PickerDates::StartDate(Date::fromYmd(2100, 1, 1), now), now);
}

}  // namespace
