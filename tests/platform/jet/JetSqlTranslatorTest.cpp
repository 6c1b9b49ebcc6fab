#include <gtest/gtest.h>

#include <optional>

#include "platform/jet/JetSqlTranslator.h"
#include "platform/runtime/Date.h"

namespace {

struct Translation {
    const char* jet;
    const char* engine;
};

TEST(JetSqlTranslator, TranslatesJetFormsAndLeavesTheRest) {
    const Translation cases[] = {
        // date literals: padded or not, blanks inside the signs, "-", a time part
        {"Input_Date = #2024/9/1#", "Input_Date = 45536"},
        {"Input_Date = #2024/09/01#", "Input_Date = 45536"},
        {"Input_Date Between #2024/9/1# And # 2024/9/30#", "Input_Date Between 45536 And 45565"},
        {"x=# 2024-9-1 #", "x=45536"},
        {"x = #2024/9/1 12:00#", "x = 45536.5"},
        {"x = #2024/9/1 6:00:00#", "x = 45536.25"},
        {"x = #1899/12/30#", "x = 0"},
        {"x -#1899/12/29#", "x -(-1)"},
        {"Between#2024/9/1#And#2024/9/2#", "Between 45536 And 45537"},
        // Last takes the day as its order; other arities and names are left alone
        {"Last(Unit_Price) AS LastPrice", "Last(Unit_Price, +Input_Date) AS LastPrice"},
        {"last ( Max(a) )", "last ( Max(a) , +Input_Date)"},
        {"Last(a, b) , T.Last(a) , LastDay(a)", "Last(a, b) , T.Last(a) , LastDay(a)"},
        // not a date: left for the engine to reject
        {"x = #2024/2/30#", "x = #2024/2/30#"},
        // brackets
        {"Sum([Sales_Money]-[Cost_Money])", "Sum([Sales_Money]-[Cost_Money])"},
        {"Sum([Management_Tbl.Cost_Money])", "Sum([Management_Tbl].[Cost_Money])"},
        {"[A].[B]", "[A].[B]"},
        // concatenation and Booleans
        {"Classify_No & '-' & Trade_No", "Classify_No || '-' || Trade_No"},
        {"a = True Or b = false", "a = -1 Or b = 0"},
        // division as reals
        {"Sum(a) / 2", "Sum(a) * 1.0 / 2"},
        // a divisor that may be zero is checked: the whole right side and no more
        {"a / b + c", "a * 1.0 / JetDivisor( b) + c"},
        {"a / -T.b * c", "a * 1.0 / JetDivisor( -T.b) * c"},
        {"a / Sum(b - c) / (d + e)",
         "a * 1.0 / JetDivisor( Sum(b - c)) * 1.0 / JetDivisor( (d + e))"},
        {"a / [T.b] / 0", "a * 1.0 / JetDivisor( [T].[b]) * 1.0 / JetDivisor( 0)"},
        {"a / Last(b)", "a * 1.0 / JetDivisor( Last(b, +Input_Date))"},
        // strings and quoted names are never touched
        {"x = '#2024/1/1# [x] a & b True'", "x = '#2024/1/1# [x] a & b True'"},
        {"x = 'O''Brien & [y]' & [z]", "x = 'O''Brien & [y]' || [z]"},
        {"\"a & b\" = 1", "\"a & b\" = 1"},
        // irregular blanks pass through
        {"SELECT COUNT(*)  FROM x Where a = 1 And b = 2",
         "SELECT COUNT(*)  FROM x Where a = 1 And b = 2"},
        {"DELETE  FROM x Where Input_Date = #2024/9/15#",
         "DELETE  FROM x Where Input_Date = 45550"},
        // a lone sign does not swallow a string after it
        {"a # b = '#'", "a # b = '#'"},
    };
    for (const Translation& c : cases) {
        EXPECT_EQ(jet::translateJetSql(QString::fromUtf8(c.jet)).toStdString(), c.engine) << c.jet;
    }
}

TEST(JetSqlTranslator, DateSerialsAgreeWithTheRuntime) {
    EXPECT_EQ(jet::jetDateSerial(u"2024/10/1"), vb::Date::fromYmd(2024, 10, 1).serial());
    EXPECT_EQ(jet::jetDateSerial(u"2000/2/29 23:59:59"),
              vb::Date::fromYmdHms(2000, 2, 29, 23, 59, 59).serial());
    EXPECT_FALSE(jet::jetDateSerial(u"2023/2/29"));
    EXPECT_FALSE(jet::jetDateSerial(u"2024/13/1"));
    EXPECT_FALSE(jet::jetDateSerial(u"2024/1/1 24:00"));
    EXPECT_FALSE(jet::jetDateSerial(u"2024/1-1"));
}

// The written form of a date literal: blanks around and before the time, "/" or "-" used
// throughout, one or two digits, seconds optional; anything else is no date.
TEST(JetSqlTranslator, DateLiteralsAreReadByTheirWrittenForm) {
    const double may = vb::Date::fromYmd(2024, 5, 1).serial();
    const double mayNoon = vb::Date::fromYmdHms(2024, 5, 1, 12, 5, 0).serial();
    const struct {
        const char16_t* text;
        std::optional<double> serial;
    } cases[] = {
        {u" 2024-05-01 ", may},
        {u"\t2024/5/1\r\n", may},
        {u"2024/05/01  12:5", mayNoon},
        {u"2024-5-1 12:05:00 ", mayNoon},
        {u"2024/5/1 1:2:3", vb::Date::fromYmdHms(2024, 5, 1, 1, 2, 3).serial()},
        {u"2024/5/1 12:05:", std::nullopt},
        {u"2024/5/1 12", std::nullopt},
        {u"2024/5/1x", std::nullopt},
        {u"2024/5/1 x", std::nullopt},
        {u"2024/5/123", std::nullopt},
        {u"2024/005/1", std::nullopt},
        {u"20245/5/1", std::nullopt},
        {u"24/5/1", std::nullopt},
        {u"2024/5/1 12:05:007", std::nullopt},
        {u"２０２４/5/1", std::nullopt},
        {u"2024/5/1\u3000", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jet::jetDateSerial(c.text), c.serial) << QString::fromUtf16(c.text).toStdString();
    }
}

}  // namespace
