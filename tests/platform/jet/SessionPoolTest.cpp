#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "TestDatabase.h"
#include "platform/jet/Session.h"

namespace {

using jet::Connection;

QString insertDay(int day) {
    return QStringLiteral(
               "INSERT INTO Management_Tbl(Input_Date , Classify_No , Trade_No) "
               "VALUES (#2024/9/%1#,'001','0001')")
        .arg(day);
}

int32_t rows(Connection& connection) {
    return queryValue(connection, "SELECT COUNT(*) FROM Management_Tbl").toLong();
}

// A second handle on the file, as another program would have it.
class OtherProgram {
  public:
    OtherProgram(const QString& path, const QString& password) {
        EXPECT_FALSE(jet::openKeyed(path, password, false, 0, db_));
    }
    ~OtherProgram() { sqlite3_close_v2(db_); }
    int run(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }
    int count() {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, "SELECT count(*) FROM Management_Tbl", -1, &statement, nullptr);
        const int value =
            sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
        sqlite3_finalize(statement);
        return value;
    }

  private:
    sqlite3* db_ = nullptr;
};

// Whether the connection's session was the one of an earlier connection: it counts the
// rows changed since it was opened.
bool takenOver(Connection& connection) {
    return sqlite3_total_changes(connection.handle()) > 0;
}

// Whether a descriptor of this process still holds the file of the path after it was
// deleted or replaced.
bool holdsDeleted(const QString& path) {
    const QString deleted = QFileInfo(path).absoluteFilePath() + " (deleted)";
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& name : descriptors.entryList(QDir::AllEntries | QDir::System)) {
        if (QFile::symLinkTarget(descriptors.filePath(name)) == deleted) {
            return true;
        }
    }
    return false;
}

// A keyed file at `path` with `days` rows, its connection closed (kept).
QString prepared(TestDatabase& db, const QString& name, int days) {
    const QString path = db.create(name, "pw");
    Connection connection;
    EXPECT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
    for (int day = 1; day <= days; ++day) {
        EXPECT_FALSE(connection.execute(insertDay(day)));
    }
    return path;
}

TEST(SessionPool, TheNextConnectionToTheUnchangedFileTakesTheClosedOnesSession) {
    TestDatabase db;
    const QString path = db.create("db.mde", "pw");
    Connection first;
    ASSERT_FALSE(first.open(TestDatabase::connectionText(path, "pw")));
    EXPECT_FALSE(takenOver(first));
    ASSERT_FALSE(first.execute(insertDay(1)));
    first.close();

    // What it wrote is in the file, and the kept session holds no lock.
    OtherProgram other(path, "pw");
    EXPECT_EQ(other.count(), 1);
    ASSERT_EQ(other.run("BEGIN EXCLUSIVE"), SQLITE_OK);
    ASSERT_EQ(other.run("ROLLBACK"), SQLITE_OK);

    Connection second;
    ASSERT_FALSE(second.open(TestDatabase::connectionText(path, "pw")));
    EXPECT_TRUE(takenOver(second));
    EXPECT_EQ(rows(second), 1);
    second.close();

    // Another mode, another password or another path never takes it.
    ASSERT_FALSE(second.open(TestDatabase::connectionText(path, "pw") + "Mode=Read;"));
    EXPECT_FALSE(takenOver(second));
    EXPECT_EQ(second.open(TestDatabase::connectionText(path, "wrong")).number, jet::errCannotOpen);
    const QString copy = db.path("copy.mde");
    ASSERT_TRUE(QFile::copy(path, copy));
    ASSERT_FALSE(second.open(TestDatabase::connectionText(copy, "pw")));
    EXPECT_FALSE(takenOver(second));
}

// Each change leaves the kept session of a file with one row; the next connection must
// read the file as the change left it.
TEST(SessionPool, AFileChangedSinceItsConnectionClosedIsReadAsItIsNow) {
    const struct {
        const char* change;
        int rows;  // then found, -1 for a missing file
    } cases[] = {
        {"replaced by rename", 3},
        {"rewritten in place", 3},
        {"written by another program", 2},
        {"deleted", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        TestDatabase db;
        const QString other = prepared(db, "other.mde", 3);
        const QString path = prepared(db, "db.mde", 1);
        const QString change = c.change;
        if (change == "replaced by rename") {
            ASSERT_EQ(
                ::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()),
                0);
        } else if (change == "rewritten in place") {
            QFile source(other);
            QFile target(path);
            ASSERT_TRUE(source.open(QIODevice::ReadOnly));
            ASSERT_TRUE(target.open(QIODevice::ReadWrite | QIODevice::Truncate));
            target.write(source.readAll());
        } else if (change == "written by another program") {
            OtherProgram program(path, "pw");
            ASSERT_EQ(program.run(insertDay(2).replace("#2024/9/2#", "45537").toUtf8()), SQLITE_OK);
        } else {
            ASSERT_TRUE(QFile::remove(path));
        }

        Connection connection;
        const jet::Error error = connection.open(TestDatabase::connectionText(path, "pw"));
        if (c.rows < 0) {
            EXPECT_EQ(error.number, jet::errFileNotFound);
        } else {
            ASSERT_FALSE(error) << error.description.toStdString();
            EXPECT_FALSE(takenOver(connection));
            EXPECT_EQ(rows(connection), c.rows);
        }
        EXPECT_FALSE(holdsDeleted(path));
    }
}

TEST(SessionPool, AKeptSessionDoesNotKeepAMovedAwayFile) {
    TestDatabase db;
    const QString path = prepared(db, "db.mde", 1);
    const QString aside = db.path("aside.mde");
    ASSERT_TRUE(QFile::rename(path, aside));
    ASSERT_TRUE(QFile::remove(aside));
    EXPECT_TRUE(holdsDeleted(aside));

    // Any later connection, to whichever file, lets it go.
    const QString other = db.create("other.mde");
    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(other, "")));
    EXPECT_FALSE(holdsDeleted(aside));
}

TEST(SessionPool, ALockedFileIsBusyAsOnAFirstOpen) {
    TestDatabase db;
    const QString path = prepared(db, "db.mde", 1);
    OtherProgram holder(path, "pw");
    ASSERT_EQ(holder.run("BEGIN EXCLUSIVE"), SQLITE_OK);
    Connection connection;
    connection.setBusyTimeout(50);
    EXPECT_EQ(connection.open(TestDatabase::connectionText(path, "pw")).number, jet::errBusy);
    ASSERT_EQ(holder.run("ROLLBACK"), SQLITE_OK);
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
    EXPECT_EQ(rows(connection), 1);
}

TEST(SessionPool, ASessionLeftInATransactionOrWithChangedTablesIsNotKept) {
    TestDatabase db;
    const QString path = prepared(db, "db.mde", 1);
    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
    ASSERT_FALSE(connection.beginTrans());
    ASSERT_FALSE(connection.execute(insertDay(2)));
    connection.close();
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
    EXPECT_FALSE(takenOver(connection));
    EXPECT_EQ(rows(connection), 1);

    ASSERT_FALSE(connection.execute(insertDay(3)));
    ASSERT_FALSE(connection.execute("CREATE TABLE Extra_Tbl (Amount CURRENCY)"));
    connection.close();
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
    EXPECT_FALSE(takenOver(connection));
    EXPECT_EQ(rows(connection), 2);
}

// A read that fails on a damaged page can leave the handle unable to read further pages:
// such a session is not kept, and the next connection meets the damage as the first did.
TEST(SessionPool, ASessionWhoseReadFailedIsNotKept) {
    TestDatabase db;
    const QString path = db.create("db.mde", "pw");
    Connection connection;
    ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
    for (int day = 1; day <= 28; ++day) {
        ASSERT_FALSE(connection.execute(insertDay(day)));
    }
    const int rootPage =
        queryValue(connection, "SELECT rootpage FROM sqlite_master WHERE name = 'Management_Tbl'")
            .toLong();
    connection.close();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(qint64{rootPage - 1} * 1024 + 100));
        file.write(QByteArray(16, 'x'));
    }
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ASSERT_FALSE(connection.open(TestDatabase::connectionText(path, "pw")));
        EXPECT_FALSE(takenOver(connection));
        ASSERT_FALSE(connection.execute(
            QStringLiteral("INSERT INTO FixDeta_tbl(FixDate , Classify_No , Trade_No) VALUES "
                           "(#2024/%1/1#,'001','0001')")
                .arg(attempt)));
        jet::Recordset records;
        EXPECT_EQ(records
                      .open(attempt == 1 ? "SELECT Count(Cost_Money) FROM Management_Tbl"
                                         : "SELECT Cost_Money FROM Management_Tbl",
                            connection)
                      .number,
                  jet::errCannotOpen);
        connection.close();
    }
}

}  // namespace
