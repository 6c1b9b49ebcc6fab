#include <QPushButton>
#include <QTest>

#include "DayFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"

namespace {

using vb::Date;

using frmSireUriageLoadTest = DayFixture;

TEST_F(frmSireUriageLoadTest, TodayListsTheMastersWithTheStoredRowsOfTheDay) {
    dayRow(Today(), "001", "0002", {"4", "30", "120", "3", "101"});
    dayRow(Today().addDays(-1), "001", "0001", {"9", "50", "450", "9", "720"});
    frmSireUriage& screen = open();
    EXPECT_EQ(screen.Caption(), "モルビク - 仕入/売上管理表");
    EXPECT_EQ(screen.ShownDay(), Today());
    EXPECT_EQ(screen.lblYear->text(), "2024");
    EXPECT_EQ(screen.lblMonth->text(), "5");
    EXPECT_EQ(screen.lblDay->text(), "15");
    EXPECT_FALSE(screen.DayClosed());
    ASSERT_EQ(screen.EGrid.Rows(), 3);
    EXPECT_EQ(gridRow(0), "001|0001|鉛筆|0|0|80|0");
    EXPECT_EQ(gridRow(1), "001|0002|消しゴム|4|3|33.5|101");
    EXPECT_EQ(gridRow(2), "002|0001|パン|0|0|150|0");
    EXPECT_EQ(totals(), "合計|4|3|101");
    EXPECT_EQ(screen.DayRows().at(1, 3).toString(), "30");  // the list's purchase price
    EXPECT_EQ(screen.DayRows().at(1, 4).toString(), "120");
    EXPECT_EQ(screen.EGrid.Row(), 0);
    EXPECT_EQ(screen.EGrid.Col(), 3);
    for (QPushButton* button : {screen.btnInsert, screen.btnSave, screen.btnPrint}) {
        EXPECT_TRUE(button->isVisible());
    }
    EXPECT_EQ(screen.btnInsert->x() * 15, 1860);
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(frmSireUriageLoadTest, ADayWithoutStoredRowsOffersOnlyRegister) {
    MainModule::PrintType = 1;
    frmSireUriage& screen = open();
    EXPECT_EQ(gridRow(1), "001|0002|消しゴム|0|0|33.5|0");
    EXPECT_EQ(totals(), "合計|0|0|0");
    EXPECT_TRUE(screen.btnInsert->isVisible());
    EXPECT_FALSE(screen.btnSave->isVisible());
    EXPECT_FALSE(screen.btnPrint->isVisible());
    EXPECT_EQ(screen.btnInsert->x() * 15, 4380);  // where the save button would stand
}

TEST_F(frmSireUriageLoadTest, AStoredRowWithoutItsProductShiftsNoOtherProduct) {
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    dayRow(Today(), "001", "0009", {"7", "10", "70", "2", "40"});
    dayRow(Today(), "002", "0001", {"2", "100", "200", "5", "750"});
    frmSireUriage& screen = open();
    ASSERT_EQ(screen.EGrid.Rows(), 3);
    EXPECT_EQ(gridRow(0), "001|0001|鉛筆|1|1|80|80");
    EXPECT_EQ(gridRow(1), "001|0002|消しゴム|0|0|33.5|0");
    EXPECT_EQ(gridRow(2), "002|0001|パン|2|5|150|750");
    EXPECT_EQ(totals(), "合計|3|6|830");
}

TEST_F(frmSireUriageLoadTest, ADayOfAClosedMonthShowsItsFrozenProductsReadOnly) {
    MainModule::LastCloseDate = Date::fromYmd(2024, 5, 1);
    frozenProduct(Date::fromYmd(2024, 5, 1), "001", "0001", "旧鉛筆", "45", "70");
    frozenProduct(Date::fromYmd(2024, 5, 1), "003", "0001", "廃番品", "5", "9");
    frozenProduct(Date::fromYmd(2024, 4, 1), "001", "0002", "四月の品", "1", "2");
    dayRow(Today(), "003", "0001", {"1", "5", "5", "2", "18"});
    frmSireUriage& screen = open();
    EXPECT_TRUE(screen.DayClosed());
    ASSERT_EQ(screen.EGrid.Rows(), 2);
    EXPECT_EQ(gridRow(0), "001|0001|旧鉛筆|0|0|70|0");
    EXPECT_EQ(gridRow(1), "003|0001|廃番品|1|2|9|18");
    EXPECT_EQ(screen.DayRows().at(1, 3).toString(), "5");
    EXPECT_FALSE(screen.btnInsert->isVisible());
    EXPECT_TRUE(screen.btnSave->isVisible());
    EXPECT_TRUE(screen.btnPrint->isVisible());

    screen.EGrid.SelectCell(0, 4);
    QTest::keyClicks(screen.Picture2, "5");
    EXPECT_EQ(screen.EGrid.Value(0, 4), "0");  // nothing can be typed
}

TEST_F(frmSireUriageLoadTest, AClosedMonthWithoutFrozenRowsShowsTheEmptyGridWithoutAMessage) {
    MainModule::LastCloseDate = Date::fromYmd(2024, 5, 1);
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    frmSireUriage& screen = open();
    EXPECT_EQ(screen.EGrid.Rows(), 15);
    EXPECT_EQ(gridRow(0), "||||||");
    EXPECT_EQ(totals(), "|||");
    for (QPushButton* button : {screen.btnInsert, screen.btnSave, screen.btnPrint}) {
        EXPECT_FALSE(button->isVisible());
    }
    EXPECT_TRUE(screen.btnEND->isVisible());
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(frmSireUriageLoadTest, AnEmptyProductListShowsTheEmptyGridWithoutRegister) {
    runSql("DELETE FROM TradeMast_tbl");
    frmSireUriage& screen = open();
    EXPECT_EQ(screen.DayRowCount(), 0);
    EXPECT_EQ(screen.EGrid.Rows(), 15);
    EXPECT_FALSE(screen.btnInsert->isVisible());
    EXPECT_TRUE(boxTexts().empty());
    screen.btnInsert_Click();
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(database.count("Management_Tbl"), 0);
}

}  // namespace
