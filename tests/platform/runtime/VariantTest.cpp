#include <gtest/gtest.h>

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

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

TEST(VariantTest, CStr) {
    struct Case {
        Variant value;
        const char* expected;
    };
    const Case cases[] = {
        {Variant(), ""},
        {Variant(true), "True"},
        {Variant(false), "False"},
        {Variant(int32_t{-42}), "-42"},
        {Variant(uint8_t{255}), "255"},
        {Variant(1.5), "1.5"},
        {Variant(0.0001), "0.0001"},
        {Variant(0.00001), "1E-05"},
        {Variant(1e20), "1E+20"},
        {Variant(-1.5e-7), "-1.5E-07"},
        {Variant(123456789012345.0), "123456789012345"},
        {Variant(0.1 + 0.2), "0.3"},
        {Variant(1.0 / 3), "0.333333333333333"},
        {Variant(-0.0), "0"},
        {Variant(*Currency::parse(u"1234567.8912")), "1234567.8912"},
        {Variant(Date::fromYmd(2024, 1, 5)), "2024/01/05"},
        {Variant(Date::fromYmdHms(2024, 1, 5, 9, 5, 0)), "2024/01/05 9:05:00"},
        {Variant("商品"), "商品"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.toString().toStdString(), c.expected);
    }
}

TEST(VariantTest, WholeNumbersRoundHalvesToEven) {
    struct Case {
        Variant value;
        int32_t expected;
    };
    const Case cases[] = {
        {Variant(2.5), 2},
        {Variant(3.5), 4},
        {Variant(-2.5), -2},
        {Variant(-3.5), -4},
        {Variant(2.5000001), 3},
        {Variant(Currency::fromDouble(0.5)), 0},
        {Variant(Currency::fromDouble(1.5)), 2},
        {Variant(Currency::fromDouble(-1.5)), -2},
        {Variant(" 2.5 "), 2},
        {Variant("3.5"), 4},
        {Variant("2.50001"), 3},
        {Variant("1,234"), 1234},
        {Variant("-7"), -7},
        {Variant(true), -1},
        {Variant(), 0},
        {Variant(Date::fromYmdHms(2024, 1, 1, 18, 0, 0)), 45293},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.toLong(), c.expected) << c.value.toString().toStdString();
    }
    EXPECT_EQ(Variant(0.5).toInteger(), 0);
    EXPECT_EQ(Variant(1.5).toByte(), 2);
    EXPECT_EQ(Variant(254.5).toByte(), 254);
}

TEST(VariantTest, ConversionErrors) {
    EXPECT_EQ(errorOf([] { return Variant(2147483647.5).toLong(); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Variant(-2147483648.6).toLong(); }), errOverflow);
    EXPECT_EQ(Variant(-2147483648.5).toLong(), INT32_MIN);
    EXPECT_EQ(errorOf([] { return Variant(32767.5).toInteger(); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Variant(int32_t{256}).toByte(); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Variant(-0.6).toByte(); }), errOverflow);
    EXPECT_EQ(Variant(-0.5).toByte(), 0);
    EXPECT_EQ(errorOf([] { return Variant("99999999999").toLong(); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Variant(1e300).toCurrency(); }), errOverflow);
    EXPECT_EQ(errorOf([] { return Variant("1e400").toDouble(); }), errOverflow);

    for (const char* bad : {"abc", "", " ", "12abc", "1.2.3", "--1", "１２"}) {
        EXPECT_EQ(errorOf([&] { return Variant(bad).toDouble(); }), errTypeMismatch) << bad;
    }
    EXPECT_EQ(errorOf([] { return Variant("2024/13/01").toDate(); }), errTypeMismatch);
    const Variant null(Null);
    EXPECT_EQ(errorOf([&] { return null.toString(); }), errInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { return null.toLong(); }), errInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { return null.toDouble(); }), errInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { return null.toCurrency(); }), errInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { return null.toDate(); }), errInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { return null.toBool(); }), errInvalidUseOfNull);
    EXPECT_EQ(errorOf([] { return Variant(int32_t{1}).array(); }), errTypeMismatch);
    EXPECT_EQ(errorOf([] { return Variant(VariantArray(1, 1)).toString(); }), errTypeMismatch);
}

TEST(VariantTest, TextAndEmptyConversions) {
    EXPECT_EQ(Variant(" -1234.5 ").toDouble(), -1234.5);
    EXPECT_EQ(Variant("+1.5e3").toDouble(), 1500);
    EXPECT_EQ(Variant(".5").toDouble(), 0.5);
    EXPECT_EQ(Variant("1,234,567.89").toCurrency(), *Currency::parse(u"1234567.89"));
    EXPECT_EQ(Variant("0.00015").toCurrency().raw(), 2);
    EXPECT_EQ(Variant(0.00015).toCurrency().raw(), 2);
    EXPECT_EQ(Variant(0.00005).toCurrency().raw(), 0);
    EXPECT_EQ(Variant("2024/3/1").toDate(), Date::fromYmd(2024, 3, 1));
    EXPECT_EQ(Variant(45292.5).toDate(), Date::fromYmdHms(2024, 1, 1, 12, 0, 0));
    EXPECT_EQ(Variant(Date::fromYmd(2024, 1, 1)).toDouble(), 45292);
    EXPECT_TRUE(Variant("true").toBool());
    EXPECT_FALSE(Variant("False").toBool());
    EXPECT_TRUE(Variant("-1").toBool());
    EXPECT_FALSE(Variant(Currency()).toBool());

    const Variant empty;
    EXPECT_EQ(empty.toLong(), 0);
    EXPECT_EQ(empty.toDouble(), 0);
    EXPECT_EQ(empty.toCurrency(), Currency());
    EXPECT_EQ(empty.toString(), "");
    EXPECT_FALSE(empty.toBool());
    EXPECT_EQ(empty.toDate(), Date());
    EXPECT_TRUE(empty.isNumeric());
    EXPECT_FALSE(Variant("1").isNumeric());
}

TEST(VariantTest, TypesAndEquality) {
    EXPECT_EQ(Variant().type(), VarType::Empty);
    EXPECT_EQ(Variant(Null).type(), VarType::Null);
    EXPECT_EQ(Variant(int16_t{1}).type(), VarType::Integer);
    EXPECT_EQ(Variant(int32_t{1}).type(), VarType::Long);
    EXPECT_EQ(Variant(Currency()).type(), VarType::Currency);
    EXPECT_EQ(Variant("x").type(), VarType::String);
    EXPECT_EQ(Variant(VariantArray::vector(2)).type(), VarType::Array);

    EXPECT_EQ(Variant(int32_t{1}), Variant(int32_t{1}));
    EXPECT_NE(Variant(int32_t{1}), Variant(int16_t{1}));
    EXPECT_EQ(Variant(Null), Variant(Null));
    EXPECT_NE(Variant(), Variant(Null));
    VariantArray a(1, 2);
    a(0, 1) = "x";
    VariantArray b = a;
    EXPECT_EQ(Variant(a), Variant(b));
    b(0, 0) = int32_t{0};
    EXPECT_NE(Variant(a), Variant(b));
    EXPECT_EQ(Variant(a).array()(0, 1), Variant("x"));
}

}  // namespace
}  // namespace vb
