#include <gtest/gtest.h>

#include "platform/runtime/Format.h"
#include "platform/runtime/VariantArray.h"

namespace vb {
namespace {

struct Case {
    Variant value;
    const char* pattern;
    const char* expected;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        const QString pattern = QString::fromUtf8(c.pattern);
        const QString shown = Format(c.value, pattern);
        EXPECT_EQ(shown.toStdString(), c.expected)
            << "Format(" << (c.value.isNull() ? "Null" : c.value.toString().toStdString()) << ", \""
            << c.pattern << "\")";
    }
}

Currency money(const char16_t* text) {
    return *Currency::parse(text);
}

TEST(FormatTest, ZeroRuns) {
    expectAll({
        {int32_t{5}, "000", "005"},
        {int32_t{1234}, "000", "1234"},
        {"12", "000", "012"},
        {" 7 ", "000", "007"},
        {int32_t{4}, "00", "04"},
        {int32_t{12}, "0000000", "0000012"},
        {"123", "0000000000000", "0000000000123"},
        {int32_t{0}, "000", "000"},
        {Variant(), "000", "000"},
        {int32_t{1234}, "000-0000", "000-1234"},
        {int32_t{12345678}, "000-0000", "1234-5678"},
    });
}

TEST(FormatTest, GroupingAndDecimals) {
    expectAll({
        {int32_t{0}, "###,###,##0", "0"},
        {int32_t{999}, "###,###,##0", "999"},
        {int32_t{1000}, "###,###,##0", "1,000"},
        {int32_t{1234567}, "###,###,##0", "1,234,567"},
        {int32_t{-1234567}, "###,###,##0", "-1,234,567"},
        {1234567890123.0, "###,###,##0", "1,234,567,890,123"},
        {1234567.891, "###,###,##0.00", "1,234,567.89"},
        {money(u"-1234.5"), "###,###,##0.00", "-1,234.50"},
        {0.0, "###,###,##0.00", "0.00"},
        {int32_t{123}, "#########0.00", "123.00"},
        {-0.5, "########0.00", "-0.50"},
        {int32_t{1536}, "#,##0 KB", "1,536 KB"},
        {0.4, "#,##0 KB", "0 KB"},
        {"1,234.5", "###,###,##0.00", "1,234.50"},
        {1.5, "0.00", "1.50"},
        {int32_t{0}, "#", ""},
        {0.5, "#.##", ".5"},
        {1.5, ".00", "1.50"},
        {-1.5, "\"¥\".00", "¥-1.50"},
        {int32_t{5}, "#.##", "5."},
        {1.5, "0.0#", "1.5"},
        {1.567, "0.0#", "1.57"},
        {1e20, "0", "100000000000000000000"},
        {true, "0", "-1"},
        {Date::fromYmd(2024, 1, 1), "0", "45292"},
        {int32_t{5}, "\"No.\"000", "No.005"},
        {int32_t{5}, "\\#0", "#5"},
    });
}

// Format rounds halves away from zero on the decimal value as written.
TEST(FormatTest, RoundsHalvesAwayFromZero) {
    expectAll({
        {0.125, "0.00", "0.13"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {0.5, "0", "1"},
        {1.5, "0", "2"},
        {2.675, "0.00", "2.68"},
        {1.005, "0.00", "1.01"},
        {-1.005, "0.00", "-1.01"},
        {999.995, "###,###,##0.00", "1,000.00"},
        {99999.5, "###,###,##0", "100,000"},
        {money(u"0.125"), "0.00", "0.13"},
        {money(u"2.5"), "###,###,##0", "3"},
        {money(u"-0.0050"), "0.00", "-0.01"},
        {-0.001, "0.00", "0.00"},
        {-0.4, "0", "0"},
        {"2.345", "0.00", "2.35"},
    });
}

TEST(FormatTest, DatePatterns) {
    const Date d = Date::fromYmdHms(2024, 1, 5, 9, 5, 3);
    expectAll({
        {d, "yyyy/mm/dd", "2024/01/05"},
        {d, "yyyy/m/d", "2024/1/5"},
        {d, "yyyymmdd", "20240105"},
        {d, "yyyymmddhhnnss", "20240105090503"},
        {d, "YYYYMMDDHHNNSS", "20240105090503"},
        {d, "yyyy/m/d h:nn:ss", "2024/1/5 9:05:03"},
        {d, "yyyy年mm月dd日 hh時nn分", "2024年01月05日 09時05分"},
        {d, "yyyy年m月d日、h:nn:ss", "2024年1月5日、9:05:03"},
        {d, "yyyy 年 mm 月 dd 日", "2024 年 01 月 05 日"},
        {d, "yyyy年m月", "2024年1月"},
        {d, "mm", "01"},
        {d, "m", "1"},
        {d, "hh:mm", "09:05"},
        {d, "yy", "24"},
        {Date::fromYmdHms(2024, 12, 31, 23, 59, 59), "yyyy/m/d h:nn:ss", "2024/12/31 23:59:59"},
        {"2024/3/1", "yyyymmdd", "20240301"},
        {"2024-03-01 7:08", "yyyy/mm/dd hh:nn", "2024/03/01 07:08"},
        {45292.0, "yyyy/mm/dd", "2024/01/01"},
        {"45292", "yyyy/mm/dd", "2024/01/01"},
        {"abc", "yyyy/mm/dd", "abc"},
        {Variant(), "yyyy/mm/dd", ""},
    });
}

TEST(FormatTest, NullAndPlainText) {
    expectAll({
        {Null, "000", ""},
        {Null, "yyyy/mm/dd", ""},
        {Null, "", ""},
        {"abc", "000", "abc"},
        {1.5, "", "1.5"},
        {Date::fromYmd(2024, 1, 5), "", "2024/01/05"},
    });
}

}  // namespace
}  // namespace vb
