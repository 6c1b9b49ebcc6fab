#include <gtest/gtest.h>

#include "controls/CalendarMonth.h"

namespace {

using vb::Date;

Date cell(const CalendarMonth& month, int row, int col) {
    Date date;
    EXPECT_TRUE(month.CellDate(row, col, date));
    return date;
}

TEST(CalendarMonthTest, AMonthStartingOnSundayBeginsInTheFirstCell) {
    const CalendarMonth september(Date::fromYmdHms(2024, 9, 17, 8, 0, 0));  // 1 Sep 2024: Sunday
    EXPECT_EQ(cell(september, 0, 0), Date::fromYmd(2024, 9, 1));
    EXPECT_EQ(cell(september, 4, 1), Date::fromYmd(2024, 9, 30));
    EXPECT_EQ(cell(september, 5, 6), Date::fromYmd(2024, 10, 12));
}

TEST(CalendarMonthTest, AMonthStartingOnSaturdayFitsInSixRows) {
    const CalendarMonth june(Date::fromYmd(2024, 6, 30));  // 1 June 2024: Saturday
    EXPECT_EQ(cell(june, 0, 0), Date::fromYmd(2024, 5, 26));
    EXPECT_EQ(cell(june, 0, 5), Date::fromYmd(2024, 5, 31));
    EXPECT_EQ(cell(june, 0, 6), Date::fromYmd(2024, 6, 1));
    EXPECT_EQ(cell(june, 5, 0), Date::fromYmd(2024, 6, 30));
    EXPECT_EQ(cell(june, 5, 6), Date::fromYmd(2024, 7, 6));
    const vb::VariantArray days = june.DayNumbers();
    EXPECT_EQ(days(0, 0).toInteger(), 26);
    EXPECT_EQ(days(5, 0).toInteger(), 30);
}

TEST(CalendarMonthTest, FindsTheDayOfADateWithItsTime) {
    const CalendarMonth june(Date::fromYmd(2024, 6, 1));
    int row = -1;
    int col = -1;
    ASSERT_TRUE(june.Find(Date::fromYmdHms(2024, 6, 12, 14, 5, 0), row, col));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(col, 3);
    EXPECT_FALSE(june.Find(Date::fromYmd(2024, 8, 1), row, col));
    Date date;
    EXPECT_FALSE(june.CellDate(-1, 0, date));
    EXPECT_FALSE(june.CellDate(0, 7, date));
}

}  // namespace
