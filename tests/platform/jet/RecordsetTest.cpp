#include <gtest/gtest.h>

#include "TestDatabase.h"

namespace {

using jet::Connection;
using jet::Recordset;
using vb::Currency;
using vb::Date;
using vb::Variant;

class RecordsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = db_.create("db.mde", "pw");
        ASSERT_FALSE(connection_.open(TestDatabase::connectionText(path_, "pw")));
    }

    void run(const QString& sql) {
        const jet::Error error = connection_.execute(sql);
        ASSERT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
    }

    void addMovement(const char* day, const char* classify, const char* trade, const char* cost,
                     const char* sales) {
        run(QStringLiteral("INSERT INTO Management_Tbl(Input_Date , Classify_No , Trade_No , "
                           "Cost_Money , Sales_Money) VALUES (#%1#,'%2','%3',%4,%5)")
                .arg(day, classify, trade, cost, sales));
    }

    // Every row of a query, fields in order.
    std::vector<std::vector<Variant>> rows(const QString& sql) {
        std::vector<std::vector<Variant>> result;
        Recordset records;
        const jet::Error error = records.open(sql, connection_);
        EXPECT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
        while (!records.eof()) {
            std::vector<Variant> row;
            for (int i = 0; i < records.fieldCount(); ++i) {
                row.push_back(records.value(i));
            }
            result.push_back(row);
            EXPECT_FALSE(records.moveNext());
        }
        return result;
    }

    Variant value(const QString& sql) { return queryValue(connection_, sql); }

    TestDatabase db_;
    QString path_;
    Connection connection_;
};

TEST_F(RecordsetTest, ValuesComeBackWithTheirTypes) {
    run("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No , Trade_Name , Ｓale_Price , "
        "ClasRankRi) VALUES (#2024/9/1#,'001','0000000000001','O''Brien',1234567.8912,3)");
    run("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No , Trade_Name , Ｓale_Price , "
        "ClasRankRi) VALUES (#2024/9/1#,'002','0002',Null,0.0001,3000000000)");

    Recordset records;
    ASSERT_FALSE(
        records.open("SELECT FixDate , Classify_No , Trade_No , Trade_Name , "
                     "[Ｓale_Price] , ClasRankRi FROM FixDeta_tbl ORDER BY Classify_No",
                     connection_));
    ASSERT_EQ(records.fieldCount(), 6);
    EXPECT_EQ(records.field(0).type, jet::adDate);
    EXPECT_EQ(records.field(1).type, jet::adVarWChar);
    EXPECT_EQ(records.field(4).type, jet::adCurrency);
    EXPECT_EQ(records.field(5).type, jet::adInteger);
    EXPECT_EQ(records.field(4).name, QStringLiteral("Ｓale_Price"));
    EXPECT_EQ(records.value(0), Variant(Date::fromYmd(2024, 9, 1)));
    EXPECT_EQ(records.value(1), Variant("001"));
    EXPECT_EQ(records.value(2), Variant("0000000000001"));
    EXPECT_EQ(records.value(3), Variant("O'Brien"));
    EXPECT_EQ(records.value(4), Variant(Currency::fromRaw(12345678912)));
    EXPECT_EQ(records.value(5), Variant(int32_t{3}));

    ASSERT_FALSE(records.moveNext());
    EXPECT_TRUE(records.value(3).isNull());
    EXPECT_EQ(records.value(4), Variant(Currency::fromRaw(1)));
    EXPECT_EQ(records.value(5), Variant(3000000000.0));  // too large for a Long

    ASSERT_FALSE(records.moveNext());
    EXPECT_TRUE(records.eof());
    EXPECT_TRUE(records.value(0).isEmpty());
    EXPECT_TRUE(records.field(99).value.isEmpty());

    // the half-width name is another column; a bracketed name that matches no column is
    // an error, never read as a string
    Recordset wrong;
    EXPECT_EQ(wrong.open("SELECT Sale_Price FROM FixDeta_tbl", connection_).number, jet::errSyntax);
    EXPECT_EQ(wrong.open("SELECT [Sale_Price] FROM FixDeta_tbl", connection_).number,
              jet::errSyntax);
}

TEST_F(RecordsetTest, SumOfCentsIsExact) {
    // Added as doubles, 10,000 x 0.01 is not 100, and 659 x 12345678.1234 rounds to
    // ...3205 instead of ...3206.
    ASSERT_FALSE(connection_.beginTrans());
    for (int i = 0; i < 10000; ++i) {
        addMovement("2024/9/1", "001", QString::number(i).toUtf8().constData(), "0.01",
                    i < 659 ? "12345678.1234" : "0");
    }
    ASSERT_FALSE(connection_.commitTrans());

    Recordset records;
    ASSERT_FALSE(
        records.open("SELECT Sum(Cost_Money) , Sum(Sales_Money) , Avg(Cost_Money) , "
                     "Count(*) , Sum(Cost_Money) = 100 FROM Management_Tbl",
                     connection_));
    EXPECT_EQ(records.field(0).type, jet::adCurrency);
    EXPECT_EQ(records.value(0), Variant(Currency::fromInteger(100)));
    EXPECT_EQ(records.value(1), Variant(Currency::fromRaw(81358018833206)));
    EXPECT_EQ(records.value(2), Variant(Currency::fromRaw(100)));
    EXPECT_EQ(records.field(3).type, jet::adInteger);
    EXPECT_EQ(records.value(3), Variant(int32_t{10000}));
    EXPECT_EQ(records.value(4), Variant(int32_t{-1}));
}

TEST_F(RecordsetTest, SumsFollowJet) {
    // nothing to add: Null, not 0
    EXPECT_TRUE(value("SELECT Sum(Cost_Money) FROM Management_Tbl").isNull());
    addMovement("2024/9/1", "001", "0001", "3", "0.125");
    addMovement("2024/9/2", "001", "0001", "4", "0.00003");
    run("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No , ClasRankRi) VALUES "
        "(#2024/9/1#,'001','1',1)");
    run("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No , ClasRankRi) VALUES "
        "(#2024/9/1#,'001','2',2)");

    EXPECT_EQ(value("SELECT Sum(ClasRankRi) FROM FixDeta_tbl"), Variant(int32_t{3}));
    EXPECT_EQ(value("SELECT Sum(Cost_Money) FROM Management_Tbl"),
              Variant(Currency::fromInteger(7)));
    // a division leaves currency
    EXPECT_EQ(value("SELECT Sum(Cost_Money) / 2 FROM Management_Tbl"), Variant(3.5));
    // more than four decimals: plain addition, read back rounded to four
    EXPECT_EQ(value("SELECT Sum(Sales_Money) FROM Management_Tbl"),
              Variant(Currency::fromRaw(1250)));
}

TEST_F(RecordsetTest, DatesAcrossMonths) {
    addMovement("2024/8/31", "001", "0001", "1", "1");
    addMovement("2024/9/1", "001", "0001", "1", "1");
    addMovement("2024/09/30", "001", "0001", "1", "1");
    addMovement("2024-10-1", "001", "0001", "1", "1");
    run("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No) VALUES (#2024/9/1#,'001','1')");
    run("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No) VALUES (#2024/10/1#,'001','1')");

    Recordset maximum;
    ASSERT_FALSE(maximum.open("SELECT Max(FixDate)  FROM FixDeta_tbl", connection_));
    EXPECT_EQ(maximum.field(0).type, jet::adDate);
    EXPECT_EQ(maximum.value(0), Variant(Date::fromYmd(2024, 10, 1)));
    EXPECT_EQ(value("SELECT Min(Input_Date) FROM Management_Tbl"),
              Variant(Date::fromYmd(2024, 8, 31)));
    EXPECT_TRUE(value("SELECT Max(FixDate) FROM FixDeta_tbl Where FixDate > #2025/1/1#").isNull());

    EXPECT_EQ(value("SELECT COUNT(*)  FROM Management_Tbl Where Input_Date = #2024/09/01#"),
              value("SELECT COUNT(*) FROM Management_Tbl Where Input_Date = # 2024/9/1 #"));
    EXPECT_EQ(value("SELECT COUNT(*) FROM Management_Tbl Where Input_Date = # 2024/9/1 #"),
              Variant(int32_t{1}));
    EXPECT_EQ(value("SELECT COUNT(*)  FROM Management_Tbl Where Classify_No = '001' And "
                    "Input_Date Between #2024/9/1# And # 2024/9/30#"),
              Variant(int32_t{2}));
    // a time of day is kept
    run("UPDATE FixDeta_tbl SET FixDate = #2024/10/1 13:45:10# Where FixDate = #2024/10/1#");
    EXPECT_EQ(value("SELECT Max(FixDate) FROM FixDeta_tbl"),
              Variant(Date::fromYmdHms(2024, 10, 1, 13, 45, 10)));
}

TEST_F(RecordsetTest, StringsAreNeverTranslated) {
    const char* const texts[] = {"#2024/1/1#", "[x]", "a & b", "O''Brien", "True"};
    int n = 0;
    for (const char* text : texts) {
        run(QStringLiteral("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No , "
                           "Trade_Name) VALUES (#2024/9/1#,'001','%1','%2')")
                .arg(++n)
                .arg(QString::fromUtf8(text)));
        EXPECT_EQ(
            value(
                QStringLiteral("SELECT Trade_Name FROM FixDeta_tbl Where Trade_No = '%1'").arg(n)),
            Variant(QString::fromUtf8(text).replace("''", "'")));
    }
    EXPECT_EQ(value("SELECT Classify_No & '-' & Trade_No FROM FixDeta_tbl Where "
                    "Trade_Name = 'a & b'"),
              Variant("001-3"));
}

TEST_F(RecordsetTest, GroupedSumsAndDerivedTables) {
    addMovement("2024/9/1", "001", "0001", "100", "150.5");
    addMovement("2024/9/2", "001", "0001", "200", "250.25");
    addMovement("2024/9/2", "002", "0001", "10", "5");
    addMovement("2024/10/1", "001", "0001", "999", "999");

    const Currency c150 = Currency::fromRaw(1505000);
    // with an alias, the outer columns named through it
    const auto ranked = rows(
        "SELECT Classify_No , RiekM FROM (SELECT Classify_No , Sum([Sales_Money]-[Cost_Money]) "
        "AS RiekM From Management_Tbl WHERE Input_Date Between #2024/9/1# And #2024/9/30# "
        "GROUP BY Classify_No ORDER BY Sum([Sales_Money]-[Cost_Money]) DESC , Classify_No) AS "
        "ClaRiekiDeta");
    ASSERT_EQ(ranked.size(), 2u);
    EXPECT_EQ(ranked[0][0], Variant("001"));
    EXPECT_EQ(ranked[0][1], Variant(Currency::fromRaw(1007500)));
    EXPECT_EQ(ranked[1][1], Variant(Currency::fromInteger(-5)));

    const auto daySums = rows(
        "SELECT UQuery.Classify_No , UQuery.CostQu , UQuery.rieki FROM (SELECT "
        "Management_Tbl.Classify_No , Sum([Management_Tbl.Cost_Money]) AS CostQu , "
        "Sum([Management_Tbl.Sales_Money] - ([Management_Tbl.Cost_Money])) AS rieki FROM "
        "Management_Tbl WHERE Management_Tbl.Input_Date = #2024/9/1# GROUP BY "
        "Management_Tbl.Classify_No ORDER BY Management_Tbl.Classify_No) AS UQuery");
    ASSERT_EQ(daySums.size(), 1u);
    EXPECT_EQ(daySums[0][1], Variant(Currency::fromInteger(100)));
    EXPECT_EQ(daySums[0][2], Variant(c150 - Currency::fromInteger(100)));

    // without an alias
    const auto classes = rows(
        "SELECT CNo FROM (SELECT Classify_No As CNo FROM Management_Tbl GROUP BY Classify_No "
        "ORDER BY Classify_No)");
    ASSERT_EQ(classes.size(), 2u);
    EXPECT_EQ(classes[1][0], Variant("002"));
    EXPECT_EQ(value("SELECT COUNT(*)  FROM (SELECT Classify_No As CNo FROM Management_Tbl GROUP "
                    "BY Classify_No ORDER BY Classify_No)"),
              Variant(int32_t{2}));

    // a star takes the types from the names
    const auto star = rows(
        "SELECT * FROM (SELECT Max(Input_Date) AS Last_Date , Sum(Cost_Money) AS Total FROM "
        "Management_Tbl) AS T");
    ASSERT_EQ(star.size(), 1u);
    EXPECT_EQ(star[0][0], Variant(Date::fromYmd(2024, 10, 1)));
    EXPECT_EQ(star[0][1], Variant(Currency::fromInteger(1309)));
}

TEST_F(RecordsetTest, LastIsTheValueOfTheLatestDayWhateverTheStoredOrder) {
    addMovement("2024/9/3", "001", "0001", "0", "30");
    addMovement("2024/9/9", "001", "0001", "0", "90.5");
    addMovement("2024/9/1", "001", "0001", "0", "10");
    addMovement("2024/9/2", "002", "0001", "0", "7");
    const auto last = rows(
        "SELECT Classify_No , LastPrice FROM (SELECT Classify_No , Last(Sales_Money) AS "
        "LastPrice From Management_Tbl GROUP BY Classify_No ORDER BY Classify_No) AS T");
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0][1], Variant(Currency::fromRaw(905000)));
    EXPECT_EQ(last[1][1], Variant(Currency::fromInteger(7)));
    EXPECT_TRUE(
        value("SELECT Last(Sales_Money) FROM Management_Tbl WHERE Trade_No = 'x'").isNull());
}

}  // namespace
