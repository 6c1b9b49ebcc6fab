#include <gtest/gtest.h>

#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"
#include "tests/support/TestServerDatabase.h"

namespace {

class ServerRecordsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.isValid()) << server.error().toStdString();
        ASSERT_FALSE(connection.open(
            "Provider=PostgreSQL;Data Source=(local);location=" + server.name() + ";",
            TestServerDatabase::userName(), TestServerDatabase::password()));
    }

    void run(const QString& sql) {
        const jet::Error error = connection.execute(sql);
        ASSERT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
    }

    int32_t count(const QString& table) {
        jet::Recordset records;
        EXPECT_FALSE(records.open("SELECT Count(*) FROM " + table, connection));
        return records.value(0).toLong();
    }

    TestServerDatabase server;
    jet::Connection connection;
};

TEST_F(ServerRecordsetTest, AggregatesComeBackAsOnTheFile) {
    // Stored out of day order: Last is the price of the latest day.
    for (const char* row :
         {"#2024/5/20#, '001', '0001', 110, 1.5", "#2024/5/3#, '001', '0001', 100, 2",
          "#2024/5/9#, '001', '0001', 90, 0.0001"}) {
        run(QStringLiteral("INSERT INTO Management_Tbl (Input_Date, Classify_No, Trade_No, "
                           "Unit_Price, Sales_Quantity) VALUES (%1)")
                .arg(QString::fromUtf8(row)));
    }
    jet::Recordset records;
    ASSERT_FALSE(records.open(
        "SELECT Classify_No, Last(Unit_Price) AS LastPrice, Sum(Sales_Quantity), "
        "Avg(Sales_Quantity), Count(*), Max(Input_Date), Sum(Sales_Quantity) / 3, "
        "[Classify_No] & '-' & Trade_No FROM Management_Tbl GROUP BY Classify_No, Trade_No",
        connection));
    ASSERT_FALSE(records.eof());
    EXPECT_EQ(records.field(1).type, jet::adCurrency);
    EXPECT_EQ(records.value(1), vb::Variant(vb::Currency::fromInteger(110)));
    EXPECT_EQ(records.field(2).type, jet::adCurrency);
    EXPECT_EQ(records.value(2), vb::Variant(vb::Currency::fromRaw(35001)));
    EXPECT_EQ(records.value(3), vb::Variant(vb::Currency::fromRaw(11667)));
    EXPECT_EQ(records.value(4), vb::Variant(int32_t{3}));
    EXPECT_EQ(records.value(5), vb::Variant(vb::Date::fromYmd(2024, 5, 20)));
    EXPECT_EQ(records.field(6).type, jet::adDouble);
    EXPECT_DOUBLE_EQ(records.value(6).toDouble(), 3.5001 / 3);
    EXPECT_EQ(records.value(7), vb::Variant("001-0001"));
    EXPECT_FALSE(records.moveNext());
    EXPECT_TRUE(records.eof());
    EXPECT_TRUE(records.value(1).isEmpty());
}

TEST_F(ServerRecordsetTest, OneStatementOnly) {
    run("INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('001', 'a')");
    jet::Recordset records;
    EXPECT_EQ(records.open("SELECT 1; DELETE FROM ClassifyMast_tbl", connection).number,
              jet::errSyntax);
    EXPECT_EQ(connection.execute("DELETE FROM ClassifyMast_tbl; SELECT 1").number, jet::errSyntax);
    EXPECT_EQ(connection.execute("  ").number, jet::errSyntax);
    EXPECT_EQ(count("ClassifyMast_tbl"), 1);
}

// A transaction in which a statement failed cannot be committed: the commit reports the
// failure instead of the server's silent rollback.
TEST_F(ServerRecordsetTest, CommitOfAFailedTransactionFails) {
    ASSERT_FALSE(connection.beginTrans());
    run("INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('001', 'a')");
    EXPECT_EQ(
        connection.execute("INSERT INTO ClassifyMast_tbl (Classify_No) VALUES ('001')").number,
        jet::errDuplicateKey);
    EXPECT_EQ(connection.commitTrans().number, jet::errTransaction);
    EXPECT_EQ(count("ClassifyMast_tbl"), 0);

    ASSERT_FALSE(connection.beginTrans());
    run("INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('002', 'b')");
    ASSERT_FALSE(connection.commitTrans());
    EXPECT_EQ(count("ClassifyMast_tbl"), 1);
}

TEST_F(ServerRecordsetTest, ARecordsetOutlivingItsConnectionFindsItClosed) {
    run("INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('001', 'a')");
    run("INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('002', 'b')");
    jet::Recordset records;
    ASSERT_FALSE(records.open("SELECT Classify_Name FROM ClassifyMast_tbl", connection));
    connection.close();
    EXPECT_EQ(records.moveNext().number, jet::errNotOpen);
    EXPECT_TRUE(records.eof());
    EXPECT_EQ(records.open("SELECT 1", connection).number, jet::errNotOpen);
}

}  // namespace
