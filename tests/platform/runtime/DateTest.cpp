#include <gtest/gtest.h>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/RuntimeError.h"

namespace vb {
namespace {

std::string text(const Date& date) {
    return date.toString().toStdString();
}

TEST(DateTest, SerialsCountFromDayZero) {
    EXPECT_EQ(text(Date()), "1899/12/30");
    EXPECT_EQ(text(Date::fromSerial(1)), "1899/12/31");
    EXPECT_EQ(Date::fromYmd(1900, 3, 1).serial(), 61);
    EXPECT_EQ(Date::fromYmd(2024, 1, 1).serial(), 45292);
    EXPECT_EQ(Date::fromYmd(100, 1, 1).serial(), -657434);
    EXPECT_EQ(Date::fromYmd(9999, 12, 31).serial(), 2958465);
    EXPECT_EQ(text(Date::fromSerial(45292.5)), "2024/01/01 12:00:00");
    // Before day 0 the fraction still counts forward within its day.
    EXPECT_EQ(text(Date::fromSerial(-1.25)), "1899/12/29 6:00:00");
    EXPECT_DOUBLE_EQ(Date::fromSerial(-1.25).serial(), -1.25);
    // Rounded to the nearest second, carrying into the next day.
    EXPECT_EQ(text(Date::fromSerial(45292.0 + 0.4 / 86400)), "2024/01/01");
    EXPECT_EQ(text(Date::fromSerial(45292.0 + 1.6 / 86400)), "2024/01/01 0:00:02");
    EXPECT_EQ(text(Date::fromSerial(45292.99999999)), "2024/01/02");
    EXPECT_THROW(Date::fromSerial(3e6), RuntimeError);
    EXPECT_THROW(Date::fromYmd(10000, 1, 1), RuntimeError);
}

TEST(DateTest, FromYmdRollsOverLikeDateSerial) {
    EXPECT_EQ(text(Date::fromYmd(2023, 13, 1)), "2024/01/01");
    EXPECT_EQ(text(Date::fromYmd(2024, 0, 15)), "2023/12/15");
    EXPECT_EQ(text(Date::fromYmd(2024, 3, 0)), "2024/02/29");
    EXPECT_EQ(text(Date::fromYmd(2023, 3, 0)), "2023/02/28");
    EXPECT_EQ(text(Date::fromYmd(2024, 1, 32)), "2024/02/01");
    EXPECT_EQ(text(Date::fromYmd(2024, -1, 1)), "2023/11/01");
    EXPECT_EQ(text(Date::fromYmdHms(2024, 1, 1, 25, 0, 0)), "2024/01/02 1:00:00");
    EXPECT_EQ(text(Date::fromYmdHms(2024, 1, 1, 9, 5, 3)), "2024/01/01 9:05:03");
}

TEST(DateTest, AddMonthsCutsTheDay) {
    struct Case {
        Date from;
        int months;
        const char* expected;
    };
    const Case cases[] = {
        {Date::fromYmd(2024, 1, 31), 1, "2024/02/29"},
        {Date::fromYmd(2023, 1, 31), 1, "2023/02/28"},
        {Date::fromYmd(2100, 1, 31), 1, "2100/02/28"},
        {Date::fromYmd(2000, 1, 31), 1, "2000/02/29"},
        {Date::fromYmd(2024, 12, 15), 1, "2025/01/15"},
        {Date::fromYmd(2024, 1, 15), -1, "2023/12/15"},
        {Date::fromYmd(2024, 3, 31), -1, "2024/02/29"},
        {Date::fromYmd(2024, 2, 29), 12, "2025/02/28"},
        {Date::fromYmd(2024, 5, 31), -17, "2022/12/31"},
        {Date::fromYmdHms(2024, 1, 31, 10, 30, 0), 1, "2024/02/29 10:30:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(c.from.addMonths(c.months)), c.expected) << text(c.from) << " " << c.months;
    }
    EXPECT_EQ(text(Date::fromYmd(2024, 2, 29).addYears(1)), "2025/02/28");
    EXPECT_EQ(text(Date::fromYmd(2024, 12, 31).addDays(1)), "2025/01/01");
    EXPECT_THROW(Date::fromYmd(9999, 12, 1).addMonths(1), RuntimeError);
}

TEST(DateTest, FirstAndLastOfMonth) {
    struct Case {
        Date date;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {Date::fromYmdHms(2024, 2, 10, 13, 0, 0), "2024/02/01", "2024/02/29"},
        {Date::fromYmd(2100, 2, 28), "2100/02/01", "2100/02/28"},
        {Date::fromYmd(2000, 2, 1), "2000/02/01", "2000/02/29"},
        {Date::fromYmd(2023, 12, 31), "2023/12/01", "2023/12/31"},
        {Date::fromYmd(2024, 1, 1), "2024/01/01", "2024/01/31"},
        {Date::fromYmd(2024, 4, 30), "2024/04/01", "2024/04/30"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(c.date.firstOfMonth()), c.first);
        EXPECT_EQ(text(c.date.lastOfMonth()), c.last);
    }
    EXPECT_TRUE(Date::isLeapYear(2024));
    EXPECT_TRUE(Date::isLeapYear(2000));
    EXPECT_FALSE(Date::isLeapYear(2100));
    EXPECT_FALSE(Date::isLeapYear(2023));
}

TEST(DateTest, PartsAndWeekday) {
    const Date d = Date::fromYmdHms(2024, 7, 6, 23, 59, 58);
    EXPECT_EQ(d.year(), 2024);
    EXPECT_EQ(d.month(), 7);
    EXPECT_EQ(d.day(), 6);
    EXPECT_EQ(d.hour(), 23);
    EXPECT_EQ(d.minute(), 59);
    EXPECT_EQ(d.second(), 58);
    EXPECT_EQ(d.weekday(), 7);  // a Saturday
    EXPECT_EQ(Date::fromYmd(2024, 7, 7).weekday(), 1);
    EXPECT_EQ(Date().weekday(), 7);
    EXPECT_EQ(Date::fromSerial(-1).weekday(), 6);
    EXPECT_EQ(text(d.dateOnly()), "2024/07/06");
    EXPECT_LT(d.dateOnly(), d);
}

TEST(DateTest, Parse) {
    struct Case {
        const char16_t* text;
        const char* expected;  // nullptr: refused
    };
    const Case cases[] = {
        {u"2024/1/5", "2024/01/05"},
        {u"2024-01-05", "2024/01/05"},
        {u" 2024/12/31 ", "2024/12/31"},
        {u"2024/2/29 9:05", "2024/02/29 9:05:00"},
        {u"2024/2/29 23:59:59", "2024/02/29 23:59:59"},
        {u"2023/2/29", nullptr},
        {u"2024/13/1", nullptr},
        {u"2024/1-5", nullptr},
        {u"2024/1/5 24:00", nullptr},
        {u"2024/1/5 9:60", nullptr},
        {u"2024/1/5x", nullptr},
        {u"24/1/5", nullptr},
        {u"", nullptr},
        {u"abc", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<Date> date = Date::parse(c.text);
        if (c.expected) {
            ASSERT_TRUE(date.has_value()) << c.expected;
            EXPECT_EQ(text(*date), c.expected);
        } else {
            EXPECT_FALSE(date.has_value()) << QString::fromUtf16(c.text).toStdString();
        }
    }
}

TEST(DateTest, ClockCanBeFixed) {
    const Date fixed = Date::fromYmdHms(2024, 3, 31, 18, 30, 0);
    setClock(fixed);
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(text(Today()), "2024/03/31");
    setClock(std::nullopt);
    const Date now = Now();
    EXPECT_NE(now, fixed);
    EXPECT_GT(now.year(), 2000);
    EXPECT_EQ(Today().seconds() % 86400, 0);
}

}  // namespace
}  // namespace vb
