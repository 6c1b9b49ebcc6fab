#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/records/ClosedDay.h"
#include "screens/records/DayAmounts.h"

namespace {

using vb::Currency;
using vb::Date;

Currency C(const char* text) {
    return *Currency::parse(QString::fromLatin1(text));
}

TEST(ClosedDayTest, ADayUpToTheEndOfTheLastClosedMonthIsClosed) {
    struct Case {
        Date lastClose;
        Date day;
        bool closed;
    };
    const std::vector<Case> cases = {
        {Date::fromYmd(2024, 3, 1), Date::fromYmd(2024, 3, 31), true},
        {Date::fromYmd(2024, 3, 1), Date::fromYmdHms(2024, 3, 31, 23, 59, 0), true},
        {Date::fromYmd(2024, 3, 1), Date::fromYmd(2024, 4, 1), false},
        {Date::fromYmd(2024, 3, 1), Date::fromYmd(2024, 3, 1), true},
        {Date::fromYmd(2024, 3, 1), Date::fromYmd(2023, 7, 10), true},
        {Date::fromYmd(2024, 2, 1), Date::fromYmd(2024, 2, 29), true},
        {Date::fromYmd(2024, 2, 1), Date::fromYmd(2024, 3, 1), false},
        {Date::fromYmd(2023, 2, 1), Date::fromYmd(2023, 3, 1), false},
        {Date::fromYmd(2023, 12, 1), Date::fromYmd(2023, 12, 31), true},
        {Date::fromYmd(2023, 12, 1), Date::fromYmd(2024, 1, 1), false},
        {Date::fromYmd(2024, 1, 1), Date::fromYmd(2023, 12, 31), true},
        {Date(), Date::fromYmd(1900, 1, 1), false},  // nothing closed yet
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClosedDay::IsClosed(c.lastClose, c.day), c.closed)
            << c.lastClose.toString().toStdString() << " / " << c.day.toString().toStdString();
    }
}

TEST(DayAmountsTest, CellsReadAsTheNumbersTyped) {
    const std::vector<std::pair<QString, std::optional<Currency>>> cases = {
        {"", Currency()},      {" 12 ", C("12")},     {"-", Currency()}, {".", Currency()},
        {"-.", Currency()},    {"1.", C("1")},        {".5", C("0.5")},  {"-2.25", C("-2.25")},
        {"abc", std::nullopt}, {"1-2", std::nullopt},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(DayAmounts::CellNumber(text), number) << text.toStdString();
    }
    EXPECT_EQ(DayAmounts::StoredNumber(vb::Variant(vb::Null)), Currency());
}

struct AmountCase {
    const char* quantity;
    const char* price;
    const char* whole;     // SumDecimal 0 and 1
    const char* decimals;  // SumDecimal 2 and 3
};

TEST(DayAmountsTest, SalesAmountIsTheAbsoluteQuantityAtThePriceRoundedByTheSetting) {
    const std::vector<AmountCase> cases = {
        {"3", "33.5", "101", "100.5"},
        {"-3", "33.5", "101", "100.5"},
        {"2.5", "0.33", "1", "0.83"},
        {"1.25", "0.5", "1", "0.63"},
        {"0.4", "1", "0", "0.4"},
        {"3", "0", "0", "0"},
        {"1.5", "0.99", "1", "1.49"},
        {"9999999", "9999999.99", "99999989900000", "99999989900000.01"},
    };
    for (const AmountCase& c : cases) {
        for (int setting = 0; setting < 4; ++setting) {
            const char* expected = setting < 2 ? c.whole : c.decimals;
            EXPECT_EQ(DayAmounts::SalesAmount(C(c.quantity), C(c.price), setting), C(expected))
                << c.quantity << " x " << c.price << " setting " << setting;
        }
    }
}

TEST(DayAmountsTest, PurchaseAmountKeepsTheQuantitysSignAndRoundsHalfAwayFromZero) {
    const std::vector<AmountCase> cases = {
        {"-2", "150", "-300", "-300"},   {"2.5", "3", "8", "7.5"},
        {"-2.5", "3", "-8", "-7.5"},     {"1.25", "0.5", "1", "0.63"},
        {"-1.25", "0.5", "-1", "-0.63"}, {"-0.4", "1", "0", "-0.4"},
        {"-2", "-150", "-300", "-300"},  {"0", "50", "0", "0"},
    };
    for (const AmountCase& c : cases) {
        for (int setting = 0; setting < 4; ++setting) {
            const char* expected = setting < 2 ? c.whole : c.decimals;
            EXPECT_EQ(DayAmounts::PurchaseAmount(C(c.quantity), C(c.price), setting), C(expected))
                << c.quantity << " x " << c.price << " setting " << setting;
        }
    }
}

TEST(DayAmountsTest, AnAmountBeyondTheCurrencyRangeRaisesOverflow) {
    for (int setting = 0; setting < 4; ++setting) {
        try {
            DayAmounts::PurchaseAmount(C("9999999"), C("900000000000"), setting);
            ADD_FAILURE() << "no overflow";
        } catch (const vb::RuntimeError& error) {
            EXPECT_EQ(error.number(), 6);
        }
        EXPECT_THROW(DayAmounts::SalesAmount(C("-2"), Currency::max(), setting), vb::RuntimeError);
    }
}

}  // namespace
