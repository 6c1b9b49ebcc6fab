#include <gtest/gtest.h>

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"

namespace vb {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(StringsTest, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim(u"  a b  "_s), u"a b"_s);
    EXPECT_EQ(LTrim(u"  a b  "_s), u"a b  "_s);
    EXPECT_EQ(RTrim(u"  a b  "_s), u"  a b"_s);
    EXPECT_EQ(Trim(u"     "_s), u""_s);
    EXPECT_EQ(Trim(u""_s), u""_s);
    // Full-width spaces and tabs are not blanks to Trim.
    EXPECT_EQ(Trim(u"　商品　"_s), u"　商品　"_s);
    EXPECT_EQ(Trim(u"\ta\t"_s), u"\ta\t"_s);
}

TEST(StringsTest, Val) {
    struct Case {
        const char16_t* text;
        double expected;
    };
    const Case cases[] = {
        {u"123", 123},      {u"  12 34 ", 1234}, {u"1 2 3abc", 123},
        {u"-12.5", -12.5},  {u"+3", 3},          {u"12\t3\n4", 1234},
        {u".5", 0.5},       {u"1,234", 1},       {u"1e3", 1000},
        {u"1.5E-2", 0.015}, {u"2d2", 200},       {u"1e", 1},
        {u"1e+x", 1},       {u"&H1F", 31},       {u"&h1f", 31},
        {u"&HFFFF", -1},    {u"&H10000", 65536}, {u"&O17", 15},
        {u"&Hxyz", 0},      {u"abc", 0},         {u"", 0},
        {u"--1", 0},        {u"１２３", 0},      {u"1.2.3", 1.2},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf16(c.text)), c.expected)
            << QString::fromUtf16(c.text).toStdString();
    }
    EXPECT_THROW(Val(u"1e400"_s), RuntimeError);
    EXPECT_EQ(Val(u"1e-400"_s), 0);
}

TEST(StringsTest, CCur) {
    EXPECT_EQ(CCur(Variant(0.00015)).raw(), 2);
    EXPECT_EQ(CCur(Variant(0.00005)).raw(), 0);
    EXPECT_EQ(CCur(Variant("123,456")), Currency::fromInteger(123456));
    EXPECT_EQ(CCur(Variant()), Currency());
    EXPECT_THROW(CCur(Variant(Null)), RuntimeError);
    EXPECT_THROW(CCur(Variant("x")), RuntimeError);
}

TEST(StringsTest, Like) {
    struct Case {
        const char16_t* text;
        const char16_t* pattern;
        bool expected;
    };
    const Case cases[] = {
        {u"abc", u"a?c", true},
        {u"ac", u"a?c", false},
        {u"abc", u"a*", true},
        {u"abc", u"*c", true},
        {u"", u"*", true},
        {u"", u"", true},
        {u"a", u"", false},
        {u"", u"?", false},
        {u"a1b", u"a#b", true},
        {u"aXb", u"a#b", false},
        {u"b", u"[a-c]", true},
        {u"d", u"[a-c]", false},
        {u"d", u"[!a-c]", true},
        {u"b", u"[!a-c]", false},
        {u"A", u"a", false},
        {u"A", u"[a-z]", false},
        {u"a*b", u"a[*]b", true},
        {u"axb", u"a[*]b", false},
        {u"x?", u"x[?]", true},
        {u"#", u"[#]", true},
        {u"[", u"[[]", true},
        {u"]", u"]", true},
        {u"-", u"[a-]", true},
        {u"-", u"[-a]", true},
        {u"b", u"[-a]", false},
        {u"abc", u"[]abc", true},
        {u"商品A", u"商品?", true},
        {u"新商品", u"*商品", true},
        {u"商品", u"*商品*", true},
        {u"aXXbYYc", u"a*b*c", true},
        {u"abcbc", u"*bc", true},
        {u"abcbd", u"*bc", false},
        {u"abc", u"ab", false},
        {u"0012", u"00##", true},
        {u"0012", u"[0-9][0-9]*", true},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const QString pattern = QString::fromUtf16(c.pattern);
        EXPECT_EQ(Like(text, pattern), c.expected)
            << text.toStdString() << " Like " << pattern.toStdString();
    }
    EXPECT_FALSE(Like(Variant(Null), u"*"_s));
    EXPECT_TRUE(Like(Variant(int32_t{12}), u"##"_s));
    EXPECT_TRUE(Like(Variant(), u""_s));
    for (const QString& bad : {u"[a"_s, u"a[!"_s, u"[z-a]"_s}) {
        try {
            Like(u"a"_s, bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), errInvalidPatternString);
        }
    }
}

}  // namespace
}  // namespace vb
