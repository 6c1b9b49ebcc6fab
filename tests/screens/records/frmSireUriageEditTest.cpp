#include <QTest>
#include <functional>

#include "DayFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"

namespace {

using frmSireUriageEditTest = DayFixture;

// Enters the sales-quantity cell of the row, stores the text and leaves the cell.
void enterSalesQuantity(frmSireUriage& screen, int row, const QString& text) {
    screen.EGrid.SelectCell(static_cast<int16_t>(row), 4);
    screen.EGrid.Value(static_cast<int16_t>(row), 4, text);
    screen.EGrid.SelectCell(static_cast<int16_t>(row), 3);
}

TEST_F(frmSireUriageEditTest, LeavingAChangedSalesQuantityRecomputesThatRowsAmountOnly) {
    struct Case {
        int sumDecimal;
        QString quantity;
        QString amount;
    };
    const std::vector<Case> cases = {
        {0, "3", "101"},  {1, "3", "101"},    {2, "3", "100.5"},   {3, "3", "100.5"},
        {0, "-3", "101"}, {2, "-3", "100.5"}, {3, "2.5", "83.75"}, {0, "2.5", "84"},
    };
    dayRow(Today(), "001", "0002", {"4", "30", "120", "1", "34"});
    for (const Case& c : cases) {
        MainModule::SumDecimal = static_cast<uint8_t>(c.sumDecimal);
        frmSireUriage& screen = open();
        enterSalesQuantity(screen, 1, c.quantity);
        EXPECT_EQ(screen.EGrid.Value(1, 6), c.amount)
            << c.sumDecimal << " " << c.quantity.toStdString();
        EXPECT_EQ(screen.EGrid.Value(0, 6), "0");
        EXPECT_EQ(screen.EGrid.Value(1, 3), "4");
        EXPECT_EQ(totals().section('|', 3), "34");  // the totals keep the stored day
    }
}

TEST_F(frmSireUriageEditTest, OnlyAChangedNonBlankSalesQuantityComputes) {
    dayRow(Today(), "001", "0002", {"4", "30", "120", "1", "34"});
    frmSireUriage& screen = open();
    screen.EGrid.Value(1, 6, "500");  // typed by hand
    enterSalesQuantity(screen, 1, "1");
    EXPECT_EQ(screen.EGrid.Value(1, 6), "500");
    enterSalesQuantity(screen, 1, "");
    EXPECT_EQ(screen.EGrid.Value(1, 6), "500");
    screen.EGrid.SelectCell(1, 3);
    screen.EGrid.Value(1, 3, "9");  // the purchase quantity computes nothing
    screen.EGrid.SelectCell(1, 4);
    EXPECT_EQ(screen.EGrid.Value(1, 6), "500");
    enterSalesQuantity(screen, 1, "2");
    EXPECT_EQ(screen.EGrid.Value(1, 6), "67");  // the hand-typed amount is overwritten

    product("001", "0003", "見本", "0", "0");
    frmSireUriage& free = open();
    enterSalesQuantity(free, 2, "5");
    EXPECT_EQ(free.EGrid.Value(2, 6), "0");
}

TEST_F(frmSireUriageEditTest, AButtonPressedDuringAnEditCommitsItWithItsAmountFirst) {
    frmSireUriage& screen = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    screen.EGrid.SelectCell(2, 4);
    screen.Picture2->setFocus();
    QTest::keyClicks(screen.Picture2, "4");
    ASSERT_TRUE(screen.Text1->isVisible());
    EXPECT_EQ(screen.EGrid.Value(2, 6), "0");  // still being edited
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(storedDay(Today()), std::vector<QString>{"002|0001|0|100|0|4|600"});
    EXPECT_EQ(gridRow(2), "002|0001|パン|0|4|150|600");
}

// Types into the current cell of the day grid as the keyboard does.
void typeIntoGrid(frmSireUriage& screen, const QString& text) {
    screen.Picture2->setFocus();
    QTest::keyClicks(screen.Picture2, text);
}

TEST_F(frmSireUriageEditTest, AQuantityTypedBackAfterAButtonCommittedItRecomputesTheAmount) {
    const struct {
        const char* button;
        std::function<void(frmSireUriage&)> press;
    } buttons[] = {
        {"date choice cancelled",
         [](frmSireUriage& s) {
             forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
             s.btnSelect_Click();
         }},
        {"register answered No",
         [](frmSireUriage& s) {
             forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
             s.btnInsert_Click();
         }},
        {"print", [](frmSireUriage& s) { s.btnPrint_Click(); }},
        {"save cancelled",
         [](frmSireUriage& s) {
             forms::TestHook::queueDialogAnswer("");
             s.btnSave_Click();
         }},
        {"leave cancelled",
         [](frmSireUriage& s) {
             forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
             s.btnEND_Click();
         }},
    };
    // Registered again at the end of every case, the day stays as it is stored here.
    dayRow(Today(), "001", "0002", {"4", "30", "120", "3", "101"});
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.button);
        frmSireUriage& screen = open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
        screen.EGrid.SelectCell(1, 4);
        typeIntoGrid(screen, "4");
        b.press(screen);
        EXPECT_EQ(screen.EGrid.Value(1, 6), "134");
        ASSERT_TRUE(screen.Loaded());
        typeIntoGrid(screen, "3");
        screen.EGrid.SelectCell(1, 3);
        EXPECT_EQ(screen.EGrid.Value(1, 6), "101");
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
        screen.btnInsert_Click();
        EXPECT_EQ(storedDay(Today()), std::vector<QString>{"001|0002|4|30|120|3|101"});
    }
}

TEST_F(frmSireUriageEditTest, AnAmountTooLargeIsRefusedAndTheQuantityGoesBack) {
    product("002", "0002", "宝石", "1", "900000000000000");
    frmSireUriage& screen = open();
    enterSalesQuantity(screen, 3, "2");
    EXPECT_EQ(boxTexts(),
              std::vector<QString>{"商品番号[002-0002]の売上金額が大きすぎるため計算できません。"});
    EXPECT_EQ(screen.EGrid.Value(3, 4), "0");
    EXPECT_EQ(screen.EGrid.Value(3, 6), "0");
}

}  // namespace
