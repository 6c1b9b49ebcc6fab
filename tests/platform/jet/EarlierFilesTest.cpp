// Files written by the earlier engine (SQLCipher 3.4.1 on SQLite 3.15.2) open unchanged,
// and files written now keep their layout, so that old and new backups stay
// interchangeable.

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <QFile>

#include "TestDatabase.h"
#include "platform/jet/KeyDerivation.h"

namespace {

const QString kPassword = QStringLiteral("KORUMA4VXTB");

// The shipped schema with a few rows, keyed with kPassword by the earlier engine.
const QString kEarlierFile = QStringLiteral(MORVIK_JET_TEST_FILES "/sqlcipher3.mde");

// Opens the file keyed with the password, with or without the SQLCipher 3 settings, and
// reads its schema; the engine's result.
int openRaw(const QString& path, bool compatibility3) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray key = jet::rawKeyText(kPassword);
    if (rc == SQLITE_OK) {
        rc = sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
    }
    if (rc == SQLITE_OK && compatibility3) {
        rc = sqlite3_exec(db, "PRAGMA cipher_compatibility = 3", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
    return rc;
}

TEST(EarlierFiles, AKeyedFileOfTheEarlierEngineIsReadAndWritten) {
    TestDatabase db;
    const QString path = db.path("morvik2.mde");
    ASSERT_TRUE(QFile::copy(kEarlierFile, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    jet::Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, kPassword)));
    EXPECT_EQ(queryValue(connection, "SELECT Trade_Name FROM TradeMast_tbl").toString(),
              "ボールペン");
    EXPECT_EQ(queryValue(connection, "SELECT Sales_Price FROM TradeMast_tbl").toString(), "120.5");
    EXPECT_EQ(
        queryValue(connection, "SELECT COUNT(*) FROM Management_Tbl WHERE Input_Date = #2024/3/5#")
            .toLong(),
        1);
    EXPECT_FALSE(
        connection.execute("INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) "
                           "VALUES ('002', '雑貨')"));
    connection.close();

    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, kPassword)));
    EXPECT_EQ(queryValue(connection, "SELECT COUNT(*) FROM ClassifyMast_tbl").toLong(), 2);
    connection.close();
    EXPECT_EQ(openRaw(path, true), SQLITE_OK);
}

TEST(EarlierFiles, NewKeyedFilesKeepTheEarlierLayout) {
    TestDatabase db;
    const QString path = db.create("new.mde", kPassword);
    EXPECT_EQ(openRaw(path, true), SQLITE_OK);
    // The engine's own current layout does not read it: the file is in the earlier one.
    EXPECT_EQ(openRaw(path, false), SQLITE_NOTADB);
    EXPECT_EQ(openRaw(kEarlierFile, false), SQLITE_NOTADB);
}

}  // namespace
