#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "PickerFixture.h"
#include "controls/Calendar.h"
#include "controls/CalendarForm.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"

namespace {

using vb::Date;

using CalendarFormTest = PickerTest;

// A click in the middle of a day cell of the grid.
void clickDay(CalendarForm& form, int row, int col) {
    QTest::mouseClick(form.Picture3, Qt::LeftButton, Qt::NoModifier,
                      QPoint((col * 1530 + 765) / 15, (row * 1000 + 500) / 15));
}

TEST_F(CalendarFormTest, ChoosingAMonthKeepsTheDayWhereItFits) {
    CalendarForm form;
    open(form, Date::fromYmdHms(2024, 3, 31, 10, 30, 0));
    chooseMonth(form, 4);
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2024, 4, 30));
    EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2024 年 04 月 30 日"));
    chooseMonth(form, 2);
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2024, 2, 29));
    EXPECT_EQ(messages(), 0u);
}

TEST_F(CalendarFormTest, TheYearButtonsAndATypedYearKeepTheMonth) {
    CalendarForm next;
    open(next, Date::fromYmd(2024, 2, 29));
    QTest::mouseClick(next.NextButton, Qt::LeftButton);
    EXPECT_EQ(next.CurrentDate(), Date::fromYmd(2025, 2, 28));
    EXPECT_EQ(next.YearText->text(), "2025");
    EXPECT_EQ(QApplication::focusWidget(), next.YearText);
    next.Hide();

    CalendarForm typed;
    open(typed, Date::fromYmd(2024, 2, 29));
    typeYear(typed, QStringLiteral("2023"));
    QTest::keyClick(typed.YearText, Qt::Key_Return);
    EXPECT_EQ(typed.CurrentDate(), Date::fromYmd(2023, 2, 28));
    EXPECT_EQ(typed.YearText->text(), "2023");
    EXPECT_EQ(QApplication::focusWidget(), typed.Picture1);
    EXPECT_EQ(messages(), 0u);
}

TEST_F(CalendarFormTest, TheYearButtonsWrap) {
    CalendarForm form;
    open(form, Date::fromYmd(2099, 6, 10));
    form.NextButton_Click();
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(1980, 6, 10));
    form.PrevButton_Click();
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2099, 6, 10));
    EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2099 年 06 月 10 日"));
}

TEST_F(CalendarFormTest, ADayOfANeighbouringMonthSwitchesToIt) {
    CalendarForm form;
    open(form, Date::fromYmd(2024, 6, 12));  // June 2024 begins on a Saturday
    clickDay(form, 0, 0);
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2024, 5, 26));
    EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2024 年 05 月 26 日"));
    form.Hide();

    CalendarForm last;
    open(last, Date::fromYmd(2099, 12, 15));
    clickDay(last, 5, 6);
    EXPECT_EQ(last.CurrentDate(), Date::fromYmd(2100, 1, 9));
    EXPECT_EQ(last.YearText->text(), "2100");
    last.NextButton_Click();
    EXPECT_EQ(last.CurrentDate(), Date::fromYmd(1980, 1, 9));
    EXPECT_EQ(messages(), 0u);
}

TEST_F(CalendarFormTest, AStartOutsideTheYearsOpensOnToday) {
    CalendarForm form;
    open(form, Date::fromYmd(1975, 3, 3));
    EXPECT_EQ(form.CurrentDate(), Now());
    EXPECT_EQ(form.YearText->text(), "2024");
    EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2024 年 05 月 15 日"));
}

TEST_F(CalendarFormTest, OKWithoutAChangeReturnsTheStartWithItsTime) {
    const Date start = Date::fromYmdHms(2024, 3, 31, 10, 30, 0);
    Calendar calendar;
    calendar.Value(start);
    whenShown([](PickerForm& form) { QTest::mouseClick(form.OKButton, Qt::LeftButton); });
    EXPECT_EQ(calendar.Show(), -1);
    EXPECT_EQ(calendar.Value(), start);
}

TEST_F(CalendarFormTest, CancelReturnsZeroAndKeepsWhatWasChosen) {
    Calendar calendar;
    calendar.Value(Date::fromYmd(2024, 3, 31));
    whenShown([](PickerForm& form) {
        chooseMonth(form, 4);
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    });
    EXPECT_EQ(calendar.Show(), 0);
    EXPECT_EQ(calendar.Value(), Date::fromYmd(2024, 4, 30));
    whenShown([](PickerForm& form) { form.OKButton_Click(); });
    EXPECT_EQ(calendar.Show(), -1);  // shown again, keeping its state
    EXPECT_EQ(calendar.Value(), Date::fromYmd(2024, 4, 30));
}

TEST_F(CalendarFormTest, ClosingTheWindowCancelsWithoutCheckingTheYear) {
    Calendar calendar;
    calendar.Value(Date::fromYmd(2024, 3, 31));
    whenShown([](PickerForm& form) {
        typeYear(form, QStringLiteral("19"));
        form.close();
    });
    EXPECT_EQ(calendar.Show(), 0);
    EXPECT_EQ(messages(), 0u);
    EXPECT_EQ(calendar.Value(), Date::fromYmd(2024, 3, 31));
}

TEST_F(CalendarFormTest, OKAndTheYearButtonsCheckTheTypedYearOnceCancelNever) {
    CalendarForm form;
    open(form, Date::fromYmd(2024, 3, 31));
    typeYear(form, QStringLiteral("1979"));
    QTest::mouseClick(form.OKButton, Qt::LeftButton);
    ASSERT_EQ(messages(), 1u);
    const forms::TestHook::MsgBoxShown& shown = forms::TestHook::msgBoxes().front();
    EXPECT_EQ(shown.text, QStringLiteral("入力された年が範囲外です。"));
    EXPECT_EQ(shown.title, QStringLiteral("日付選択"));
    EXPECT_EQ(shown.style, forms::vbExclamation);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(QApplication::focusWidget(), form.YearText);
    QTest::mouseClick(form.PrevButton, Qt::LeftButton);
    EXPECT_EQ(messages(), 2u);
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2024, 3, 31));
    EXPECT_EQ(form.YearText->text(), "1979");
    QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    EXPECT_EQ(messages(), 2u);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(form.Result(), 0);
}

TEST_F(CalendarFormTest, LeavingAnEmptyYearBoxShowsTheMessage) {
    CalendarForm form;
    open(form, Date::fromYmd(2024, 3, 31));
    typeYear(form, QString());
    EXPECT_EQ(form.YearText->text(), QString());
    form.Picture3->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(messages(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), form.YearText);
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2024, 3, 31));
    typeYear(form, QStringLiteral("2020"));
    form.Picture3->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(messages(), 1u);
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2020, 3, 31));
}

TEST_F(CalendarFormTest, TheYearBoxTakesDigitsOnly) {
    CalendarForm form;
    open(form, Date::fromYmd(2024, 3, 31));
    typeYear(form, QStringLiteral("2a0-2.2"));
    EXPECT_EQ(form.YearText->text(), "2022");
    for (const int typed : {int('a'), int(' '), 22 /* Ctrl+V */}) {
        int key = typed;
        form.YearText_KeyPress(key);
        EXPECT_EQ(key, 0) << typed;
    }
    int digit = '7';
    form.YearText_KeyPress(digit);
    EXPECT_EQ(digit, '7');
    int back = 8;
    form.YearText_KeyPress(back);
    EXPECT_EQ(back, 8);
}

TEST_F(CalendarFormTest, AnAbandonedHighlightIsNotTheChosenMonth) {
    CalendarForm form;
    open(form, Date::fromYmd(2024, 3, 20));
    form.Picture1->SetFocus();
    QTest::keyClick(form.Picture1, Qt::Key_Down);
    QTest::keyClick(form.Picture1, Qt::Key_Down);
    QTest::keyClick(form.Picture1, Qt::Key_Escape);
    QTest::mouseClick(form.Picture1, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2024, 3, 20));

    QTest::keyClick(form.Picture1, Qt::Key_Down);
    form.YearText->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(form.Picture1, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2024, 3, 20));
    EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2024 年 03 月 20 日"));
}

}  // namespace
