#include <QPalette>
#include <QPushButton>
#include <memory>

#include "CloseFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "screens/monthend/frmDelete.h"
#include "tests/controls/PickerFixture.h"

namespace {

using vb::Date;

struct PickerSteps : PickerTest {
    using PickerTest::chooseMonth;
    using PickerTest::whenShown;
};

const QString Instruction =
    "削除をする月を選択して下さい。\r\n\r\n"
    "注）削除されたデータの復元できなくなります。\r\n"
    "削除をする前にデータのバックアップをして下さい。";
const QString ClosedText = "までのデータを削除ます。\r\nよろしければ［確定］ボタンを押して下さい。";
const QString OpenText =
    "を削除指定されますと商品データ以外のデータが全て削除されます。\r\n"
    "削除してもよろしければ［確定］ボタンを押して下さい。";
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

// Month-end rows of February to April 2024 and daily rows around the April close.
class frmDeleteTest : public CloseFixture {
  protected:
    void SetUp() override {
        CloseFixture::SetUp();
        classify("001", "文具");
        product("001", "0001", "ノート", "100", "120");
        for (int month = 2; month <= 4; ++month) {
            closeMonth(2024, month, "001", "0001", month);
        }
        dailyRecord(2024, 3, 31, "001", "0001");
        dailyRecord(2024, 4, 1, "001", "0001");
        dailyRecord(2024, 4, 30, "001", "0001");
        dailyRecord(2024, 5, 1, "001", "0001");
        dailyRecord(2024, 6, 1, "001", "0001");
    }
    void TearDown() override {
        screen_.reset();
        CloseFixture::TearDown();
    }
    frmDelete& open() {
        screen_ = std::make_unique<frmDelete>();
        screen_->SetDeleteOnUnload(false);
        screen_->ReturnToMenu = [this] { ++menuReturns_; };
        screen_->Show();
        return *screen_;
    }
    static void chooseMonth(frmDelete& screen, int month) {
        PickerSteps::whenShown([month](PickerForm& picker) {
            PickerSteps::chooseMonth(picker, month);
            picker.OKButton_Click();
        });
        screen.btnSelect_Click();
    }
    static QColor textColor(const frmDelete& screen) {
        return screen.Label1->palette().color(QPalette::WindowText);
    }
    std::vector<QString> days() const {
        return rows("Management_Tbl", {"Input_Date"}, "Input_Date");
    }
    std::vector<QString> months() const { return rows("FixDeta_tbl", {"FixDate"}, "FixDate"); }

    std::unique_ptr<frmDelete> screen_;
    int menuReturns_ = 0;
};

TEST_F(frmDeleteTest, ConfirmingWithoutAMonthKeepsTheScreenOpen) {
    frmDelete& screen = open();
    EXPECT_EQ(screen.Label1->text(), Instruction);
    screen.OKButton_Click();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "削除する月を選択して下さい。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbExclamation);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "データ整理");
    EXPECT_TRUE(screen.Loaded());
    EXPECT_TRUE(screen.isEnabled());
    EXPECT_EQ(screen.MousePointer(), forms::vbDefault);
    EXPECT_EQ(menuReturns_, 0);
    EXPECT_EQ(days().size(), 5u);
    EXPECT_EQ(months().size(), 3u);
}

struct DeletionCase {
    int month;
    bool closed;
    std::vector<QString> daysLeft;
    std::vector<QString> monthsLeft;
    bool hasCloseDate;
};

class frmDeleteMonthTest : public frmDeleteTest,
                           public ::testing::WithParamInterface<DeletionCase> {};

TEST_P(frmDeleteMonthTest, DeletesTheDaysUpToTheMonthAndTheMonthEndRowsBeforeIt) {
    const DeletionCase& c = GetParam();
    frmDelete& screen = open();
    chooseMonth(screen, c.month);
    EXPECT_EQ(screen.FromDate(), Date::fromYmd(2024, c.month, 1));
    EXPECT_EQ(screen.ToDate(), Date::fromYmd(2024, c.month, 1).lastOfMonth());
    const QString month = "2024年　" + QString::number(c.month) + "月";
    EXPECT_EQ(screen.Label1->text(), month + (c.closed ? ClosedText : OpenText));
    EXPECT_EQ(textColor(screen), c.closed ? Black : Red);
    EXPECT_EQ(screen.MousePointer(), forms::vbDefault);

    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.OKButton_Click();
    const QString question =
        "2024年" + QString::number(c.month) + "月までのデータを削除してもよろしいですか？";
    EXPECT_EQ(boxTexts(), (std::vector<QString>{question, "正常に削除されました。"}));
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbYesNo + forms::vbQuestion);
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].style, forms::vbInformation);
    EXPECT_EQ(days(), c.daysLeft);
    EXPECT_EQ(months(), c.monthsLeft);
    EXPECT_EQ(MainModule::HasCloseDate, c.hasCloseDate);
    EXPECT_EQ(MainModule::LastCloseDate, Date::fromYmd(2024, 4, 1));
    EXPECT_FALSE(screen.Loaded());
    EXPECT_EQ(menuReturns_, 1);
    EXPECT_EQ(rows("TradeMast_tbl", {"Trade_Name"}, "Trade_No"), std::vector<QString>{"ノート"});
}

// Before, at and after the last closed month (April).
INSTANTIATE_TEST_SUITE_P(
    Months, frmDeleteMonthTest,
    ::testing::Values(DeletionCase{3,
                                   true,
                                   {"2024/04/01", "2024/04/30", "2024/05/01", "2024/06/01"},
                                   {"2024/03/01", "2024/04/01"},
                                   true},
                      DeletionCase{4, true, {"2024/05/01", "2024/06/01"}, {"2024/04/01"}, true},
                      DeletionCase{5, false, {"2024/06/01"}, {}, false}));

TEST_F(frmDeleteTest, WithNoMonthLeftEveryChoiceIsWarnedInRed) {
    frmDelete& first = open();
    chooseMonth(first, 5);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    first.OKButton_Click();
    ASSERT_FALSE(MainModule::HasCloseDate);

    // The last closed month kept from before must not count as closed any more.
    frmDelete& second = open();
    chooseMonth(second, 3);
    EXPECT_EQ(second.Label1->text(), "2024年　3月" + OpenText);
    EXPECT_EQ(textColor(second), Red);
}

TEST_F(frmDeleteTest, AnsweringNoDeletesNothing) {
    frmDelete& screen = open();
    chooseMonth(screen, 4);
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen.OKButton_Click();
    EXPECT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(days().size(), 5u);
    EXPECT_EQ(months().size(), 3u);
    EXPECT_FALSE(screen.Loaded());
    EXPECT_EQ(menuReturns_, 1);
}

TEST_F(frmDeleteTest, AFailedSecondDeleteLeavesBothTablesAsTheyWere) {
    addTrigger("refuse BEFORE DELETE ON FixDeta_tbl BEGIN SELECT RAISE(ABORT, 'refused'); END");
    frmDelete& screen = open();
    chooseMonth(screen, 4);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.OKButton_Click();
    ASSERT_EQ(boxTexts().size(), 3u);
    EXPECT_EQ(boxTexts()[1], "2024年4月までのデータの削除に失敗しました。");
    EXPECT_EQ(boxTexts()[2], "Dataの削除に失敗しました。");
    for (std::size_t box = 1; box < 3; ++box) {
        EXPECT_EQ(forms::TestHook::msgBoxes()[box].style, forms::vbExclamation);
        EXPECT_EQ(forms::TestHook::msgBoxes()[box].title, "データ整理");
    }
    EXPECT_EQ(days().size(), 5u);
    EXPECT_EQ(months().size(), 3u);
    EXPECT_TRUE(MainModule::HasCloseDate);
    EXPECT_FALSE(screen.Loaded());
    EXPECT_EQ(menuReturns_, 1);
}

TEST_F(frmDeleteTest, AMissingDatabaseLeadsToTheRestoreScreen) {
    frmDelete& screen = open();
    chooseMonth(screen, 4);
    MainModule::DBFileName = "missing.mde";
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.OKButton_Click();
    ASSERT_GE(boxTexts().size(), 2u);
    EXPECT_EQ(boxTexts()[1], "DataBaseが存在しません。\r\nDataBaseを復元してください。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].title, "Error");
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_EQ(forms::TestHook::dialogs()[0].kind, "form");
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
}

TEST_F(frmDeleteTest, TheCloseButtonIsIgnoredWhileBusy) {
    frmDelete& screen = open();
    screen.SetMousePointer(forms::vbHourglass);
    screen.btnEND_Click();
    screen.OKButton_Click();
    EXPECT_TRUE(screen.Loaded());
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    screen.SetMousePointer(forms::vbDefault);
    screen.btnEND_Click();
    EXPECT_FALSE(screen.Loaded());
    EXPECT_EQ(menuReturns_, 1);
}

}  // namespace
