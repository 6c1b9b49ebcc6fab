#include <QStringList>

#include "AnalysisFixture.h"
#include "core/MainModule.h"
#include "platform/runtime/Clock.h"
#include "screens/analysis/StockLists.h"
#include "tests/support/TestRows.h"

namespace {

using vb::Date;

QStringList Texts(const vb::VariantArray& list, int count) {
    QStringList texts;
    for (int row = 0; row < count; ++row) {
        QStringList cells;
        for (int col = 0; col < list.cols(); ++col) {
            cells << list(row, col).toString();
        }
        texts << cells.join('|');
    }
    return texts;
}

// Last closed month 2024/4, today 2024/5/15.
class StockListsTest : public AnalysisFixture {
  protected:
    void SetUp() override {
        AnalysisFixture::SetUp();
        classify("001", "文具");
        classify("002", "食品");
        product("001", "0001", "ノート", "100", "120");  // 5, average 2: low
        product("001", "0002", "ペン", "10", "20");      // 6, average 2: neither
        product("001", "0003", "定規", "10", "20");      // nothing stored or moved: zero
        product("002", "0001", "パン", "10", "20");      // -1, average 0: low
        product("002", "0002", "牛乳", "10", "20");      // 0, average 0: zero
        product("003", "0001", "分類なし", "10", "20");  // class missing: no list
        storedRow(4, "001", "文具", "0001", "ノート", "0", "0", "0", "3", "2.3");
        storedRow(4, "001", "文具", "0002", "ペン", "0", "0", "0", "6", "2");
        storedRow(4, "002", "食品", "0001", "パン", "0", "0", "0", "1", "0");
        storedRow(4, "002", "食品", "0002", "牛乳", "0", "0", "0", "2", "0");
        storedRow(4, "003", "分類なし", "0001", "分類なし", "0", "0", "0", "9", "9");
        storedRow(3, "001", "文具", "0001", "ノート", "0", "0", "0", "50", "50");
        movement(5, 1, "001", "0001", "3", "100", "1", "120");
        movement(5, 15, "001", "0001", "0", "100", "0", "0");
        movement(5, 16, "001", "0001", "0", "100", "5", "600");  // after today
        movement(4, 30, "001", "0001", "0", "100", "9", "900");  // in the closed month
        movement(5, 2, "002", "0001", "0", "10", "2", "40");
        movement(5, 3, "002", "0002", "1", "10", "3", "60");
        movement(5, 4, "003", "0001", "1", "10", "0", "0");
    }
    StockLists lists;
};

TEST_F(StockListsTest, SortsTheProductsByTheirStockAgainstTheAverage) {
    ASSERT_TRUE(lists.Load("在庫少数リスト"));
    EXPECT_EQ(Texts(lists.LowStockList(), lists.LowStockCount()),
              (QStringList{"001|0001|ノート|3|5", "002|0001|パン|1|-1"}));
    EXPECT_EQ(Texts(lists.ZeroStockList(), lists.ZeroStockCount()),
              (QStringList{"001|0003|定規|0|0", "002|0002|牛乳|0|0"}));
    EXPECT_EQ(Texts(lists.AllStockList(), lists.AllStockCount()),
              (QStringList{"001|0001|ノート|2", "001|0002|ペン|2", "001|0003|定規|0",
                           "002|0001|パン|0", "002|0002|牛乳|0"}));
}

TEST_F(StockListsTest, QuantityDecimalsShowTheAverageUnrounded) {
    MainModule::SumDecimal = 3;
    MainModule::TradeFigure = 1;
    ASSERT_TRUE(lists.Load("在庫少数リスト"));
    EXPECT_EQ(Texts(lists.LowStockList(), 1), (QStringList{"001|00001|ノート|2.30|5.00"}));
    EXPECT_EQ(Texts(lists.AllStockList(), 1), (QStringList{"001|00001|ノート|2.30"}));
}

TEST_F(StockListsTest, ADecemberCloseStartsTheOpenPeriodInJanuary) {
    vb::setClock(Date::fromYmdHms(2025, 1, 10, 9, 0, 0));
    MainModule::LastCloseDate = Date::fromYmd(2024, 12, 1);
    insert("Management_Tbl", {"Input_Date", "Classify_No", "Trade_No", "Cost_Quantity"},
           makeRows(
               {{"#2025/1/1#", "'001'", "'0003'", "4"}, {"#2024/12/31#", "'001'", "'0002'", "4"}}));
    ASSERT_TRUE(lists.Load("在庫少数リスト"));
    EXPECT_EQ(Texts(lists.ZeroStockList(), lists.ZeroStockCount()),
              (QStringList{"001|0001|ノート|0|0", "001|0002|ペン|0|0", "002|0001|パン|0|0",
                           "002|0002|牛乳|0|0"}));
}

TEST_F(StockListsTest, AFailedReadShowsTheMessageAndLeavesTheListsEmpty) {
    dropTable("FixDeta_tbl");
    EXPECT_FALSE(lists.Load("在庫少数リスト"));
    EXPECT_EQ(lists.LowStockCount() + lists.ZeroStockCount() + lists.AllStockCount(), 0);
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"Dataが抽出できませんでした。"}));
}

}  // namespace
