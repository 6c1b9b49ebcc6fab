#include <algorithm>

#include "MigrationFixture.h"
#include "migrate/DetaCheckSet.h"

namespace {

class ConversionTest : public MigrationFixture {
  protected:
    int32_t convert() const {
        return DetaCheck_Set::ConvertImportedData(
            TestDatabase::fileName(), database.folder(),
            [this](int16_t value) { gauge_.push_back(value); });
    }
    void addClass(const QString& no) const {
        runTarget({"INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('" + no +
                   "' , 'C" + no + "')"});
    }
    void addProduct(const QString& classNo, const QString& tradeNo) const {
        runTarget(
            {"INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name , "
             "Unit_Price , Sales_Price , basic_Quantity) VALUES ('" +
             classNo + "' , '" + tradeNo + "' , 'P" + tradeNo + "' , 10 , 20 , 0)"});
    }
    // A daily row: purchase quantity and price, sales amount.
    void addMovement(const QString& day, const QString& classNo, const QString& tradeNo,
                     const QString& costQuantity, const QString& price,
                     const QString& salesMoney) const {
        runTarget(
            {"INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , "
             "Cost_Quantity , Unit_Price , Cost_Money , Sales_Quantity , Sales_Money) "
             "VALUES (#" +
             day + "# , '" + classNo + "' , '" + tradeNo + "' , " + costQuantity + " , " + price +
             " , 0 , 1 , " + salesMoney + ")"});
    }
    void addMonthRow(const QString& month, const QString& classNo, const QString& tradeNo,
                     const QString& salesQuantity, const QString& salesMoney) const {
        runTarget(
            {"INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No , Classify_Name , "
             "Trade_Name , Unit_Price , Cost_Money , Sales_Quantity , Sales_Money , "
             "ClasRankRi , TradeRankRi) VALUES (#" +
             month + "# , '" + classNo + "' , '" + tradeNo + "' , 'C' , 'P' , 7 , 7 , " +
             salesQuantity + " , " + salesMoney + " , 99 , 99)"});
    }
    QStringList monthRows(const QString& columns) const {
        return targetRows("SELECT " + columns +
                          " FROM FixDeta_tbl ORDER BY FixDate , Classify_No , Trade_No");
    }

    mutable std::vector<int16_t> gauge_;
};

TEST_F(ConversionTest, ProductNumbersTakeTheNewWidthInAllThreeTables) {
    DetaCheck_Set::TradeFigure = 3;
    addClass("1");
    addProduct("1", "00012");
    addMovement("2024/9/2", "1", "00012", "3", "120.5", "500");
    addMonthRow("2024/9/1", "1", "00012", "31", "500");
    EXPECT_GE(convert(), 0);
    EXPECT_EQ(targetRows("SELECT Classify_No , Trade_No FROM TradeMast_tbl"),
              QStringList({"001|0000012"}));
    // the purchase amount is recomputed exactly, decimals kept
    EXPECT_EQ(targetRows("SELECT Classify_No , Trade_No , Cost_Money FROM Management_Tbl"),
              QStringList({"001|0000012|361.5"}));
    EXPECT_EQ(monthRows("Trade_No , Unit_Price , Cost_Money , Aver_Quantity"),
              QStringList({"0000012|120.5|361.5|1.03"}));
    EXPECT_EQ(gauge_.back(), 10);
}

TEST_F(ConversionTest, WidthRules) {
    EXPECT_EQ(DetaCheck_Set::TradeNoText("00012", 0), "0012");
    EXPECT_EQ(DetaCheck_Set::TradeNoText("12", 3), "0000012");
    EXPECT_EQ(DetaCheck_Set::TradeNoText("123456", 1), "123456");
    EXPECT_EQ(DetaCheck_Set::TradeNoText("A-12", 2), "A-12");
    EXPECT_EQ(DetaCheck_Set::ClassifyNoText("7"), "007");
}

TEST_F(ConversionTest, ProfitRanksPutNegativesLastAndSumRanksHaveNoGaps) {
    for (const char* no : {"001", "002", "003", "004", "005"}) {
        addClass(no);
        addProduct(no, "0001");
    }
    // profits 500, 300, 300, 0 and -40; class 005 has no movement (profit 0)
    addMovement("2024/10/3", "001", "0001", "0", "0", "500");
    addMovement("2024/10/3", "002", "0001", "0", "0", "300");
    addMovement("2024/10/4", "003", "0001", "1", "60", "360");
    addMovement("2024/10/5", "004", "0001", "1", "40", "0");
    // sales amounts 90, 90, 40, 40, 10
    addMonthRow("2024/10/1", "001", "0001", "1", "90");
    addMonthRow("2024/10/1", "002", "0001", "1", "90");
    addMonthRow("2024/10/1", "003", "0001", "1", "40");
    addMonthRow("2024/10/1", "004", "0001", "1", "40");
    addMonthRow("2024/10/1", "005", "0001", "1", "10");
    // a product whose class left the masters keeps its imported profit rank
    addMonthRow("2024/10/1", "009", "0001", "1", "5");
    ASSERT_GE(convert(), 0);
    EXPECT_EQ(monthRows("Classify_No , ClasRankRi , ClasRankMo , TradeRankRi , TradeRankMo , "
                        "ClasRankQu"),
              QStringList({"001|1|1|1|1|1", "002|2|1|2|1|1", "003|2|2|2|2|1", "004|4|2|4|2|1",
                           "005|3|3|3|3|1", "009|99|4|99|4|1"}));
}

TEST_F(ConversionTest, AClassMasterOfAnotherWidthIsRenumberedBeforeTheRanks) {
    addClass("1");
    addClass("2");
    addProduct("001", "0001");
    addProduct("002", "0001");
    addMovement("2024/10/3", "001", "0001", "0", "0", "100");
    addMovement("2024/10/3", "002", "0001", "0", "0", "300");
    addMonthRow("2024/10/1", "001", "0001", "1", "100");
    addMonthRow("2024/10/1", "002", "0001", "1", "300");
    ASSERT_GE(convert(), 0);
    EXPECT_EQ(targetRows("SELECT Classify_No FROM ClassifyMast_tbl ORDER BY Classify_No"),
              QStringList({"001", "002"}));
    EXPECT_EQ(monthRows("Classify_No , ClasRankRi , TradeRankRi"),
              QStringList({"001|2|2", "002|1|1"}));
}

TEST_F(ConversionTest, MonthsAcrossAYearEndAndMonthsWithoutDailyRowsKeepTheirPrices) {
    addClass("001");
    addProduct("001", "0001");
    addMonthRow("2024/10/1", "001", "0001", "1", "10");
    addMonthRow("2025/3/1", "001", "0001", "1", "10");
    addMovement("2024/12/31", "001", "0001", "2", "5", "30");
    addMonthRow("2024/12/1", "001", "0001", "1", "10");
    ASSERT_GE(convert(), 0);
    // October (the first month) and March have no daily rows: their stored price and
    // purchase amount stay
    EXPECT_EQ(monthRows("Unit_Price , Cost_Money , ClasRankRi , TradeRankRi"),
              QStringList({"7|7|1|1", "5|10|1|1", "7|7|1|1"}));
    // six months: the gauge moves from 5 on towards 8, never past it, then 9 and 10
    EXPECT_NE(std::find(gauge_.begin(), gauge_.end(), 7), gauge_.end());
    EXPECT_TRUE(std::is_sorted(gauge_.begin(), gauge_.end()));
    EXPECT_EQ(std::vector<int16_t>(gauge_.end() - 3, gauge_.end()),
              std::vector<int16_t>({8, 9, 10}));
}

TEST_F(ConversionTest, ProfitRowsOnlyOutsideTheMastersLeaveEveryMasterInTheZeroGroup) {
    addClass("001");
    addClass("002");
    addProduct("001", "0001");
    addProduct("002", "0001");
    addMovement("2024/10/3", "009", "0001", "0", "0", "100");
    addMonthRow("2024/10/1", "001", "0001", "1", "10");
    addMonthRow("2024/10/1", "002", "0001", "1", "10");
    ASSERT_GE(convert(), 0);
    EXPECT_EQ(monthRows("ClasRankRi , TradeRankRi"), QStringList({"0|0", "0|0"}));
}

TEST_F(ConversionTest, AllProfitsZeroAndOneNegative) {
    addClass("001");
    addClass("002");
    addMovement("2024/10/3", "001", "0001", "0", "0", "0");
    addMovement("2024/10/3", "002", "0001", "1", "40", "0");
    addMonthRow("2024/10/1", "001", "0001", "1", "10");
    addMonthRow("2024/10/1", "002", "0001", "1", "10");
    ASSERT_GE(convert(), 0);
    EXPECT_EQ(monthRows("ClasRankRi"), QStringList({"0", "1"}));
}

TEST_F(ConversionTest, WhatIsWrittenDependsOnWhatWasImported) {
    EXPECT_EQ(convert(), 0);
    EXPECT_EQ(gauge_.back(), 10);

    DetaCheck_Set::TradeFigure = 1;
    addProduct("1", "0012");
    EXPECT_GE(convert(), 0);
    EXPECT_EQ(targetRows("SELECT Classify_No , Trade_No FROM TradeMast_tbl"),
              QStringList({"001|00012"}));

    // daily rows without monthly rows are renumbered with their products
    addMovement("2024/9/2", "1", "0012", "2", "3", "0");
    EXPECT_GE(convert(), 0);
    EXPECT_EQ(targetRows("SELECT Trade_No , Cost_Money FROM Management_Tbl"),
              QStringList({"00012|6"}));
}

TEST_F(ConversionTest, ANullSumRanksAsZeroWithTheZeros) {
    // sales amount and quantity: 100 and 5, 0 and 0, a loss, Null and Null
    addMonthRow("2024/9/1", "001", "0001", "5", "100");
    addMonthRow("2024/9/1", "002", "0002", "0", "0");
    addMonthRow("2024/9/1", "003", "0003", "-2", "-50");
    addMonthRow("2024/9/1", "004", "0004", "Null", "Null");
    ASSERT_GE(convert(), 0);
    EXPECT_EQ(monthRows("Classify_No , ClasRankMo , ClasRankQu , TradeRankMo , TradeRankQu"),
              QStringList({"001|1|1|1|1", "002|2|2|2|2", "003|3|3|3|3", "004|2|2|2|2"}));
}

TEST_F(ConversionTest, TheClassMasterTakesTheClassWidthOfItsProducts) {
    addClass("1");
    addClass("020");
    addProduct("1", "0012");
    addProduct("020", "0013");
    ASSERT_GE(convert(), 0);
    EXPECT_EQ(targetRows("SELECT ClassifyMast_tbl.Classify_No , Classify_Name , Trade_No FROM "
                         "ClassifyMast_tbl , TradeMast_tbl WHERE ClassifyMast_tbl.Classify_No = "
                         "TradeMast_tbl.Classify_No ORDER BY Trade_No"),
              QStringList({"001|C1|0012", "020|C020|0013"}));
    EXPECT_EQ(gauge_.back(), 10);

    // classes alone are renumbered too
    runTarget({"DELETE FROM TradeMast_tbl", "DELETE FROM ClassifyMast_tbl"});
    addClass("7");
    ASSERT_GE(convert(), 0);
    EXPECT_EQ(targetRows("SELECT Classify_No , Classify_Name FROM ClassifyMast_tbl"),
              QStringList({"007|C7"}));
}

TEST_F(ConversionTest, AFailedWriteLeavesTheTablesAsImported) {
    DetaCheck_Set::TradeFigure = 1;
    addProduct("001", "0012");
    addProduct("001", "00012");  // both become 00012: the key is duplicated
    addMovement("2024/9/2", "001", "0012", "2", "3", "0");
    addMonthRow("2024/9/1", "001", "0012", "1", "10");
    EXPECT_LT(convert(), 0);
    EXPECT_EQ(targetRows("SELECT Trade_No FROM TradeMast_tbl ORDER BY Trade_No"),
              QStringList({"00012", "0012"}));
    EXPECT_EQ(targetRows("SELECT Trade_No , Cost_Money FROM Management_Tbl"),
              QStringList({"0012|0"}));
    EXPECT_EQ(monthRows("Trade_No , Unit_Price"), QStringList({"0012|7"}));
}

}  // namespace
