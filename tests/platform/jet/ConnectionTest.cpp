#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "TestDatabase.h"

namespace {

using jet::Connection;
using jet::Recordset;

int32_t rowCount(Connection& connection, const char* table) {
    return queryValue(connection, QStringLiteral("SELECT COUNT(*)  FROM ") + table).toLong();
}

const char* const kInsert =
    "INSERT INTO Management_Tbl(Input_Date , Classify_No , Trade_No , Cost_Money , "
    "Sales_Money) VALUES (#2024/9/1#,'001','0001',1,2)";

TEST(Connection, MissingFileIsNotFoundAndNeverCreated) {
    TestDatabase db;
    Connection connection;
    EXPECT_EQ(connection.open(TestDatabase::connectionText(db.path("none.mde"), "pw")).number,
              jet::errFileNotFound);
    EXPECT_FALSE(QFileInfo::exists(db.path("none.mde")));
    EXPECT_FALSE(connection.isOpen());
}

TEST(Connection, GarbageEmptyFileAndWrongPasswordCannotBeOpened) {
    TestDatabase db;
    QFile garbage(db.path("garbage.mde"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    QFile empty(db.path("empty.mde"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const QString keyed = db.create("keyed.mde", "KORUMA4VXTB");
    const QString plain = db.create("plain.mdb");

    Connection connection;
    EXPECT_EQ(connection.open(TestDatabase::connectionText(garbage.fileName(), "")).number,
              jet::errCannotOpen);
    EXPECT_EQ(connection.open(TestDatabase::connectionText(garbage.fileName(), "pw")).number,
              jet::errCannotOpen);
    EXPECT_EQ(connection.open(TestDatabase::connectionText(empty.fileName(), "")).number,
              jet::errCannotOpen);
    EXPECT_EQ(connection.open(TestDatabase::connectionText(keyed, "wrong")).number,
              jet::errCannotOpen);
    EXPECT_EQ(connection.open(TestDatabase::connectionText(keyed, "")).number, jet::errCannotOpen);
    EXPECT_EQ(connection.open(TestDatabase::connectionText(plain, "pw")).number,
              jet::errCannotOpen);
    EXPECT_FALSE(connection.open(TestDatabase::connectionText(keyed, "KORUMA4VXTB")));
    EXPECT_FALSE(connection.open(TestDatabase::connectionText(plain, "")));

    // the keyed file is really encrypted: no plain header, no plain table names
    QFile file(keyed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("Management_Tbl"));
}

TEST(Connection, LockedFileIsBusyNotDamaged) {
    TestDatabase db;
    const QString path = db.create("db.mde", "pw");
    Connection holder;
    ASSERT_FALSE(holder.open(TestDatabase::connectionText(path, "pw")));
    ASSERT_FALSE(holder.execute("BEGIN EXCLUSIVE"));

    Connection other;
    other.setBusyTimeout(50);
    EXPECT_EQ(other.open(TestDatabase::connectionText(path, "pw")).number, jet::errBusy);

    ASSERT_FALSE(holder.rollbackTrans());
    EXPECT_FALSE(other.open(TestDatabase::connectionText(path, "pw")));
}

TEST(Connection, ConnectionTextKeysInAnyOrderAndCase) {
    TestDatabase db;
    const QString path = db.create("db.mde", "pa;ss 'x'");
    Connection connection;
    EXPECT_FALSE(connection.open("jet oledb:database password=\"pa;ss 'x'\"; DATA SOURCE=" + path +
                                 ";provider=MICROSOFT.JET.OLEDB.4.0"));
    EXPECT_TRUE(connection.isOpen());

    EXPECT_EQ(connection.open("Provider=SQLOLEDB;Data Source=" + path + ";").number,
              jet::errConnectionText);
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(connection.open("Provider=Microsoft.Jet.OLEDB.4.0;").number, jet::errConnectionText);
    EXPECT_EQ(connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"" + path).number,
              jet::errConnectionText);
}

TEST(Connection, EverythingOnAClosedConnectionIsNotOpen) {
    TestDatabase db;
    const QString path = db.create("db.mde");
    Connection connection;
    EXPECT_EQ(connection.execute(kInsert).number, jet::errNotOpen);
    EXPECT_EQ(connection.beginTrans().number, jet::errNotOpen);
    Recordset records;
    EXPECT_EQ(records.open("SELECT COUNT(*) FROM Management_Tbl", connection).number,
              jet::errNotOpen);

    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "")));
    connection.close();
    connection.close();
    EXPECT_EQ(connection.commitTrans().number, jet::errNotOpen);
}

TEST(Connection, TransactionsCommitAndRollBack) {
    TestDatabase db;
    const QString path = db.create("db.mde", "pw");
    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));

    ASSERT_FALSE(connection.beginTrans());
    ASSERT_FALSE(connection.execute(kInsert));
    EXPECT_EQ(rowCount(connection, "Management_Tbl"), 1);
    ASSERT_FALSE(connection.rollbackTrans());
    EXPECT_EQ(rowCount(connection, "Management_Tbl"), 0);

    ASSERT_FALSE(connection.beginTrans());
    ASSERT_FALSE(connection.execute(kInsert));
    ASSERT_FALSE(connection.commitTrans());
    EXPECT_EQ(connection.commitTrans().number, jet::errTransaction);

    // a transaction left open is rolled back when the connection closes
    ASSERT_FALSE(connection.beginTrans());
    ASSERT_FALSE(connection.execute("DELETE  FROM Management_Tbl"));
    connection.close();
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
    EXPECT_EQ(rowCount(connection, "Management_Tbl"), 1);
}

TEST(Connection, StatementFailuresHaveTheirNumbers) {
    TestDatabase db;
    const QString path = db.create("db.mde");
    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "")));
    ASSERT_FALSE(connection.execute(kInsert));

    const jet::Error duplicate = connection.execute(kInsert);
    EXPECT_EQ(duplicate.number, jet::errDuplicateKey);
    EXPECT_FALSE(duplicate.description.isEmpty());
    EXPECT_EQ(connection.execute(" FROM Management_Tbl").number, jet::errSyntax);
    EXPECT_EQ(connection.execute("DELETE FROM NoSuch_Tbl").number, jet::errSyntax);
    EXPECT_EQ(connection.execute("").number, jet::errSyntax);
    // only one statement runs: a second one after it is refused, and nothing is deleted
    EXPECT_EQ(connection.execute("SELECT 1; DELETE FROM Management_Tbl").number, jet::errSyntax);
    EXPECT_EQ(rowCount(connection, "Management_Tbl"), 1);
    EXPECT_FALSE(connection.execute("DELETE FROM Management_Tbl;  "));
    EXPECT_EQ(rowCount(connection, "Management_Tbl"), 0);
}

TEST(Connection, RecordsetOutlivingItsConnectionFindsItClosed) {
    TestDatabase db;
    const QString path = db.create("db.mde");
    Recordset records;
    {
        Connection connection;
        ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "")));
        ASSERT_FALSE(connection.execute(kInsert));
        ASSERT_FALSE(records.open("SELECT Classify_No FROM Management_Tbl", connection));
        ASSERT_FALSE(records.eof());
    }
    EXPECT_EQ(records.moveNext().number, jet::errNotOpen);
    EXPECT_TRUE(records.eof());
    records.close();
    records.close();
}

TEST(CreateDatabase, NeverReplacesAFileAndLeavesNoneOnFailure) {
    TestDatabase db;
    const QString path = db.create("db.mde", "pw");
    EXPECT_EQ(jet::createDatabase(path, "pw", TestDatabase::kSchema).number, jet::errFileExists);
    Connection connection;
    EXPECT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));

    const QString broken = db.path("broken.mde");
    EXPECT_EQ(jet::createDatabase(broken, "pw", "CREATE TABLE a (x TEXT); CREATE TABLE (").number,
              jet::errSyntax);
    EXPECT_FALSE(QFileInfo::exists(broken));
    EXPECT_TRUE(jet::createDatabase(broken, "", "-- nothing"));
    EXPECT_FALSE(QFileInfo::exists(broken));
}

}  // namespace
