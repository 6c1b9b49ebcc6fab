#include <gtest/gtest.h>

#include <utility>

#include "CloseFixture.h"
#include "core/MainModule.h"
#include "screens/monthend/CloseTarget.h"
#include "screens/monthend/MonthClose.h"

namespace {

using vb::Date;

const QStringList Figures = {"Classify_No",    "Trade_No",      "Classify_Name", "Trade_Name",
                             "Unit_Price",     "Cost_Quantity", "Cost_Money",    "Ｓale_Price",
                             "Sales_Quantity", "Sales_Money",   "Fix_Quantity",  "Aver_Quantity"};
const QStringList Ranks = {"Classify_No", "Trade_No",    "ClasRankRi",  "ClasRankMo",
                           "ClasRankQu",  "TradeRankRi", "TradeRankMo", "TradeRankQu"};

class MonthCloseTest : public CloseFixture {
  protected:
    // April closed with two products; May with movement of a moved, an unmoved, a new and
    // a deleted product, and a product whose class is gone.
    void addMay() const {
        classify("001", "文具");
        classify("002", "O'Reilly食品");
        product("001", "0001", "ノート", "100", "120");
        product("001", "0002", "Bic's ペン", "60", "99.99");
        product("002", "0001", "りんご", "80", "150");
        product("009", "0001", "分類なし", "1", "2");
        closeMonth(2024, 4, "001", "0001", 7);
        closeMonth(2024, 4, "001", "0002", 5);
        // stored out of day order: the last price is the one of the latest day
        movement(5, 20, "001", "0001", "0", "110", "2", "240");
        movement(5, 3, "001", "0001", "10", "100", "4", "480");
        movement(5, 4, "001", "0003", "0", "50", "100", "99999");
        movement(5, 5, "002", "0001", "0", "80", "3", "450");
        movement(6, 1, "001", "0002", "50", "60", "0", "0");
    }
};

TEST_F(MonthCloseTest, TheTargetIsTheMonthAfterTheLastClose) {
    struct Case {
        bool hasClose;
        Date last;
        Date target;
        bool allowed;
    };
    const Case cases[] = {
        {false, Date(), Date::fromYmd(2024, 5, 1), true},
        {true, Date::fromYmd(2023, 12, 1), Date::fromYmd(2024, 1, 1), true},
        {true, Date::fromYmd(2024, 3, 1), Date::fromYmd(2024, 4, 1), true},
        {true, Date::fromYmd(2024, 4, 1), Date::fromYmd(2024, 5, 1), true},
        {true, Date::fromYmd(2024, 5, 1), Date::fromYmd(2024, 6, 1), false},
    };
    for (const Case& c : cases) {
        MainModule::HasCloseDate = c.hasClose;
        MainModule::LastCloseDate = c.last;
        EXPECT_EQ(CloseTarget::Month(), c.target) << c.target.toString().toStdString();
        EXPECT_EQ(CloseTarget::Allowed(c.target), c.allowed) << c.target.toString().toStdString();
    }
    EXPECT_EQ(CloseTarget::Announcement(Date::fromYmd(2024, 6, 1)),
              "2024年 6月の締め処理はできません。\r\n"
              "[戻る]ボタンを押し、メニュー画面へ戻ってください。");
    EXPECT_EQ(CloseTarget::Announcement(Date::fromYmd(2024, 5, 1)),
              "2024年 5月の締め処理を行います。\r\nよろしければ[確定]ボタンを押してください。");
}

TEST_F(MonthCloseTest, EveryProductOfTheMastersGetsItsRowMatchedByKey) {
    addMay();
    MonthClose close(Date::fromYmd(2024, 5, 1));
    ASSERT_EQ(close.Calculate(), MonthClose::Ready);
    ASSERT_EQ(close.Rows().rows(), 3);
    ASSERT_EQ(close.Rows().cols(), 19);
    ASSERT_GE(close.Save(), 0);
    EXPECT_EQ(
        stored(5, Figures),
        (std::vector<QString>{"001|0001|文具|ノート|100|10|1000|110|6|720|11|3",
                              // unmoved: zero sums, the master's sales price, the stock carried
                              "001|0002|文具|Bic's ペン|60|0|0|99.99|0|0|5|0",
                              // new since April, sold beyond its stock: negative
                              "002|0001|O'Reilly食品|りんご|80|0|0|80|3|450|-3|3"}));
    // the deleted product's movement counts for its class, not among the products
    EXPECT_EQ(stored(5, Ranks),
              (std::vector<QString>{"001|0001|1|1|1|3|1|1", "001|0002|1|1|1|2|3|3",
                                    "002|0001|2|2|2|1|2|2"}));
}

// Amounts with four decimals, at the edge of the range and negative are summed, averaged
// and carried exactly.
TEST_F(MonthCloseTest, FourDecimalAndLargeAmountsAreClosedExactly) {
    classify("001", "文具");
    product("001", "0001", "ノート", "1234.5678", "99.9999");
    product("001", "0002", "ペン", "0.0001", "0.0003");
    closeMonth(2024, 4, "001", "0001", 7);
    movement(5, 2, "001", "0001", "2.5", "1234.5678", "1.3331", "827997349168.2591");
    movement(5, 3, "001", "0001", "0.0001", "1234.5679", "0.0002", "0.0001");
    movement(5, 4, "001", "0002", "3", "0.0001", "-0.0002", "-922337203685.4775");
    MonthClose close(Date::fromYmd(2024, 5, 1));
    ASSERT_EQ(close.Calculate(), MonthClose::Ready);
    ASSERT_GE(close.Save(), 0);
    // cost money 3086.4195 + 0.1235 (0.12345679 rounded); the average 0.66665 to even
    EXPECT_EQ(stored(5, Figures),
              (std::vector<QString>{
                  "001|0001|文具|ノート|1234.5678|2.5001|3086.543|1234.5679|1.3333|"
                  "827997349168.2592|8.1668|0.6666",
                  "001|0002|文具|ペン|0.0001|3|0.0003|0.0001|-0.0002|-922337203685.4775|3.0002|"
                  "-0.0002"}));
}

// Ranks of classes and products that share values, lose money, have Null sales or no
// movement; movement of a product or class outside the masters counts for neither list,
// but a product outside the masters still counts for its class.
TEST_F(MonthCloseTest, RanksFollowTheSumsOfTheDailyRows) {
    for (const char* no : {"001", "002", "003", "004"}) {
        classify(no, QStringLiteral("分類") + no);
    }
    for (const auto& [classNo, tradeNo] : {std::pair{"001", "0001"},
                                           {"001", "0002"},
                                           {"002", "0001"},
                                           {"002", "0002"},
                                           {"003", "0001"},
                                           {"004", "0001"},
                                           {"009", "0001"}}) {
        product(classNo, tradeNo, "商品", "10", "20");
    }
    movement(5, 2, "001", "0001", "4", "10", "5", "100");      // profit 60
    movement(5, 2, "001", "0002", "8", "10", "2", "50");       // profit -30
    movement(5, 3, "001", "0003", "0", "10", "1", "30");       // not in the masters
    movement(5, 4, "002", "0001", "1", "10", "Null", "Null");  // no profit, not -10
    movement(5, 4, "002", "0002", "0", "10", "3", "60");       // profit 60
    movement(5, 5, "003", "0001", "2", "10", "0", "0");        // profit -20
    movement(5, 6, "009", "0001", "0", "1", "1", "1000");      // class not in the masters
    MonthClose close(Date::fromYmd(2024, 5, 1));
    ASSERT_EQ(close.Calculate(), MonthClose::Ready);
    ASSERT_GE(close.Save(), 0);
    // classes: profit 001 = 002 = 60, 004 none, 003 -20; amount 180, 60, 0, none;
    // quantity 8, 3, 0, none
    EXPECT_EQ(stored(5, Ranks),
              (std::vector<QString>{"001|0001|1|1|1|1|1|1", "001|0002|1|1|1|4|3|3",
                                    "002|0001|1|2|2|2|4|4", "002|0002|1|2|2|1|2|2",
                                    "003|0001|3|3|3|3|4|4", "004|0001|2|3|3|2|4|4"}));
}

TEST_F(MonthCloseTest, AMonthWithoutMovementRanksEveryoneLast) {
    addMay();
    MonthClose close(Date::fromYmd(2024, 7, 1));
    ASSERT_EQ(close.Calculate(), MonthClose::Ready);
    ASSERT_GE(close.Save(), 0);
    EXPECT_EQ(stored(7, Ranks),
              (std::vector<QString>{"001|0001|2|2|2|3|3|3", "001|0002|2|2|2|3|3|3",
                                    "002|0001|2|2|2|3|3|3"}));
}

TEST_F(MonthCloseTest, WithoutProductsNothingIsCalculated) {
    classify("001", "文具");
    product("009", "0001", "分類なし", "1", "2");
    MonthClose close(Date::fromYmd(2024, 5, 1));
    EXPECT_EQ(close.Calculate(), MonthClose::NoProducts);
    EXPECT_EQ(close.Rows().rows(), 0);
}

TEST_F(MonthCloseTest, AFailedReplaceKeepsTheMonthsOldRows) {
    addMay();
    closeMonth(2024, 5, "001", "0001", 42);
    addTrigger(
        "refuse BEFORE INSERT ON FixDeta_tbl WHEN NEW.Trade_Name = 'りんご' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    MonthClose close(Date::fromYmd(2024, 5, 1));
    ASSERT_EQ(close.Calculate(), MonthClose::Ready);
    EXPECT_LT(close.Save(), 0);
    EXPECT_EQ(stored(5, {"Trade_No", "Fix_Quantity"}), std::vector<QString>{"0001|42"});
}

}  // namespace
