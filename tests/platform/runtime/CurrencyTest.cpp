#include <gtest/gtest.h>

#include "platform/runtime/Currency.h"
#include "platform/runtime/RuntimeError.h"

namespace vb {
namespace {

int errorOf(auto&& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(CurrencyTest, FromDoubleRoundsHalvesToEven) {
    struct Case {
        double value;
        int64_t raw;
    };
    const Case cases[] = {
        {0.00005, 0},
        {0.00015, 2},
        {0.00025, 2},
        {-0.00015, -2},
        {1.23455, 12346},
        {1.23445, 12344},
        {0.000051, 1},
        {2.675, 26750},
        {1234567.8912, 12345678912},
        {-922337203685477.0, -9223372036854770000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Currency::fromDouble(c.value).raw(), c.raw) << c.value;
    }
}

TEST(CurrencyTest, OverflowIsRaisedNotWrapped) {
    const Currency unit = Currency::fromRaw(1);
    EXPECT_EQ(errorOf([&] { return Currency::max() + unit; }), errOverflow);
    EXPECT_EQ(errorOf([&] { return Currency::min() - unit; }), errOverflow);
    EXPECT_EQ(errorOf([&] { return -Currency::min(); }), errOverflow);
    EXPECT_EQ(errorOf([&] { return Currency::min().abs(); }), errOverflow);
    EXPECT_EQ(errorOf([&] { return Currency::max() * int64_t{2}; }), errOverflow);
    EXPECT_EQ(errorOf([&] { return Currency::max() * Currency::fromInteger(2); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Currency::fromInteger(922337203685478); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Currency::fromDouble(1e15); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Currency::parse(u"922337203685477.5808"); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Currency::max().roundHalfEven(0); }), errOverflow);
    const __int128 wideMax = Currency::max().raw();
    EXPECT_EQ(errorOf([&] { return Currency::fromWideRaw(wideMax + 1); }), errOverflow);
    EXPECT_EQ(errorOf([&] { return Currency::fromWideRaw(-wideMax - 2); }), errOverflow);
    EXPECT_EQ(Currency::fromWideRaw(wideMax), Currency::max());
    EXPECT_EQ((Currency::max() - unit + unit), Currency::max());
    EXPECT_EQ(Currency::parse(u"-922337203685477.5808"), Currency::min());
}

TEST(CurrencyTest, SumsAndProductsAreExact) {
    Currency sum;
    const Currency cent = *Currency::parse(u"0.01");
    for (int i = 0; i < 10000; ++i) {
        sum += cent;
    }
    EXPECT_EQ(sum, Currency::fromInteger(100));
    EXPECT_EQ(Currency::fromDouble(0.1) + Currency::fromDouble(0.2), Currency::fromDouble(0.3));

    // 1.2345 x 1.0001 = 1.23462345 -> 1.2346; halves go to the even neighbour.
    EXPECT_EQ((*Currency::parse(u"1.2345") * *Currency::parse(u"1.0001")).raw(), 12346);
    EXPECT_EQ((*Currency::parse(u"0.0001") * *Currency::parse(u"0.5")).raw(), 0);
    EXPECT_EQ((*Currency::parse(u"0.0003") * *Currency::parse(u"0.5")).raw(), 2);
    EXPECT_EQ((*Currency::parse(u"-0.0003") * *Currency::parse(u"0.5")).raw(), -2);
    EXPECT_EQ((*Currency::parse(u"123456789.1234") * int64_t{3}).raw(), 3703703673702);
}

TEST(CurrencyTest, RoundingToDecimals) {
    const Currency a = *Currency::parse(u"2.345");
    const Currency b = *Currency::parse(u"-2.355");
    EXPECT_EQ(a.roundHalfEven(2).toString(), "2.34");
    EXPECT_EQ(a.roundHalfAwayFromZero(2).toString(), "2.35");
    EXPECT_EQ(b.roundHalfEven(2).toString(), "-2.36");
    EXPECT_EQ(b.roundHalfAwayFromZero(2).toString(), "-2.36");
    EXPECT_EQ(b.truncate(1).toString(), "-2.3");
    EXPECT_EQ(Currency::fromDouble(2.5).roundHalfEven(0).toString(), "2");
    EXPECT_EQ(Currency::fromDouble(-2.5).roundHalfAwayFromZero(0).toString(), "-3");
    EXPECT_EQ(a.roundHalfEven(4), a);
    EXPECT_EQ(errorOf([&] { return a.roundHalfEven(5); }), errInvalidProcedureCall);
}

TEST(CurrencyTest, ParseAndText) {
    EXPECT_EQ(Currency::parse(u"1234567.8912")->toString(), "1234567.8912");
    EXPECT_EQ(Currency::parse(u"12")->toString(), "12");
    EXPECT_EQ(Currency::parse(u"-0.5")->toString(), "-0.5");
    EXPECT_EQ(Currency::parse(u"+.25")->toString(), "0.25");
    EXPECT_EQ(Currency::parse(u"0.00005")->raw(), 0);
    EXPECT_EQ(Currency::parse(u"0.00015")->raw(), 2);
    EXPECT_EQ(Currency::parse(u"0.000051")->raw(), 1);
    for (const char16_t* bad : {u"", u"-", u".", u"1e3", u" 1", u"1,000", u"1.2.3", u"abc"}) {
        EXPECT_FALSE(Currency::parse(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
    EXPECT_EQ(Currency::min().toString(), "-922337203685477.5808");
    EXPECT_EQ(Currency::max().toString(), "922337203685477.5807");
    EXPECT_EQ(Currency::fromRaw(1).toString(), "0.0001");
    EXPECT_DOUBLE_EQ(Currency::parse(u"1234567.8912")->toDouble(), 1234567.8912);
    EXPECT_DOUBLE_EQ(Currency::max().toDouble(), 922337203685477.5807);
}

}  // namespace
}  // namespace vb
