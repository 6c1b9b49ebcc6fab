#include <gtest/gtest.h>

#include <vector>

#include "platform/jet/Connection.h"
#include "platform/jet/ConnectionText.h"
#include "platform/jet/Recordset.h"
#include "tests/support/BackEndTest.h"

namespace {

using jet::Recordset;
using vb::Currency;
using vb::Variant;

Variant amount(const char* text) {
    return Variant(*Currency::parse(QString::fromLatin1(text)));
}

struct FormCase {
    const char* sql;
    std::vector<Variant> expected;
};

// Statement forms beyond those the system writes, against values worked out by hand.
class StatementFormsTest : public BackEndTest {
  protected:
    void SetUp() override {
        BackEndTest::SetUp();
        const QString text =
            file ? "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                       jet::ConnectionText::quote(file->filePath()) +
                       ";Jet OLEDB:Database Password=" + TestDatabase::password() + ';'
                 : "Provider=PostgreSQL;Data Source=(local);location=" + server->name() + ';';
        ASSERT_FALSE(connection_.open(text, server ? TestServerDatabase::userName() : QString(),
                                      server ? TestServerDatabase::password() : QString()));
        run("DELETE FROM Management_Tbl");
        addMovement("001", "1.5", "2.5");
        addMovement("002", "3", "-0.0001");
    }

    void run(const QString& sql) {
        const jet::Error error = connection_.execute(sql);
        ASSERT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
    }

    void addMovement(const char* classify, const char* cost, const char* sales) {
        run(QStringLiteral("INSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, "
                           "Cost_Money, Sales_Money) VALUES (#2024/9/1#, '%1', '0001', %2, %3)")
                .arg(QLatin1String(classify), QLatin1String(cost), QLatin1String(sales)));
    }

    // Every value of every row.
    std::vector<Variant> values(const QString& sql) {
        std::vector<Variant> result;
        Recordset records;
        const jet::Error error = records.open(sql, connection_);
        EXPECT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
        for (; !error && !records.eof(); records.moveNext()) {
            for (int i = 0; i < records.fieldCount(); ++i) {
                result.push_back(records.value(i));
            }
        }
        return result;
    }

    // Each statement's values against the expected ones.
    void expectValues(std::initializer_list<FormCase> cases) {
        for (const FormCase& c : cases) {
            EXPECT_EQ(values(c.sql), c.expected) << c.sql;
        }
    }

    // The statement fails with that number and a description holding the text.
    void expectError(const char* sql, jet::ErrorNumber number, const char* text = "") {
        Recordset records;
        const jet::Error error = records.open(sql, connection_);
        EXPECT_EQ(error.number, number) << sql;
        EXPECT_TRUE(error.description.contains(QString::fromUtf8(text)))
            << sql << ": " << error.description.toStdString();
    }

    // Each statement's values on the file; the server refuses it as a faulty statement.
    void expectValuesOnTheFile(std::initializer_list<FormCase> cases) {
        if (file) {
            expectValues(cases);
            return;
        }
        for (const FormCase& c : cases) {
            expectError(c.sql, jet::errSyntax);
        }
    }

    jet::Connection connection_;
};

TEST_P(StatementFormsTest, NamesAreResolvedInTheirOwnSelect) {
    expectValues({
        // a derived table's alias stands for its own value, not for the stored column
        {"SELECT Cost_Money FROM (SELECT Cost_Money / 2 AS Cost_Money FROM Management_Tbl "
         "WHERE Classify_No = '001') AS T",
         {Variant(0.75)}},
        {"SELECT T.Cost_Money + 1 FROM (SELECT Sales_Money AS Cost_Money FROM Management_Tbl "
         "WHERE Classify_No = '002') AS T",
         {amount("0.9999")}},
        // 1.5 * 2.5 + 3 * -0.0001, a table alias beside a column alias of the same name
        {"SELECT Sum(U.Cost_Money * U.Sales_Money) AS U FROM Management_Tbl AS U",
         {amount("3.7497")}},
        // an alias named as another column hides neither column from WHERE
        {"SELECT Sales_Money AS Cost_Money, Cost_Money AS Sales_Money FROM Management_Tbl "
         "WHERE Cost_Money = 1.5",
         {amount("2.5"), amount("1.5")}},
        {"SELECT Classify_No AS Sales_Money FROM Management_Tbl WHERE Sales_Money = 2.5",
         {Variant("001")}},
        // a subquery sees its own table first and the outer one through its alias
        {"SELECT Classify_No FROM Management_Tbl AS M WHERE Cost_Money = (SELECT "
         "Max(Cost_Money) FROM Management_Tbl)",
         {Variant("002")}},
        {"SELECT Classify_No FROM Management_Tbl AS M WHERE EXISTS (SELECT * FROM "
         "Management_Tbl AS N WHERE N.Sales_Money > M.Sales_Money)",
         {Variant("002")}},
        {"SELECT * FROM (SELECT Classify_No, Sales_Money - Cost_Money AS Profit FROM "
         "Management_Tbl) AS T ORDER BY Profit",
         {Variant("002"), amount("-3.0001"), Variant("001"), amount("1")}},
    });
}

TEST_P(StatementFormsTest, EveryBranchOfACompoundSelectIsRewritten) {
    expectValues({
        {"SELECT Cost_Money FROM Management_Tbl WHERE Classify_No = '001' UNION ALL SELECT 2.5 "
         "FROM Management_Tbl WHERE Classify_No = '001' ORDER BY 1",
         {amount("1.5"), amount("2.5")}},
        {"SELECT Classify_No FROM Management_Tbl WHERE Sales_Money = 2.5 UNION SELECT "
         "Classify_No FROM Management_Tbl WHERE Sales_Money = -0.0001 ORDER BY Classify_No",
         {Variant("001"), Variant("002")}},
        // a whole number beside an amount is that amount
        {"SELECT Sales_Money FROM Management_Tbl WHERE Classify_No = '002' UNION SELECT 7 "
         "FROM Management_Tbl WHERE Classify_No = '002' ORDER BY 1",
         {amount("-0.0001"), amount("7")}},
        {"SELECT Sum(Total) FROM (SELECT Cost_Money AS Total FROM Management_Tbl UNION ALL "
         "SELECT Sales_Money FROM Management_Tbl) AS T",
         {amount("6.9999")}},
        {"SELECT Classify_No FROM Management_Tbl WHERE Cost_Money IN (SELECT Cost_Money FROM "
         "Management_Tbl WHERE Classify_No = '002' UNION SELECT Sales_Money FROM "
         "Management_Tbl WHERE Sales_Money = 1.5)",
         {Variant("002")}},
    });
}

TEST_P(StatementFormsTest, FunctionsKeepAnAmountAnAmount) {
    expectValues({
        {"SELECT Sum(Abs(Sales_Money)) FROM Management_Tbl", {amount("2.5001")}},
        {"SELECT Abs(Sales_Money) FROM Management_Tbl WHERE Classify_No = '002'",
         {amount("0.0001")}},
        {"SELECT Max(Abs(Sales_Money - Cost_Money)), Min(Sales_Money) FROM Management_Tbl",
         {amount("3.0001"), amount("-0.0001")}},
        {"SELECT Abs(Sales_Money) / 2 FROM Management_Tbl WHERE Classify_No = '001'",
         {Variant(1.25)}},
    });
}

TEST_P(StatementFormsTest, FunctionsOnAnAmountHaveTheOriginalMeaning) {
    addMovement("003", "0.125", "2.675");
    addMovement("004", "100000000000.0001", "Null");
    expectValues({
        // half to the even neighbour on the exact value
        {"SELECT Round(Cost_Money, 2), Round(Sales_Money, 2), Round(Sales_Money) FROM "
         "Management_Tbl WHERE Classify_No = '003'",
         {amount("0.12"), amount("2.68"), amount("3")}},
        {"SELECT Round(Cost_Money), Round(Sales_Money, 0), Round(Cost_Money, 6) FROM "
         "Management_Tbl WHERE Classify_No = '001'",
         {amount("2"), amount("2"), amount("1.5")}},
        {"SELECT Round(Sales_Money, 3), Round(Cost_Money, 2) FROM Management_Tbl WHERE "
         "Classify_No = '002'",
         {amount("0"), amount("3")}},
        {"SELECT Round(Sales_Money, 2) FROM Management_Tbl WHERE Classify_No = '004'",
         {Variant(vb::Null)}},
        {"SELECT Round(0.125, 2), Round(2.675, 2) FROM Management_Tbl WHERE Cost_Money = 1.5",
         {Variant(0.12), Variant(2.68)}},
    });
    expectValues({
        // the text functions read the amount's own text
        {"SELECT Trim(Cost_Money), Replace(Cost_Money, '0', ''), RTrim(Sales_Money) FROM "
         "Management_Tbl WHERE Classify_No = '004'",
         {Variant("100000000000.0001"), Variant("1.1"), Variant(vb::Null)}},
        {"SELECT LTrim(Sales_Money), InStr(Sales_Money, '1'), InStr('x-0.00011', Sales_Money), "
         "InStr(Cost_Money, '.') FROM Management_Tbl WHERE Classify_No = '002'",
         {Variant("-0.0001"), Variant(int32_t(7)), Variant(int32_t(2)), Variant(int32_t(0))}},
        // a text branch makes the amount its text; a Null branch leaves it an amount
        {"SELECT IIf(Classify_No = '001', Cost_Money, 'none') FROM Management_Tbl WHERE "
         "Classify_No IN ('001', '002') ORDER BY Classify_No",
         {Variant("1.5"), Variant("none")}},
        {"SELECT IIf(Sales_Money > 0, Sales_Money, Null) FROM Management_Tbl WHERE "
         "Classify_No IN ('001', '002') ORDER BY Classify_No",
         {amount("2.5"), Variant(vb::Null)}},
        // (-1 + 3.0001) / 2 to four places, half to even
        {"SELECT IIf(Count(*) > 1, Avg(Cost_Money - Sales_Money), Null) FROM Management_Tbl "
         "WHERE Classify_No IN ('001', '002')",
         {amount("1")}},
        // the value left aside is not computed; a whole number beside an amount is one
        {"SELECT IIf(Cost_Money = 3, Cost_Money + 1, Cost_Money + 922337203685477), "
         "IIf(Cost_Money < 0, "
         "Sales_Money, 7), Trim(IIf(Cost_Money > 0, Sales_Money, '')) & '|' FROM "
         "Management_Tbl WHERE Classify_No = '002'",
         {amount("4"), amount("7"), Variant("-0.0001|")}},
    });
    expectValuesOnTheFile({
        // Format rounds the shown decimals half away from zero
        {"SELECT Format(Cost_Money, '0.00'), Format(Sales_Money, '#,##0.0') FROM "
         "Management_Tbl WHERE Classify_No = '003'",
         {Variant("0.13"), Variant("2.7")}},
        {"SELECT Format(Cost_Money, '#,##0.0000') FROM Management_Tbl WHERE Classify_No = '004'",
         {Variant("100,000,000,000.0001")}},
        // a real-number branch makes the amount a real number
        {"SELECT IIf(Cost_Money > 2, Cost_Money, Cost_Money / 2) FROM Management_Tbl WHERE "
         "Classify_No = '001'",
         {Variant(0.75)}},
    });
    // the rounded amount is what is stored
    run("UPDATE Management_Tbl SET Cost_Money = Round(Sales_Money, 2) WHERE Classify_No = '003'");
    expectValues(
        {{"SELECT Cost_Money FROM Management_Tbl WHERE Classify_No = '003'", {amount("2.68")}}});
}

TEST_P(StatementFormsTest, OperatorsGiveTheOriginalValues) {
    addMovement("004", "100000000000.0001", "Null");
    expectValues({
        // a Null side of & gives the other side's text; both Null give Null
        {"SELECT Cost_Money & Sales_Money, Null & Cost_Money, Sales_Money & Null FROM "
         "Management_Tbl WHERE Classify_No = '004'",
         {Variant("100000000000.0001"), Variant("100000000000.0001"), Variant(vb::Null)}},
        // & binds more loosely than + and -
        {"SELECT Cost_Money & Cost_Money + 1 FROM Management_Tbl WHERE Classify_No = '001'",
         {Variant("1.52.5")}},
        // a comparison used as a value holds as -1
        {"SELECT Cost_Money > 2, Cost_Money = 1.5, (Cost_Money = 1.5) + 1 FROM Management_Tbl "
         "WHERE Classify_No = '001'",
         {Variant(int32_t(0)), Variant(int32_t(-1)), Variant(int32_t(0))}},
        // an amount beside a text is its own text, with no zeros after its last digit
        {"SELECT '00' & Cost_Money, Sales_Money & '|' & (Cost_Money - Sales_Money) FROM "
         "Management_Tbl WHERE Classify_No IN ('001', '002') ORDER BY Classify_No",
         {Variant("001.5"), Variant("2.5|-1"), Variant("003"), Variant("-0.0001|3.0001")}},
        {"SELECT Avg(Cost_Money - Sales_Money) & '', Trim(Avg(Sales_Money)) FROM "
         "Management_Tbl WHERE Classify_No IN ('001', '002')",
         {Variant("1"), Variant("1.25")}},
        {"SELECT Classify_No FROM Management_Tbl WHERE (Cost_Money > 2) = -1 AND "
         "Cost_Money & '' = '3'",
         {Variant("002")}},
        {"SELECT Classify_No & Sales_Money, Null & Null, '' & Sales_Money FROM "
         "Management_Tbl WHERE Classify_No = '004'",
         {Variant("004"), Variant(vb::Null), Variant("")}},
    });
    // so in a statement that names no amount
    EXPECT_EQ(values("SELECT Classify_No & Null, Null & Trade_No, Null & Null FROM "
                     "Management_Tbl WHERE Classify_No = '004'"),
              (std::vector<Variant>{Variant("004"), Variant("0001"), Variant(vb::Null)}));
    EXPECT_EQ(
        values("SELECT Classify_No = '004', Trade_No > '0001', Classify_No IN ('004') "
               "FROM Management_Tbl WHERE Classify_No = '004'"),
        (std::vector<Variant>{Variant(int32_t(-1)), Variant(int32_t(0)), Variant(int32_t(-1))}));
    // a comparison written into an amount column stores -1 or 0
    run("UPDATE Management_Tbl SET Sales_Money = (Cost_Money > 2), Cost_Money = (Cost_Money > 3) "
        "WHERE Classify_No = '002'");
    expectValues({{"SELECT Cost_Money, Sales_Money FROM Management_Tbl WHERE Classify_No = '002'",
                   {amount("0"), amount("-1")}}});
    // a division by zero is the error, never a Null
    for (const char* sql : {
             "SELECT Cost_Money / 0 FROM Management_Tbl WHERE Classify_No = '001'",
             "SELECT Cost_Money / (Sales_Money - Sales_Money) FROM Management_Tbl WHERE "
             "Classify_No = '001'",
             "SELECT Classify_No FROM Management_Tbl WHERE Cost_Money / (Cost_Money - 1.5) > 0",
             "SELECT Count(*) / 0 FROM Management_Tbl",
         }) {
        expectError(sql, jet::errExecution, "0 で除算しました。");
    }
    EXPECT_EQ(values("SELECT Cost_Money / 2, 7 / 2 FROM Management_Tbl WHERE Classify_No = '001'"),
              (std::vector<Variant>{Variant(0.75), Variant(3.5)}));
}

TEST_P(StatementFormsTest, RoundingBeyondTheRangeOrToNegativePlacesFails) {
    addMovement("003", "922337203685477.5807", "-922337203685477.5808");
    for (const char* sql : {
             "SELECT Round(Cost_Money, -1) FROM Management_Tbl",
             "SELECT Classify_No FROM Management_Tbl WHERE Round(Cost_Money, 1 - 2) > 0",
         }) {
        expectError(sql, jet::errExecution, "プロシージャの呼び出し、または引数が不正です。");
    }
    // refused as each row is rounded: no row, nothing refused
    expectValues(
        {{"SELECT Round(Cost_Money, -1) FROM Management_Tbl WHERE Classify_No = '009'", {}}});
    expectError("SELECT Round(Cost_Money) FROM Management_Tbl WHERE Classify_No = '003'",
                jet::errExecution, "オーバーフロー");
    expectError("SELECT Round(Sales_Money, 3) FROM Management_Tbl WHERE Classify_No = '003'",
                jet::errExecution, "オーバーフロー");
}

TEST_P(StatementFormsTest, AFunctionNotKnownOnAnAmountIsRefused) {
    for (const char* sql : {
             "SELECT Int(Cost_Money) FROM Management_Tbl",
             "SELECT Classify_No FROM Management_Tbl WHERE Sqr(Cost_Money) > 1",
             "UPDATE Management_Tbl SET Cost_Money = Fix(Sales_Money)",
         }) {
        expectError(sql, jet::errSyntax);
    }
}

TEST_P(StatementFormsTest, AnAmountBeyondTheRangeInASelectIsAnOverflow) {
    addMovement("003", "922337203685477.5807", "-922337203685477.5808");
    // Inside a division, a condition or another sum the amount beyond the range is never
    // returned, and is the overflow all the same.
    for (const char* sql : {
             "SELECT Cost_Money + Cost_Money FROM Management_Tbl WHERE Classify_No = '003'",
             "SELECT Sum(Cost_Money) FROM Management_Tbl",
             "SELECT -Sales_Money FROM Management_Tbl WHERE Classify_No = '003'",
             "SELECT (Cost_Money + 1) / 2 FROM Management_Tbl WHERE Classify_No = '003'",
             "SELECT Abs(Sales_Money - 1) FROM Management_Tbl WHERE Classify_No = '003'",
             "SELECT Abs(Sales_Money) FROM Management_Tbl WHERE Classify_No = '003'",
             "SELECT Classify_No FROM Management_Tbl WHERE Classify_No = '003' AND "
             "Cost_Money + 1 > 0",
             "SELECT Total FROM (SELECT Sum(Cost_Money) AS Total FROM Management_Tbl) AS T",
             "SELECT Cost_Money * 2 FROM Management_Tbl WHERE Classify_No = '003'",
             // each difference beyond the range, and each in it with their sum beyond it
             "SELECT Sum(Sales_Money - Cost_Money) FROM Management_Tbl",
             "SELECT Sum(Cost_Money - 1) FROM Management_Tbl",
             // beyond the range on the way, back inside it at the end
             "SELECT Cost_Money + 1 - 2 FROM Management_Tbl WHERE Classify_No = '003'",
             "SELECT -Sales_Money - 1 FROM Management_Tbl WHERE Classify_No = '003'",
             "SELECT Classify_No FROM Management_Tbl WHERE Classify_No = '003' AND "
             "Cost_Money * Sales_Money < 0",
             "SELECT Classify_No FROM Management_Tbl WHERE Classify_No = '003' AND "
             "Abs(Sales_Money) > 0",
             "SELECT Avg(Cost_Money * Cost_Money) FROM Management_Tbl",
             "SELECT Cost_Money * 2 / 4 FROM Management_Tbl WHERE Classify_No = '003'",
         }) {
        Recordset records;
        const jet::Error error = records.open(sql, connection_);
        EXPECT_EQ(error.number, jet::errExecution) << sql;
        EXPECT_TRUE(error.description.contains("オーバーフロー"))
            << sql << ": " << error.description.toStdString();
    }
    // the ends of the range themselves are amounts
    EXPECT_EQ(
        values("SELECT Cost_Money - 1, Sales_Money + 1 FROM Management_Tbl WHERE "
               "Classify_No = '003'"),
        (std::vector<Variant>{amount("922337203685476.5807"), amount("-922337203685476.5808")}));
    // read row by row (in the order written), the rows before the one beyond the range
    // come, then the overflow
    Recordset records;
    ASSERT_FALSE(records.open("SELECT Cost_Money + Cost_Money FROM Management_Tbl", connection_));
    EXPECT_EQ(records.value(0), amount("3"));
    EXPECT_FALSE(records.moveNext());
    EXPECT_EQ(records.value(0), amount("6"));
    const jet::Error error = records.moveNext();
    EXPECT_EQ(error.number, jet::errExecution);
    EXPECT_TRUE(error.description.contains("オーバーフロー")) << error.description.toStdString();
    EXPECT_TRUE(records.eof());
}

// A value written into an amount column with more decimals than it holds is rounded half to
// even on the exact value, whichever way it comes: a literal, a text, a product of amounts.
TEST_P(StatementFormsTest, WrittenAmountsRoundHalfToEven) {
    const struct {
        const char* value;
        const char* stored;
    } cases[] = {
        {"0.00005", "0"},
        {"0.00015", "0.0002"},
        {"-0.00025", "-0.0002"},
        {"'2.67585'", "2.6758"},
        {"0.000050001", "0.0001"},
        {"12.34565e0", "12.3456"},
        {"Null", ""},
    };
    int key = 100;
    for (const auto& c : cases) {
        run(QStringLiteral("INSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, "
                           "Cost_Money) VALUES (#2024/9/2#, '%1', '0001', %2)")
                .arg(key++)
                .arg(QLatin1String(c.value)));
    }
    key = 100;
    for (const auto& c : cases) {
        const std::vector<Variant> stored =
            values(QStringLiteral("SELECT Cost_Money FROM Management_Tbl WHERE Classify_No = '%1'")
                       .arg(key++));
        ASSERT_EQ(stored.size(), 1u) << c.value;
        EXPECT_EQ(stored[0], *c.stored ? amount(c.stored) : Variant(vb::Null)) << c.value;
    }
    // amount times amount: 2.5 * 0.0001 and 0.5 * 0.0001 lie halfway
    run("UPDATE Management_Tbl SET Sales_Money = 0.0001 WHERE Classify_No = '101'");
    run("UPDATE Management_Tbl SET Cost_Money = 2.5 WHERE Classify_No = '102'");
    run("UPDATE Management_Tbl SET Sales_Money = Sales_Money * Cost_Money, Cost_Money = "
        "Cost_Money * 0.0001 WHERE Classify_No = '102' OR Classify_No = '101'");
    // a row without a column list: the table's columns in their order
    run("INSERT INTO Management_Tbl VALUES (#2024/9/3#, '200', '0001', 0.00005, 0.00025, "
        "0.00035, Null, 0.00045)");
    expectValues({
        {"SELECT Sales_Money FROM Management_Tbl WHERE Classify_No = '101'", {amount("0")}},
        {"SELECT Cost_Money FROM Management_Tbl WHERE Classify_No = '102'", {amount("0.0002")}},
        {"SELECT Cost_Quantity, Unit_Price, Cost_Money, Sales_Money FROM Management_Tbl WHERE "
         "Classify_No = '200'",
         {amount("0"), amount("0.0002"), amount("0.0004"), amount("0.0004")}},
    });
}

// A product of amounts is rounded half to even to four decimals before anything reads it: a
// sum, an average, a comparison, a grouping. An average is rounded once, on its exact value.
TEST_P(StatementFormsTest, ProductsOfAmountsAreRoundedBeforeTheyAreRead) {
    // 0.00025, 0.00045, 0.00065 and 0.00085: each halfway, each rounded down to even
    int key = 301;
    for (const char* price : {"0.0005", "0.0009", "0.0013", "0.0017"}) {
        run(QStringLiteral("INSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, "
                           "Cost_Quantity, Unit_Price) VALUES (#2024/9/5#, '%1', '0001', 0.5, %2)")
                .arg(key++)
                .arg(QLatin1String(price)));
    }
    run("UPDATE Management_Tbl SET Cost_Money = 100000000000000.0002 WHERE Classify_No = '301'");
    run("UPDATE Management_Tbl SET Cost_Money = 100000000000000.0003 WHERE Classify_No = '302'");
    expectValues({
        {"SELECT Sum(Cost_Quantity * Unit_Price), Avg(Cost_Quantity * Unit_Price) FROM "
         "Management_Tbl WHERE Classify_No > '300'",
         {amount("0.002"), amount("0.0005")}},
        {"SELECT Classify_No FROM Management_Tbl WHERE Cost_Quantity * Unit_Price = 0.0002",
         {Variant("301")}},
        {"SELECT Sum(-Cost_Quantity * Unit_Price + 0.0001) FROM Management_Tbl WHERE "
         "Classify_No > '300'",
         {amount("-0.0016")}},
        {"SELECT Max(Cost_Quantity * Unit_Price * 10) FROM Management_Tbl", {amount("0.008")}},
        // 100000000000000.00025 to even
        {"SELECT Avg(Cost_Money) FROM Management_Tbl WHERE Classify_No > '300'",
         {amount("100000000000000.0002")}},
        // grouped and sorted by the rounded products, and by sums of amounts
        {"SELECT DISTINCT Cost_Quantity * Unit_Price FROM Management_Tbl WHERE Classify_No > "
         "'300' ORDER BY Cost_Quantity * Unit_Price DESC",
         {amount("0.0008"), amount("0.0006"), amount("0.0004"), amount("0.0002")}},
        {"SELECT Cost_Quantity * Unit_Price + Cost_Quantity FROM Management_Tbl WHERE "
         "Classify_No > '300' GROUP BY Cost_Quantity * Unit_Price + Cost_Quantity HAVING "
         "Cost_Quantity * Unit_Price + Cost_Quantity > 0.5004 ORDER BY 1",
         {amount("0.5006"), amount("0.5008")}},
        {"SELECT Classify_No, Sum(Cost_Money - Sales_Money) FROM Management_Tbl WHERE "
         "Classify_No < '003' GROUP BY Classify_No ORDER BY Sum(Cost_Money - Sales_Money) DESC",
         {Variant("002"), amount("3.0001"), Variant("001"), amount("-1")}},
    });
}

TEST_P(StatementFormsTest, FormsTheFileDoesNotUnderstandAreRefused) {
    for (const QString& sql : {
             QStringLiteral("SELECT CASE WHEN Cost_Money > 1 THEN Cost_Money ELSE 0 END FROM "
                            "Management_Tbl"),
             QStringLiteral("UPDATE Management_Tbl SET Cost_Money = CASE WHEN Cost_Money > 1 "
                            "THEN 1 END"),
             // rows written from a select are never written unrounded on either
             QStringLiteral("INSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, "
                            "Cost_Money) SELECT Input_Date, '009', Trade_No, Cost_Money * "
                            "Sales_Money FROM Management_Tbl"),
             // a NUL ends the text the engine reads: the rest is never cut off
             QStringLiteral("DELETE FROM Management_Tbl WHERE Classify_No = '001'") + QChar(u'\0') +
                 QStringLiteral(" AND Classify_No = '002'"),
         }) {
        EXPECT_EQ(connection_.check(sql).number, jet::errSyntax) << sql.toStdString();
        EXPECT_EQ(connection_.execute(sql).number, jet::errSyntax) << sql.toStdString();
    }
    EXPECT_EQ(values("SELECT Sum(Cost_Money) FROM Management_Tbl"),
              (std::vector<Variant>{amount("4.5")}));
}

INSTANTIATE_TEST_SUITE_P(, StatementFormsTest, BothBackEnds, BackEndName);

}  // namespace
