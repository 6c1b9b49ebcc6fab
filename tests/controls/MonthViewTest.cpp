#include <gtest/gtest.h>

#include <QTest>

#include "PickerFixture.h"
#include "controls/MonthForm.h"
#include "controls/MonthView.h"
#include "platform/forms/TestHook.h"

namespace {

using vb::Date;

using MonthViewTest = PickerTest;

TEST_F(MonthViewTest, FromAndToDateSpanTheMonth) {
    const struct {
        Date value;
        Date from;
        Date to;
    } cases[] = {
        {Date::fromYmdHms(2024, 2, 10, 18, 0, 0), Date::fromYmd(2024, 2, 1),
         Date::fromYmd(2024, 2, 29)},
        {Date::fromYmd(2023, 2, 28), Date::fromYmd(2023, 2, 1), Date::fromYmd(2023, 2, 28)},
        {Date::fromYmd(2100, 2, 1), Date::fromYmd(2100, 2, 1), Date::fromYmd(2100, 2, 28)},
        {Date::fromYmdHms(2024, 12, 31, 23, 59, 59), Date::fromYmd(2024, 12, 1),
         Date::fromYmd(2024, 12, 31)},
        {Date::fromYmd(2099, 1, 1), Date::fromYmd(2099, 1, 1), Date::fromYmd(2099, 1, 31)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        MonthView view;
        view.Value(c.value);
        EXPECT_EQ(view.FromDate(), c.from);
        EXPECT_EQ(view.ToDate(), c.to);
    }
}

TEST_F(MonthViewTest, ChoosingAShorterMonthLowersTheDay) {
    MonthView view;
    view.Value(Date::fromYmd(2024, 1, 31));
    view.Caption(QStringLiteral("表示する年月を選択してください。"));
    whenShown([](PickerForm& form) {
        auto& month = dynamic_cast<MonthForm&>(form);
        EXPECT_EQ(month.CaptionLabel->text(), QStringLiteral("表示する年月を選択してください。"));
        chooseMonth(form, 4);
        EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2024 年 04 月"));
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
    });
    EXPECT_EQ(view.Show(), -1);
    EXPECT_EQ(view.Value(), Date::fromYmd(2024, 4, 30));
    EXPECT_EQ(view.FromDate(), Date::fromYmd(2024, 4, 1));
    EXPECT_EQ(view.ToDate(), Date::fromYmd(2024, 4, 30));
}

TEST_F(MonthViewTest, WithoutAValueItOpensOnTheCurrentMonth) {
    MonthView view;
    whenShown([](PickerForm& form) {
        EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2024 年 05 月"));
        form.CancelButton_Click();
    });
    EXPECT_EQ(view.Show(), 0);
    EXPECT_EQ(view.FromDate(), Date::fromYmd(2024, 5, 1));
    EXPECT_EQ(view.ToDate(), Date::fromYmd(2024, 5, 31));
}

TEST_F(MonthViewTest, TheYearButtonsWrapAndATypedYearIsChecked) {
    MonthForm form;
    open(form, Date::fromYmd(2099, 3, 31));
    form.NextButton_Click();
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(1980, 3, 31));
    form.PrevButton_Click();
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2099, 3, 31));
    typeYear(form, QStringLiteral("2101"));
    QTest::keyClick(form.YearText, Qt::Key_Return);
    ASSERT_EQ(messages(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes().front().title, QStringLiteral("年月選択"));
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2099, 3, 31));
    typeYear(form, QStringLiteral("2000"));
    QTest::keyClick(form.YearText, Qt::Key_Return);
    EXPECT_EQ(form.CurrentDate(), Date::fromYmd(2000, 3, 31));
    EXPECT_EQ(form.DateLabel->text(), QStringLiteral("2000 年 03 月"));
    EXPECT_EQ(messages(), 1u);
}

}  // namespace
