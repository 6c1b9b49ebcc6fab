#include <gtest/gtest.h>

#include "core/MainModule.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/records/MonthlyFigures.h"

namespace {

vb::Currency Number(const char* text) {
    return *vb::Currency::parse(QString::fromUtf8(text));
}

TEST(MonthlyFiguresTest, ACellTextIsReadExactlyAsFarAsItFormsANumber) {
    const struct {
        const char* text;
        const char* number;
    } cases[] = {
        {"", "0"},
        {"  ", "0"},
        {"abc", "0"},
        {"-", "0"},
        {"12", "12"},
        {" 12 ", "12"},
        {"12abc", "12"},
        {"1.", "1"},
        {".5", "0.5"},
        {"-2.25", "-2.25"},
        {"１２．５", "12.5"},
        {"1,234", "1"},
        {"123456789012.3456", "123456789012.3456"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(MonthlyFigures::CellNumber(QString::fromUtf8(c.text)), Number(c.number));
    }
}

TEST(MonthlyFiguresTest, StoredNullIsZeroAndAnOverflowingAmountRaises) {
    EXPECT_EQ(MonthlyFigures::Stored(vb::Null), vb::Currency());
    EXPECT_EQ(MonthlyFigures::Stored(vb::Variant()), vb::Currency());
    MainModule::SumDecimal = 0;
    EXPECT_THROW(MonthlyFigures::Amount(Number("999999999.99"), Number("9999999.99")),
                 vb::RuntimeError);
}

}  // namespace
