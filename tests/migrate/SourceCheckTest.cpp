#include "MigrationFixture.h"
#include "migrate/DetaCheckSet.h"

namespace {

using DetaCheck_Set::CheckSourceData;

class SourceCheckTest : public MigrationFixture {
  protected:
    int32_t check() const {
        return CheckSourceData(sourceName(), sourceFolder(), TestDatabase::fileName(),
                               database.folder());
    }
    void addMovement(const QString& tradeNo, const QString& salesQuantity) const {
        static int day = 1;
        runSource({QStringLiteral("INSERT INTO Management_Tbl (Input_Date , Classify_No , "
                                  "Trade_No , Cost_Quantity , Unit_Price , Cost_Money , "
                                  "Sales_Quantity , Sales_Money) VALUES (#2024/3/%1# , '001' , "
                                  "'%2' , 1 , 100 , 100 , %3 , 500)")
                       .arg(day++)
                       .arg(tradeNo, salesQuantity)});
    }
    void addMonthRow(const QString& tradeNo, const QString& fixQuantity) const {
        runSource(
            {"INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No , Cost_Quantity , "
             "Sales_Quantity , Sales_Money , Fix_Quantity) VALUES (#2024/2/1# , '001' , '" +
             tradeNo + "' , 1 , 2 , 300 , " + fixQuantity + ")"});
    }
};

TEST_F(SourceCheckTest, WidthOfEveryEarlierProductNumber) {
    struct Case {
        int code;
        QStringList tradeNos;
        int32_t expected;
    } cases[] = {
        {0, {"0123"}, 0},
        {0, {"01234"}, DetaCheck_Set::TooLongTradeNo},
        {9, {"1234567890123"}, 0},
        // a longer number in any row counts, not only in the first
        {1, {"12345", "123456"}, DetaCheck_Set::TooLongTradeNo},
    };
    for (const Case& c : cases) {
        runSource({"DELETE FROM Management_Tbl"});
        setWidthCode(c.code);
        for (const QString& tradeNo : c.tradeNos) {
            addMovement(tradeNo, "2");
        }
        EXPECT_EQ(check(), c.expected) << c.code << " " << c.tradeNos.join(',').toStdString();
        EXPECT_EQ(DetaCheck_Set::TradeFigure, c.code);
    }
}

TEST_F(SourceCheckTest, AProductNumberOfTheProductMasterIsMeasuredToo) {
    setWidthCode(3);
    addMovement("0012", "2");
    runSource(
        {"INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name) VALUES ('001' , "
         "'0012' , 'a')"});
    EXPECT_EQ(check(), 0);
    runSource(
        {"INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name) VALUES ('001' , "
         "'123456789' , 'b')"});
    EXPECT_EQ(check(), DetaCheck_Set::TooLongTradeNo);
}

TEST_F(SourceCheckTest, FractionsUnderSettingsWithoutDecimals) {
    struct Case {
        QString salesQuantity;
        int unitDecimal;
        int32_t expected;
    } cases[] = {
        {"2.5", 0, DetaCheck_Set::FractionFound},
        {"-2.5", 0, DetaCheck_Set::FractionFound},
        {"2.5", 3, 0},
        {"0.00001", 0, 0},
        {"3", 0, 0},
    };
    for (const Case& c : cases) {
        runSource({"DELETE FROM Management_Tbl"});
        setWidthCode(0, c.unitDecimal);
        addMovement("0001", c.salesQuantity);
        EXPECT_EQ(check(), c.expected) << c.salesQuantity.toStdString();
    }
    runSource({"DELETE FROM Management_Tbl"});
    addMovement("00001", "1.5");
    EXPECT_EQ(check(), DetaCheck_Set::TooLongTradeNo | DetaCheck_Set::FractionFound);
}

TEST_F(SourceCheckTest, MonthlyRowsAreCheckedAsWell) {
    setWidthCode(0);
    addMonthRow("0001", "1.5");
    EXPECT_EQ(check(), DetaCheck_Set::FractionFound);
    // also when daily rows exist (months whose days were deleted keep their rows)
    addMovement("0001", "1");
    EXPECT_EQ(check(), DetaCheck_Set::FractionFound);
}

TEST_F(SourceCheckTest, ProductNumbersThatBecomeOneNumberAreNamed) {
    setWidthCode(1);
    const auto product = [this](const QString& classNo, const QString& tradeNo) {
        runSource({"INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name) VALUES ('" +
                   classNo + "' , '" + tradeNo + "' , 'x')"});
    };
    // the same number in two classes, and numbers that stay apart, are no collision
    product("001", "0101");
    product("002", "00101");
    product("001", "A101");
    product("001", "0102");
    EXPECT_EQ(check(), 0);
    EXPECT_TRUE(DetaCheck_Set::CollidingTradeNos.isEmpty());

    product("001", "00101");
    product("1", "102");
    EXPECT_EQ(check(), DetaCheck_Set::CollidingTradeNo);
    EXPECT_EQ(DetaCheck_Set::CollidingTradeNos,
              QStringList({"商品分類番号[001] の商品番号 00101 と 0101",
                           "商品分類番号[001] の商品番号 0102 と 商品分類番号[1] の商品番号 102"}));
}

TEST_F(SourceCheckTest, NumbersThatMeetOnlyInDailyOrMonthlyRowsOrAcrossClassesCollideToo) {
    setWidthCode(1);
    const auto monthRow = [this](const QString& month, const QString& classNo,
                                 const QString& tradeNo) {
        runSource({"INSERT INTO FixDeta_tbl (FixDate , Classify_No , Trade_No) VALUES (#" + month +
                   "# , '" + classNo + "' , '" + tradeNo + "')"});
    };
    const auto collisions = [this] {
        EXPECT_EQ(check(), DetaCheck_Set::CollidingTradeNo);
        return DetaCheck_Set::CollidingTradeNos;
    };
    // products that left the masters, on different days: their histories would merge
    addMovement("0007", "1");
    addMovement("007", "1");
    EXPECT_EQ(collisions(), QStringList({"商品分類番号[001] の商品番号 0007 と 007"}));

    // three numbers in the monthly rows of different months become one
    runSource({"DELETE FROM Management_Tbl"});
    monthRow("2024/1/1", "001", "101");
    monthRow("2024/2/1", "001", "0101");
    monthRow("2024/3/1", "001", "00101");
    EXPECT_EQ(collisions(), QStringList({"商品分類番号[001] の商品番号 00101、0101 と 101"}));

    // class numbers 1 and 001 of the class master become one class
    runSource({"DELETE FROM FixDeta_tbl",
               "INSERT INTO ClassifyMast_tbl (Classify_No) VALUES ('001')",
               "INSERT INTO ClassifyMast_tbl (Classify_No) VALUES ('1')"});
    EXPECT_EQ(collisions(), QStringList({"商品分類番号 001 と 1"}));
    // a product of each, with numbers that meet, is named with its class
    monthRow("2024/1/1", "001", "0101");
    monthRow("2024/1/1", "1", "101");
    EXPECT_EQ(collisions(), QStringList({"商品分類番号 001 と 1",
                                         "商品分類番号[001] の商品番号 0101 と "
                                         "商品分類番号[1] の商品番号 101"}));
}

TEST_F(SourceCheckTest, EmptyEarlierDataFitsAndFailedReadsGiveTheirCode) {
    setWidthCode(4);
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(DetaCheck_Set::TradeFigure, 4);

    DetaCheck_Set::TradeFigure = 7;
    EXPECT_EQ(
        CheckSourceData("none.mdb", sourceFolder(), TestDatabase::fileName(), database.folder()),
        -1);
    EXPECT_EQ(DetaCheck_Set::TradeFigure, 7);
    DetaCheck_Set::DBPassword = "WRONG";
    EXPECT_EQ(check(), -1000);
}

}  // namespace
