#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "controls/AnsiLength.h"
#include "controls/CellEditValidator.h"
#include "controls/CellInput.h"
#include "controls/NumericFilter.h"

namespace {

TEST(NumericFilterTest, LengthsReadFromTheMaximum) {
    EXPECT_EQ(NumericFilter(9.2f).WholePlaces(), 9);
    EXPECT_EQ(NumericFilter(9.2f).DecimalPlaces(), 2);
    EXPECT_EQ(NumericFilter(20).WholePlaces(), 20);
    EXPECT_EQ(NumericFilter(20).DecimalPlaces(), 0);
    EXPECT_EQ(NumericFilter(7.2f).DecimalPlaces(), 2);
}

TEST(NumericFilterTest, TypingTable) {
    struct Case {
        float max;
        const char* text;
        int selStart;
        int selLength;
        const char* typed;
        bool accepted;
    };
    const Case cases[] = {
        {9.2f, "", 0, 0, "-", true},
        {9.2f, "1", 0, 0, "-", false},  // a digit outside the selection
        {9.2f, "12", 0, 2, "-", true},  // the selection is replaced
        {9.2f, "-", 1, 0, "-", false},
        {9.2f, "12.5", 4, 0, ".", false},       // a second point
        {9.2f, "12.50", 5, 0, "1", false},      // a third decimal
        {9.2f, "12.50", 4, 1, "1", true},       // over the selected decimal
        {9.2f, "123456789", 9, 0, "0", false},  // a tenth place before the point
        {9.2f, "123456789", 9, 0, ".", true},
        {9.2f, "12345678.5", 0, 0, "9", true},  // the ninth place before the point
        {9.2f, "123456789.5", 0, 0, "9", false},
        {9.2f, "-12345678", 9, 0, "9", false},  // the sign takes a place
        {9.2f, "1", 1, 0, "a", false},
        {20, "1", 1, 0, ".", false},
        {20, "1234567890123456789", 19, 0, "0", true},
        {20, "12345678901234567890", 20, 0, "1", false},
        {0, "123456789012345678901234", 24, 0, "5", true},
        {0, "1.5", 3, 0, ".", false},
        {0, "15", 1, 0, ".", true},
        {9.2f, "1234567", 3, 0, ".", false},  // would leave four decimals
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumericFilter(c.max).Accepts(c.text, c.selStart, c.selLength, c.typed),
                  c.accepted)
            << c.max << " '" << c.text << "' + '" << c.typed << "'";
    }
}

TEST(NumericFilterTest, WholeTexts) {
    const NumericFilter filter(9.2f);
    EXPECT_TRUE(filter.IsValid("-123.45"));
    EXPECT_TRUE(filter.IsValid(""));
    EXPECT_FALSE(filter.IsValid("12-3"));
    EXPECT_FALSE(filter.IsValid("1.2.3"));
    EXPECT_FALSE(filter.IsValid("1,234"));
    EXPECT_FALSE(filter.IsValid("1.234"));
    EXPECT_EQ(NumericFilter::Narrowed("－１２．５"), "-12.5");
}

TEST(AnsiLengthTest, BytesAsTheCodePageCounts) {
    EXPECT_EQ(AnsiLength::Bytes("abc"), 3);
    EXPECT_EQ(AnsiLength::Bytes("ｱｲｳ"), 3);  // half-width katakana
    EXPECT_EQ(AnsiLength::Bytes("あいう"), 6);
    EXPECT_EQ(AnsiLength::Bytes("Ａ1"), 3);
    EXPECT_EQ(AnsiLength::Left("あいう", 5), "あい");
    EXPECT_EQ(AnsiLength::Left("aあ", 2), "a");
    EXPECT_EQ(AnsiLength::Left("ab", 0), "");
}

TEST(CellInputTest, PastedText) {
    EXPECT_EQ(CellInput::Pasted("123\r\n", 2, 9.2f), QString("123"));
    EXPECT_EQ(CellInput::Pasted(" １２.５ ", 2, 9.2f), QString("12.5"));
    EXPECT_FALSE(CellInput::Pasted("12.345", 2, 9.2f));
    EXPECT_FALSE(CellInput::Pasted("abc", 2, 0));
    EXPECT_EQ(CellInput::Pasted("商品名の長い名前\n", 1, 10), QString("商品名の長"));
    EXPECT_EQ(CellInput::Pasted("a\r\nb", 0, 0), QString("ab"));
}

TEST(CellInputTest, TypedText) {
    EXPECT_EQ(CellInput::Typed("7", 2, 7), QString("7"));
    EXPECT_EQ(CellInput::Typed("７", 2, 7), QString("7"));
    EXPECT_FALSE(CellInput::Typed("a", 2, 7));
    EXPECT_FALSE(CellInput::Typed(".", 2, 7));  // no point in a whole-number column
    EXPECT_EQ(CellInput::Typed("a", 1, 4), QString("a"));
}

class CellEditValidatorTest : public ::testing::Test {
  protected:
    void start(int mode, float maxLength, const QString& text) {
        validator_ = new CellEditValidator(&edit_);
        validator_->Configure(mode, maxLength);
        edit_.setValidator(validator_);
        validator_->Start(text);
        edit_.setText(text);
    }

    void commit(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(&edit_, &event);
    }

    QLineEdit edit_;
    CellEditValidator* validator_ = nullptr;
};

TEST_F(CellEditValidatorTest, NumericTypingAndPasting) {
    start(2, 9.2f, "");
    QTest::keyClicks(&edit_, "-12a.345");
    EXPECT_EQ(edit_.text(), "-12.34");
    edit_.insert("9\r\n");  // a paste at the end: a third decimal
    EXPECT_EQ(edit_.text(), "-12.34");
    edit_.selectAll();
    edit_.insert("５.５\n");
    EXPECT_EQ(edit_.text(), "5.5");
    QTest::keyClick(&edit_, Qt::Key_Backspace);
    EXPECT_EQ(edit_.text(), "5.");
}

TEST_F(CellEditValidatorTest, TextIsCutToTheByteLimit) {
    start(1, 6, "ab");
    commit("あいう");  // four bytes left: two characters
    EXPECT_EQ(edit_.text(), "abあい");
    QTest::keyClicks(&edit_, "x");
    EXPECT_EQ(edit_.text(), "abあい");
    edit_.setCursorPosition(0);
    QTest::keyClick(&edit_, Qt::Key_Delete);
    QTest::keyClicks(&edit_, "xy");
    EXPECT_EQ(edit_.text(), "xbあい");
}

TEST_F(CellEditValidatorTest, StartTextLongerThanTheLimitIsKept) {
    start(0, 3, "abcdef");
    EXPECT_EQ(edit_.text(), "abcdef");
    edit_.end(false);
    QTest::keyClick(&edit_, Qt::Key_Backspace);
    EXPECT_EQ(edit_.text(), "abcde");
}

}  // namespace
