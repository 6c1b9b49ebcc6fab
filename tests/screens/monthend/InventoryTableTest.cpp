#include <gtest/gtest.h>

#include "CloseFixture.h"
#include "core/MainModule.h"
#include "screens/monthend/InventoryList.h"
#include "screens/monthend/InventoryTable.h"
#include "screens/monthend/MonthClose.h"
#include "tests/support/TestRows.h"

namespace {

using vb::Currency;
using vb::Date;

class InventoryTableTest : public CloseFixture {
  protected:
    void SetUp() override {
        CloseFixture::SetUp();
        classify("001", "文具");
        product("001", "0001", "ノート", "100", "120");
        product("001", "0002", "ペン", "10.5", "20");
        closeMonth(2024, 1, "001", "0001", 7);
        movement(2, 3, "001", "0001", "10", "100", "4", "480");
        movement(2, 9, "001", "0002", "0", "10.5", "3", "60");
        movement(3, 2, "001", "0001", "1", "101", "0", "0");
        movement(4, 2, "001", "0001", "5", "102", "2", "240");
        MonthClose close(Date::fromYmd(2024, 2, 1));
        ASSERT_EQ(close.Calculate(), MonthClose::Ready);
        ASSERT_GE(close.Save(), 0);
        MainModule::LastCloseDate = Date::fromYmd(2024, 2, 1);
    }

    // Columns 3 to 8 of every row as "a|b|c".
    static std::vector<QString> figures(const InventoryTable& table) {
        std::vector<QString> texts;
        for (int row = 0; row < table.RowCount(); ++row) {
            QStringList cells;
            for (int col = InventoryTable::Opening; col <= InventoryTable::Value; ++col) {
                cells << table.Rows()(row, col).toString();
            }
            texts.push_back(cells.join('|'));
        }
        return texts;
    }
};

TEST_F(InventoryTableTest, StockValuesRoundHalvesAwayFromZeroKeepingTheSign) {
    const struct {
        double quantity, price, value;
    } cases[] = {{-3, 10.5, -32}, {3, 10.5, 32}, {2.5, 100.2, 251}, {2.5, 99.99, 250}, {0, 7, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(InventoryTable::StockValue(Currency::fromDouble(c.quantity),
                                             Currency::fromDouble(c.price)),
                  Currency::fromDouble(c.value))
            << c.quantity << " x " << c.price;
    }
}

TEST_F(InventoryTableTest, TheLastClosedMonthTheNextAndOneAfterAGap) {
    InventoryTable table;
    // closed: the stored figures, the opening stock from January
    ASSERT_TRUE(table.Load(Date::fromYmd(2024, 2, 1), "在庫管理表"));
    EXPECT_EQ(figures(table), (std::vector<QString>{"7|10|4|13|100|1,300", "0|0|3|-3|10.5|-32"}));
    EXPECT_EQ(table.Total(), Currency::fromInteger(1268));
    // the next month: February's stock plus March
    ASSERT_TRUE(table.Load(Date::fromYmd(2024, 3, 15), "在庫管理表"));
    EXPECT_EQ(figures(table), (std::vector<QString>{"13|1|0|14|101|1,414", "-3|0|0|-3|10.5|-32"}));
    // after a gap: February's stock, March's movement, then April's
    ASSERT_TRUE(table.Load(Date::fromYmd(2024, 4, 1), "在庫管理表"));
    EXPECT_EQ(figures(table), (std::vector<QString>{"14|5|2|17|102|1,734", "-3|0|0|-3|10.5|-32"}));
    EXPECT_EQ(table.Total(), Currency::fromInteger(1702));
}

TEST_F(InventoryTableTest, AfterAGapOfMonthsEveryDayRowCountsAndThePriceIsOfTheLatestDay) {
    // March's last day with a time of day, a Null quantity, ten-thousandths, a product
    // outside the masters, and June's rows written latest day first.
    insert(
        "Management_Tbl",
        {"Input_Date", "Classify_No", "Trade_No", "Cost_Quantity", "Unit_Price", "Cost_Money",
         "Sales_Quantity", "Sales_Money"},
        makeRows({{"#2024/3/31 12:00:00#", "'001'", "'0002'", "0.0001", "11", "0.0011", "0", "0"},
                  {"#2024/4/15#", "'001'", "'0002'", "Null", "12", "0", "1", "20"}}));
    movement(5, 31, "001", "0001", "2", "105", "1", "120");
    movement(5, 10, "009", "0001", "50", "1", "0", "0");
    movement(6, 20, "001", "0001", "0", "104", "3", "360");
    movement(6, 3, "001", "0001", "10", "103", "0", "0");

    InventoryTable table;
    ASSERT_TRUE(table.Load(Date::fromYmd(2024, 6, 1), "在庫管理表"));
    // February's stock 13, March to May +1 +3 +1; June +10 -3 at the price of the 20th
    EXPECT_EQ(figures(table),
              (std::vector<QString>{"18|10|3|25|104|2,600", "-3.9999|0|0|-3.9999|10.5|-42"}));
    EXPECT_EQ(table.Total(), Currency::fromInteger(2558));
}

TEST_F(InventoryTableTest, AClosedMonthWithoutRowsIsBeforeTheInitialData) {
    InventoryTable table;
    EXPECT_FALSE(table.Load(Date::fromYmd(2023, 12, 1), "在庫管理表"));
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(boxTexts(), std::vector<QString>{"指定された日付は初期Data前の日付です。"});
}

TEST_F(InventoryTableTest, TheListFormatsByTheSettingsAndAddsTheTotals) {
    InventoryTable table;
    ASSERT_TRUE(table.Load(Date::fromYmd(2024, 2, 1), "在庫管理表"));
    MainModule::TradeFigure = 2;
    MainModule::SumDecimal = 1;
    MainModule::UnitDecimal = 7;  // outside its codes: whole numbers
    vb::VariantArray list = InventoryList::Build(table);
    ASSERT_EQ(list.rows(), 3);
    QStringList first;
    for (int col = 0; col < 8; ++col) {
        first << list(0, col).toString();
    }
    EXPECT_EQ(first.join('|'), "001000001|ノート|7.00|10.00|4.00|13.00|100|1,300");
    EXPECT_EQ(list(1, 7).toString(), "-32");
    EXPECT_EQ(list(2, 1).toString(), "　合　計　");
    EXPECT_EQ(list(2, 7).toString(), "1,268");
    EXPECT_EQ(list(2, 0).toString(), "");
}

// The print after a close computes each stock value from the closing stock and price
// as the list shows them, and the total from those values; the screen's list keeps the
// table's values, computed from the stored figures.
TEST_F(InventoryTableTest, ThePrintAfterACloseValuesTheShownFigures) {
    product("001", "0003", "消しゴム", "99.99", "150");
    movement(2, 5, "001", "0003", "2.5", "99.99", "0", "0");
    MonthClose close(Date::fromYmd(2024, 2, 1));
    ASSERT_EQ(close.Calculate(), MonthClose::Ready);
    ASSERT_GE(close.Save(), 0);
    InventoryTable table;
    ASSERT_TRUE(table.Load(Date::fromYmd(2024, 2, 1), "在庫管理表"));

    const struct {
        uint8_t sumDecimal, unitDecimal;
        InventoryList::Values values;
        std::vector<QString> shown;  // closing stock|price|value, then the total
    } cases[] = {
        {0,
         0,
         InventoryList::Values::FromShownFigures,
         {"13|100|1,300", "-3|11|-33", "3|100|300", "1,567"}},
        {1,
         1,
         InventoryList::Values::FromShownFigures,
         {"13.00|100.00|1,300", "-3.00|10.50|-32", "2.50|99.99|250", "1,518"}},
        {0,
         1,
         InventoryList::Values::FromShownFigures,
         {"13|100.00|1,300", "-3|10.50|-32", "3|99.99|300", "1,568"}},
        {0,
         0,
         InventoryList::Values::FromTable,
         {"13|100|1,300", "-3|11|-32", "3|100|250", "1,518"}},
    };
    for (const auto& c : cases) {
        MainModule::SumDecimal = c.sumDecimal;
        MainModule::UnitDecimal = c.unitDecimal;
        const vb::VariantArray list = InventoryList::Build(table, c.values);
        ASSERT_EQ(list.rows(), 4);
        std::vector<QString> shown;
        for (int row = 0; row < 3; ++row) {
            shown.push_back(list(row, 5).toString() + "|" + list(row, 6).toString() + "|" +
                            list(row, 7).toString());
        }
        shown.push_back(list(3, 7).toString());
        EXPECT_EQ(shown, c.shown) << int(c.sumDecimal) << " " << int(c.unitDecimal);
    }
}

// A closed month's opening stock is the stored previous month's, also for a product
// deleted from the masters after the close.
TEST_F(InventoryTableTest, AProductDeletedAfterTheCloseKeepsItsOpeningStock) {
    runSql("DELETE FROM TradeMast_tbl WHERE Classify_No = '001' AND Trade_No = '0001'");
    InventoryTable table;
    ASSERT_TRUE(table.Load(Date::fromYmd(2024, 2, 1), "在庫管理表"));
    EXPECT_EQ(figures(table), (std::vector<QString>{"7|10|4|13|100|1,300", "0|0|3|-3|10.5|-32"}));
    EXPECT_EQ(table.Rows()(0, InventoryTable::TradeName).toString(), "ノート");
}

}  // namespace
