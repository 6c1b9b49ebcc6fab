// Start-up where the database is no regular file, or a crash left beside it the journal
// of a file with another key: each ends through its message and the restore screen, never
// a crash or a wait without end.

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "app/Startup.h"
#include "platform/forms/TestHook.h"
#include "platform/jet/KeyDerivation.h"
#include "platform/jet/Session.h"
#include "screens/menu/frmMenu.h"
#include "tests/support/CraftedDatabases.h"
#include "tests/support/TestDatabase.h"

namespace {

const QString kMissing = "DataBaseが存在しません。\r\nDataBaseを復元してください。";
const QString kDamaged = "DataBaseが破損している恐れがあります。\r\nDataBaseを復元してください。";

class UnusualDatabaseFilesStartupTest : public testing::Test {
  protected:
    void SetUp() override {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        ASSERT_TRUE(QDir().mkpath(folder()));
    }
    void TearDown() override {
        forms::TestHook::disable();
        qunsetenv("XDG_DATA_HOME");
    }

    QString folder() const { return dataHome.path() + "/Kelvarn/Sales/Ver2"; }
    QString database() const { return folder() + "/" + TestDatabase::fileName(); }

    // Starts the program: it ends through the one message and the restore screen.
    void expectEndThroughRestore(const QString& message) const {
        forms::TestHook::enable();
        MainModule::Main("");
        EXPECT_EQ(frmMenu.Window(), nullptr);
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, message);
        ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
        EXPECT_EQ(forms::TestHook::dialogs()[0].kind, "form");
        EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
    }

    QTemporaryDir runtime;
    QTemporaryDir dataHome;
};

TEST_F(UnusualDatabaseFilesStartupTest, ADatabaseThatIsNoRegularFileIsMissing) {
    const struct {
        const char* name;
        bool (*make)(const QString& path);
    } cases[] = {
        {"a folder", [](const QString& path) { return QDir().mkdir(path); }},
        {"a link to /dev/zero", [](const QString& path) { return QFile::link("/dev/zero", path); }},
        {"a named pipe",
         [](const QString& path) {
             return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(database()).removeRecursively();
        QFile::remove(database());
        ASSERT_TRUE(c.make(database()));
        expectEndThroughRestore(kMissing);
        EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{TestDatabase::fileName()});
    }
}

// The journal of a transaction cut off on a copy of the shipped database keyed with
// another key, as a crash leaves it, written at journal.
bool journalOfAnotherKey(const QString& journal, const QString& work) {
    const QString copy = work + "/other.mde";
    if (!QFile::copy(TestDatabase::shippedFilePath(), copy)) {
        return false;
    }
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3* db = nullptr;
    if (jet::openKeyed(copy, TestDatabase::password(), false, 2000, db)) {
        return false;
    }
    const QByteArray rekey = "PRAGMA rekey = \"" + jet::rawKeyText("ANOTHERKEY1") + "\";";
    bool made = sqlite3_exec(db, rekey.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close_v2(db);
    if (!made || jet::openKeyed(copy, "ANOTHERKEY1", false, 2000, db)) {
        return false;
    }
    // A small cache writes pages into the file before the commit, as a crash finds them.
    made = sqlite3_exec(db,
                        "PRAGMA cache_size = 2; BEGIN; UPDATE basic_tbl SET tax = 9; "
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i "
                        "< 300) INSERT INTO ClassifyMast_tbl SELECT printf('%05d', i), "
                        "hex(randomblob(200)) FROM n;",
                        nullptr, nullptr, nullptr) == SQLITE_OK &&
           QFile::copy(copy + "-journal", journal);
    sqlite3_close_v2(db);
    return made;
}

TEST_F(UnusualDatabaseFilesStartupTest, AJournalOfAnotherKeyLeavesADamagedDatabase) {
    ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), database()));
    QFile::setPermissions(database(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(journalOfAnotherKey(database() + "-journal", dataHome.path()));
    // The engine rolls the journal back into the file as it would after a crash; the
    // pages it brings do not decrypt with the program's key.
    expectEndThroughRestore(kDamaged);
}

// A file with what the system never makes or an unknown stamp is damaged: the restore
// screen comes up and nothing the file defines runs or converts it. Settings start-up
// cannot use end the program as ever.
TEST_F(UnusualDatabaseFilesStartupTest, AFileFromOutsideIsNeverUsedNorChanged) {
    for (const CraftedDatabases::Case& c : CraftedDatabases::outside()) {
        SCOPED_TRACE(c.name);
        const QString made = c.make(database(), TestDatabase::password());
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        const QByteArray before = readFile(database());
        QElapsedTimer timer;
        timer.start();
        if (c.kind == CraftedDatabases::Kind::Foreign) {
            expectEndThroughRestore(kDamaged);
        } else {
            forms::TestHook::enable();
            MainModule::Main("");
            ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
            EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "基本データ取得に失敗しました。");
            EXPECT_TRUE(forms::TestHook::dialogs().empty());
            EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
        }
        EXPECT_LT(timer.elapsed(), 10000);
        EXPECT_EQ(readFile(database()), before);
        EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{TestDatabase::fileName()});
    }
}

}  // namespace
