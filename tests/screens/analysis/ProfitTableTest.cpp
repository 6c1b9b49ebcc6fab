#include <QStringList>

#include "AnalysisFixture.h"
#include "core/MainModule.h"
#include "screens/analysis/ProfitTable.h"

namespace {

using vb::Date;

QStringList Rows(const vb::VariantArray& table) {
    QStringList texts;
    for (int row = 0; row < table.rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < table.cols(); ++col) {
            cells << table(row, col).toString();
        }
        texts << cells.join('|');
    }
    return texts;
}

// Last closed month 2024/4: the masters serve from 2024/4/30 on.
class ProfitTableTest : public AnalysisFixture {
  protected:
    void SetUp() override {
        AnalysisFixture::SetUp();
        classify("001", "文具");
        classify("002", "食品");
        classify("003", "空き");  // no product: never listed from the masters
        product("001", "0001", "ノート", "100", "120");
        product("001", "0002", "ペン", "10", "20");
        product("002", "0001", "パン", "10", "20");
        storedRow(4, "001", "旧文具", "0001", "ノート", "0", "0", "0");
        storedRow(4, "005", "旧分類", "0001", "古い品", "0", "0", "0");
    }
    bool load(int month, int day) {
        return table.Load(Date::fromYmd(2024, month, day), "売上利益表");
    }
    ProfitTable table;
};

TEST_F(ProfitTableTest, SumsEachClassOfTheDayAndTheTotals) {
    movement(5, 10, "001", "0001", "2.25", "100", "3", "1234.4");
    movement(5, 10, "001", "0002", "1", "10", "1", "20");
    movement(5, 10, "002", "0001", "0", "10", "1", "20");
    movement(5, 11, "002", "0001", "9", "10", "9", "900");
    MainModule::SumDecimal = 1;
    ASSERT_TRUE(load(5, 10));
    EXPECT_EQ(table.ClassCount(), 2);
    EXPECT_EQ(table.DaySumRows(), 2);
    EXPECT_EQ(Rows(table.Texts()),
              (QStringList{"001|文具|3.25|235|4.00|1,254|1,019", "002|食品|0.00|0|1.00|20|20",
                           " |合　計|3.25|235|5.00|1,274|1,039"}));
    EXPECT_EQ(Rows(table.Totals()), (QStringList{"合　計|3.25|235|5|1274.4|1039.4"}));
    MainModule::SumDecimal = 2;
    ASSERT_TRUE(load(5, 10));
    EXPECT_EQ(table.Texts()(0, 2).toString(), "3");
    EXPECT_EQ(table.Texts()(0, 5).toString(), "1,254.40");
}

TEST_F(ProfitTableTest, ADayWithoutMovementShowsZerosForTheListedClasses) {
    ASSERT_TRUE(load(6, 30));
    EXPECT_EQ(table.DaySumRows(), 0);
    EXPECT_EQ(Rows(table.Texts()),
              (QStringList{"001|文具|0|0|0|0|0", "002|食品|0|0|0|0|0", " |合　計|0|0|0|0|0"}));
}

// The last day of the closed month takes the masters, the day before the stored rows.
TEST_F(ProfitTableTest, TheClassListComesFromTheStoredMonthBeforeItsLastDay) {
    movement(4, 29, "005", "0001", "0", "10", "1", "50");
    ASSERT_TRUE(load(4, 30));
    EXPECT_EQ(table.Values()(0, 1).toString(), "文具");
    ASSERT_TRUE(load(4, 29));
    EXPECT_EQ(Rows(table.Texts()), (QStringList{"001|旧文具|0|0|0|0|0", "005|旧分類|0|0|1|50|50",
                                                " |合　計|0|0|1|50|50"}));
    ASSERT_TRUE(load(3, 10));
    EXPECT_EQ(table.ClassCount(), 0);
}

// Sums of a class the list lacks are stepped over: the later classes keep their own.
TEST_F(ProfitTableTest, SumsOfAnUnlistedClassDoNotHoldBackTheLaterClasses) {
    movement(5, 10, "000", "0001", "0", "10", "1", "500");
    movement(5, 10, "002", "0001", "0", "10", "1", "20");
    ASSERT_TRUE(load(5, 10));
    EXPECT_EQ(table.Texts()(1, 5).toString(), "20");
    EXPECT_EQ(table.Texts()(2, 5).toString(), "20");
}

TEST_F(ProfitTableTest, AFailedReadLeavesNoTable) {
    dropTable("Management_Tbl");
    EXPECT_FALSE(load(5, 10));
    EXPECT_EQ(table.ClassCount(), 0);
    EXPECT_EQ(table.DaySumRows(), -1);
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"Dataが抽出できませんでした。"}));
}

}  // namespace
