#include <QStringList>

#include "AnalysisFixture.h"
#include "core/MainModule.h"
#include "screens/analysis/RankingTables.h"

namespace {

using vb::Date;

// The first count rows of a ranking as "rank|column|...".
QStringList Texts(const RankingTables::Ranking& ranking) {
    QStringList texts;
    for (int row = 0; row < ranking.count; ++row) {
        QStringList cells;
        for (int col = 0; col < ranking.rows.cols(); ++col) {
            cells << ranking.rows(row, col).toString();
        }
        texts << cells.join('|');
    }
    return texts;
}

class RankingTablesTest : public AnalysisFixture {
  protected:
    void SetUp() override {
        AnalysisFixture::SetUp();
        classify("001", "文具");
        classify("002", "食品");
        classify("003", "雑貨");
        classify("004", "空き");
        classify("005", "衣料");
        classify("006", "玩具");
        product("001", "0001", "ノート", "100", "120");
        product("001", "0002", "ペン", "10", "20");
        product("002", "0001", "パン", "10", "20");
        product("003", "0001", "皿", "100", "150");
        product("005", "0001", "靴下", "100", "150");
        product("006", "0001", "独楽", "10", "20");
        product("009", "0001", "分類なし", "10", "20");
        storedRow(4, "001", "文具", "0001", "ノート", "3", "300", "100");
        storedRow(4, "001", "文具", "0002", "ペン", "5", "200", "0");
        storedRow(4, "002", "食品", "0001", "パン", "8", "500", "0");
        storedRow(4, "007", "消えた分類", "0001", "古い品", "0", "0", "0");
    }
    bool load(int month) {
        const Date from = Date::fromYmd(2024, month, 1);
        return tables.Load(from, from.addMonths(1).addDays(-1), "ランキング");
    }
    RankingTables tables;
};

TEST_F(RankingTablesTest, ClosedMonthRanksTheStoredRowsWithTiesByNumber) {
    ASSERT_TRUE(load(4));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Amount)),
              (QStringList{"1|001|文具|500", "2|002|食品|500", "3|007|消えた分類|0"}));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Quantity)),
              (QStringList{"1|001|文具|8", "2|002|食品|8", "3|007|消えた分類|0"}));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Profit)),
              (QStringList{"1|002|食品|500", "2|001|文具|400", "3|007|消えた分類|0"}));
    EXPECT_EQ(Texts(tables.Products(RankingTables::Profit)),
              (QStringList{"1|002|0001|パン|500", "2|001|0001|ノート|200", "3|001|0002|ペン|200",
                           "4|007|0001|古い品|0"}));
    EXPECT_EQ(Texts(tables.Products(RankingTables::Quantity)).front(), "1|002|0001|パン|8");
}

TEST_F(RankingTablesTest, ClosedMonthWithoutRowsIsEmpty) {
    MainModule::LastCloseDate = Date::fromYmd(2024, 5, 1);
    ASSERT_TRUE(load(5));
    for (int kind : {0, 1, 2}) {
        EXPECT_EQ(tables.Classes(kind).count, 0);
        EXPECT_EQ(tables.Products(kind).count, 0);
    }
}

TEST_F(RankingTablesTest, OpenMonthWithoutMovementListsTheMastersWithZero) {
    ASSERT_TRUE(load(5));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Amount)),
              (QStringList{"1|001|文具|0", "2|002|食品|0", "3|003|雑貨|0", "4|005|衣料|0",
                           "5|006|玩具|0"}));
    EXPECT_EQ(tables.Products(RankingTables::Quantity).count, 6);
}

// Gains first, then sums of exactly 0, then entries without rows, then losses with the
// smallest first. Rows of a class the masters lack are left out instead of leaving a
// blank ranked row or failing the month.
TEST_F(RankingTablesTest, OpenMonthMergesTheMonthsSumsWithTheMasters) {
    movement(5, 2, "001", "0001", "1", "100", "5", "500");
    movement(5, 3, "002", "0001", "0", "10", "0", "0");
    movement(5, 4, "003", "0001", "2", "100", "1", "50");
    movement(5, 6, "006", "0001", "1", "10", "0", "0");
    movement(5, 5, "009", "0001", "0", "10", "9", "900");
    movement(5, 16, "005", "0001", "0", "10", "9", "900");  // after the month's rows read
    movement(4, 30, "005", "0001", "0", "10", "9", "900");
    ASSERT_TRUE(tables.Load(Date::fromYmd(2024, 5, 1), Date::fromYmd(2024, 5, 15), "ランキング"));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Profit)),
              (QStringList{"1|001|文具|400", "2|002|食品|0", "3|005|衣料|0", "4|006|玩具|-10",
                           "5|003|雑貨|-150"}));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Amount)),
              (QStringList{"1|001|文具|500", "2|003|雑貨|50", "3|002|食品|0", "4|006|玩具|0",
                           "5|005|衣料|0"}));
    EXPECT_EQ(Texts(tables.Products(RankingTables::Quantity)),
              (QStringList{"1|001|0001|ノート|5", "2|003|0001|皿|1", "3|002|0001|パン|0",
                           "4|006|0001|独楽|0", "5|001|0002|ペン|0", "6|005|0001|靴下|0"}));
}

// Equal sums go by number; a sum over Null values only comes after every value, losses
// included, and shows as 0.
TEST_F(RankingTablesTest, OpenMonthOrdersEqualSumsByNumberAndNullSumsLast) {
    movement(5, 2, "003", "0001", "0", "100", "2", "100");
    movement(5, 3, "001", "0002", "0", "10", "2", "100");
    movement(5, 4, "002", "0001", "1", "10", "Null", "Null");
    movement(5, 5, "006", "0001", "1", "10", "0", "0");
    ASSERT_TRUE(load(5));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Amount)),
              (QStringList{"1|001|文具|100", "2|003|雑貨|100", "3|006|玩具|0", "4|002|食品|0",
                           "5|005|衣料|0"}));
    EXPECT_EQ(Texts(tables.Products(RankingTables::Amount)),
              (QStringList{"1|001|0002|ペン|100", "2|003|0001|皿|100", "3|006|0001|独楽|0",
                           "4|002|0001|パン|0", "5|001|0001|ノート|0", "6|005|0001|靴下|0"}));
    EXPECT_EQ(Texts(tables.Products(RankingTables::Profit)),
              (QStringList{"1|001|0002|ペン|100", "2|003|0001|皿|100", "3|002|0001|パン|0",
                           "4|001|0001|ノート|0", "5|005|0001|靴下|0", "6|006|0001|独楽|-10"}));
}

// A class sums every daily row of its number, also those of a product the masters no
// longer list, over the days of the month; its sum is Null only when every one of its
// rows is Null.
TEST_F(RankingTablesTest, OpenMonthClassSumsAreThoseOfAllTheirRows) {
    movement(5, 2, "001", "0001", "0", "100", "Null", "Null");
    movement(5, 3, "001", "0003", "0", "10", "5", "250");
    movement(5, 4, "001", "0003", "0", "10", "1", "50");
    movement(5, 4, "002", "0001", "0", "10", "Null", "Null");
    movement(5, 5, "003", "0001", "0", "100", "1", "-20");
    ASSERT_TRUE(load(5));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Amount)),
              (QStringList{"1|001|文具|300", "2|002|食品|0", "3|005|衣料|0", "4|006|玩具|0",
                           "5|003|雑貨|-20"}));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Quantity)),
              (QStringList{"1|001|文具|6", "2|003|雑貨|1", "3|002|食品|0", "4|005|衣料|0",
                           "5|006|玩具|0"}));
    EXPECT_EQ(Texts(tables.Products(RankingTables::Amount)),
              (QStringList{"1|001|0001|ノート|0", "2|002|0001|パン|0", "3|001|0002|ペン|0",
                           "4|005|0001|靴下|0", "5|006|0001|独楽|0", "6|003|0001|皿|-20"}));
}

// Profits of 0.9 - 0.7, 0.3 - 0.1 and 0.2 - 0 are the same amount, and so are losses of
// 0 - 0.2 and 0.1 - 0.3: equal amounts go by class, then by product number.
TEST_F(RankingTablesTest, EqualProfitsAndLossesGoByClassThenProduct) {
    const QStringList classes = {"1|001|文具|0.2", "2|003|雑貨|0.2", "3|006|玩具|0.2",
                                 "4|002|食品|-0.2", "5|005|衣料|-0.2"};
    storedRow(3, "001", "文具", "0001", "ノート", "1", "0.9", "0.7");
    storedRow(3, "003", "雑貨", "0001", "皿", "1", "0.3", "0.1");
    storedRow(3, "006", "玩具", "0001", "独楽", "1", "0.2", "0");
    storedRow(3, "002", "食品", "0001", "パン", "1", "0", "0.2");
    storedRow(3, "005", "衣料", "0001", "靴下", "1", "0.1", "0.3");
    ASSERT_TRUE(load(3));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Profit)), classes);
    EXPECT_EQ(Texts(tables.Products(RankingTables::Profit)),
              (QStringList{"1|001|0001|ノート|0.2", "2|003|0001|皿|0.2", "3|006|0001|独楽|0.2",
                           "4|002|0001|パン|-0.2", "5|005|0001|靴下|-0.2"}));

    movement(5, 2, "001", "0001", "7", "0.1", "1", "0.9");
    movement(5, 3, "003", "0001", "1", "0.1", "1", "0.3");
    movement(5, 4, "006", "0001", "0", "0", "1", "0.2");
    movement(5, 5, "002", "0001", "2", "0.1", "0", "0");
    movement(5, 6, "005", "0001", "3", "0.1", "1", "0.1");
    ASSERT_TRUE(load(5));
    EXPECT_EQ(Texts(tables.Classes(RankingTables::Profit)), classes);
    EXPECT_EQ(Texts(tables.Products(RankingTables::Profit)),
              (QStringList{"1|001|0001|ノート|0.2", "2|003|0001|皿|0.2", "3|006|0001|独楽|0.2",
                           "4|001|0002|ペン|0", "5|002|0001|パン|-0.2", "6|005|0001|靴下|-0.2"}));
}

TEST_F(RankingTablesTest, FailedReadShowsTheMessageAndEmptiesEveryRanking) {
    ASSERT_TRUE(load(4));
    dropTable("Management_Tbl");
    EXPECT_FALSE(load(5));
    for (int kind : {0, 1, 2}) {
        EXPECT_EQ(tables.Classes(kind).count, 0);
        EXPECT_EQ(tables.Products(kind).count, 0);
    }
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"Dataが抽出できませんでした。"}));
}

}  // namespace
