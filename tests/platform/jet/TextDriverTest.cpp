#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString textConnection(const QString& folder) {
    return "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + folder + ";";
}

TEST(TextDriver, ReadsFieldsAsTheFileHoldsThem) {
    QTemporaryDir dir;
    writeFile(dir.filePath("Item_tbl.csv"),
              "Code,Name,Price,Day\r\n"
              "'001','a,b''c',12.5,'2024/09/01'\r\n"
              "'002','line\r\nbreak',,''\r\n"
              "\"x\"\"y\",plain\n");
    jet::Connection connection;
    ASSERT_FALSE(connection.open(textConnection(dir.path())));
    jet::Recordset rs;
    ASSERT_FALSE(rs.open("SELECT * FROM Item_tbl.csv", connection));
    ASSERT_EQ(rs.fieldCount(), 4);
    EXPECT_EQ(rs.field(0).name, "Code");
    EXPECT_EQ(rs.field(3).name, "Day");
    EXPECT_EQ(rs.field(1).type, jet::adVarWChar);
    EXPECT_EQ(rs.value(0).toString(), "'001'");
    EXPECT_EQ(rs.value(1).toString(), "'a,b''c'");
    EXPECT_EQ(rs.value(2).toString(), "12.5");
    ASSERT_FALSE(rs.moveNext());
    EXPECT_EQ(rs.value(1).toString(), "'line\r\nbreak'");
    EXPECT_TRUE(rs.value(2).isNull());
    EXPECT_EQ(rs.value(3).toString(), "''");
    ASSERT_FALSE(rs.moveNext());
    EXPECT_EQ(rs.value(0).toString(), "x\"y");
    EXPECT_EQ(rs.value(1).toString(), "plain");
    EXPECT_TRUE(rs.value(2).isNull());
    ASSERT_FALSE(rs.moveNext());
    EXPECT_TRUE(rs.eof());

    jet::Recordset count;
    ASSERT_FALSE(count.open("SELECT COUNT(*) FROM Item_tbl.csv", connection));
    EXPECT_EQ(count.value(0).toLong(), 3);
}

TEST(TextDriver, HeaderOnlyFileHasNoRecordsAndEachFileIsItsOwnTable) {
    QTemporaryDir dir;
    writeFile(dir.filePath("A.csv"), "One,Two\r\n");
    writeFile(dir.filePath("B.txt"), "Three\r\n3\r\n");
    jet::Connection connection;
    ASSERT_FALSE(connection.open(textConnection(dir.path())));
    jet::Recordset a;
    ASSERT_FALSE(a.open("SELECT * FROM A.csv", connection));
    EXPECT_EQ(a.fieldCount(), 2);
    EXPECT_TRUE(a.eof());
    jet::Recordset b;
    ASSERT_FALSE(b.open("SELECT Three FROM B.txt", connection));
    EXPECT_EQ(b.value(0).toString(), "3");
    jet::Recordset missing;
    EXPECT_TRUE(missing.open("SELECT * FROM C.csv", connection));
}

TEST(TextDriver, AFolderWithManyFilesStillOpens) {
    QTemporaryDir dir;
    for (int i = 0; i < 14; ++i) {
        writeFile(dir.filePath(QStringLiteral("T%1.csv").arg(i, 2, 10, QChar(u'0'))),
                  "Value\r\n" + QByteArray::number(i) + "\r\n");
    }
    jet::Connection connection;
    ASSERT_FALSE(connection.open(textConnection(dir.path())));
    jet::Recordset first;
    ASSERT_FALSE(first.open("SELECT Value FROM T00.csv", connection));
    EXPECT_EQ(first.value(0).toString(), "0");
    jet::Recordset last;
    EXPECT_TRUE(last.open("SELECT Value FROM T13.csv", connection));
}

TEST(TextDriver, MissingFolderAndUnknownDriverFail) {
    jet::Connection connection;
    EXPECT_EQ(connection.open(textConnection("/nonexistent/folder")).number, jet::errFileNotFound);
    EXPECT_EQ(connection.open("Driver={Other Driver};DBQ=/tmp;").number, jet::errConnectionText);
    EXPECT_FALSE(connection.isOpen());
}

}  // namespace
