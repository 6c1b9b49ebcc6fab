#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "PickerFixture.h"
#include "controls/CalendarForm.h"
#include "controls/MonthForm.h"

namespace {

using PickerFocusTest = PickerTest;

// The controls that Tab visits in turn, from the year box on.
std::vector<QWidget*> CalendarTabOrder(CalendarForm& form) {
    return {form.YearText, form.PrevButton, form.NextButton,  form.Picture1,
            form.Picture3, form.OKButton,   form.CancelButton};
}

std::vector<QWidget*> MonthTabOrder(MonthForm& form) {
    return {form.YearText, form.PrevButton, form.NextButton,
            form.Picture1, form.OKButton,   form.CancelButton};
}

// Tab from the year box through every control and round again; Shift+Tab round back.
void checkTabOrder(PickerForm& form, const std::vector<QWidget*>& order) {
    form.YearText->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), form.YearText);
    for (std::size_t step = 1; step <= order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[step % order.size()]) << "Tab " << step;
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), order[order.size() - step]) << "Shift+Tab " << step;
    }
}

TEST_F(PickerFocusTest, TabVisitsTheControlsOfBothPickersInTheirOrder) {
    CalendarForm calendar;
    open(calendar, Now());
    checkTabOrder(calendar, CalendarTabOrder(calendar));
    EXPECT_EQ(calendar.CurrentDate(), Now());  // the year passed on unchanged
    EXPECT_EQ(messages(), 0u);
    calendar.CancelButton_Click();

    MonthForm month;
    open(month, Now());
    checkTabOrder(month, MonthTabOrder(month));
    EXPECT_EQ(messages(), 0u);
}

TEST_F(PickerFocusTest, EnterPressesTheButtonThatTabReached) {
    const struct {
        const char* button;
        int tabs;  // from the year box
        int16_t result;
        bool shown;
    } cases[] = {
        {"previous year", 1, 0, true},
        {"OK", 5, -1, false},
        {"Cancel", 6, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        CalendarForm form;
        open(form, Now());
        form.YearText->setFocus(Qt::OtherFocusReason);
        for (int tab = 0; tab < c.tabs; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(form.isVisible(), c.shown);
        EXPECT_EQ(form.Result(), c.result);
        EXPECT_EQ(form.CurrentDate().year(), c.shown ? 2023 : 2024);
        form.Hide();
    }
}

TEST_F(PickerFocusTest, EscapeCancelsFromEveryControlOnceTheMonthListIsClosed) {
    for (int tabs = 0; tabs < 7; ++tabs) {
        SCOPED_TRACE(tabs);
        CalendarForm form;
        open(form, Now());
        form.YearText->setFocus(Qt::OtherFocusReason);
        if (tabs == 0) {
            typeYear(form, "1");  // out of range: Escape checks no year
        }
        for (int tab = 0; tab < tabs; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        if (QApplication::focusWidget() == form.Picture1) {
            // The list opened with the focus: the first Escape only closes it.
            QTest::keyClick(form.Picture1, Qt::Key_Escape);
            EXPECT_TRUE(form.isVisible());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.Result(), 0);
        EXPECT_EQ(messages(), 0u);
    }
}

TEST_F(PickerFocusTest, TheArrowKeysChooseADayInTheDayGrid) {
    CalendarForm form;
    open(form, vb::Date::fromYmd(2024, 5, 31));
    form.YearText->setFocus(Qt::OtherFocusReason);
    for (int tab = 0; tab < 4; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), form.Picture3);
    QTest::keyClick(form.Picture3, Qt::Key_Left);
    EXPECT_EQ(form.CurrentDate(), vb::Date::fromYmd(2024, 5, 30));
    QTest::keyClick(form.Picture3, Qt::Key_Up);
    EXPECT_EQ(form.CurrentDate(), vb::Date::fromYmd(2024, 5, 23));
    // Into the next month's first days shown below: the dialog turns to June.
    QTest::keyClick(form.Picture3, Qt::Key_Down);
    QTest::keyClick(form.Picture3, Qt::Key_Down);
    EXPECT_EQ(form.CurrentDate(), vb::Date::fromYmd(2024, 6, 6));
    EXPECT_EQ(form.DateLabel->text(), "2024 年 06 月 06 日");
    EXPECT_EQ(form.YearText->text(), "2024");
    QTest::keyClick(form.Picture3, Qt::Key_Return);  // no move
    EXPECT_EQ(form.CurrentDate(), vb::Date::fromYmd(2024, 6, 6));
    form.OKButton_Click();
    EXPECT_EQ(form.Result(), -1);
}

TEST_F(PickerFocusTest, ATypedYearIsAppliedWhenTabLeavesTheBox) {
    CalendarForm form;
    open(form, Now());
    typeYear(form, "2023");
    QTest::keyClick(form.YearText, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.PrevButton);
    EXPECT_EQ(form.CurrentDate(), vb::Date::fromYmd(2023, 5, 15));
}

TEST_F(PickerFocusTest, ThePickersShowNoCaptionText) {
    CalendarForm calendar;
    MonthForm month;
    for (PickerForm* form : std::vector<PickerForm*>{&calendar, &month}) {
        open(*form, Now());
        EXPECT_TRUE(form->Caption().trimmed().isEmpty());
        // Not empty: the window system would show the program's name instead.
        EXPECT_FALSE(form->windowHandle()->title().isEmpty());
        form->CancelButton_Click();
    }
}

// The day grid shows that it has the focus: a second outline inside the chosen day.
TEST_F(PickerFocusTest, TheDayGridShowsTheFocus) {
    CalendarForm calendar;
    open(calendar, Now());
    calendar.YearText->setFocus(Qt::OtherFocusReason);
    const QImage unfocused = calendar.Picture3->grab().toImage();
    for (int tab = 0; tab < 4; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), calendar.Picture3);
    EXPECT_NE(calendar.Picture3->grab().toImage(), unfocused);
    QTest::keyClick(calendar.Picture3, Qt::Key_Tab);
    EXPECT_EQ(calendar.Picture3->grab().toImage(), unfocused);
    calendar.CancelButton_Click();
}

}  // namespace
