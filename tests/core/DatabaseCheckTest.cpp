// The check of a database file: a file from outside is read as it lies, nothing beside it
// made or removed; the data folder's own file is recovered first and checked at a cost that
// does not grow with its rows, within its time limit.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "core/DatabaseCheck.h"
#include "tests/support/InterruptedWrite.h"
#include "tests/support/TestDatabase.h"

namespace {

std::map<QString, QByteArray> folderBytes(const QString& folder) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(folder + "/" + name);
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unread");
    }
    return files;
}

class DatabaseCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(database_.isValid());
        ASSERT_EQ(InterruptedWrite::fillProducts(path(), password(), 500), "");
        before_ = InterruptedWrite::productRows(path(), password());
        ASSERT_FALSE(before_.isEmpty());
    }

    QString folder() const { return database_.folder(); }
    QString path() const { return database_.filePath(); }
    static QString password() { return TestDatabase::password(); }

    TestDatabase database_;
    QString before_;
};

TEST_F(DatabaseCheckTest, AFileFromOutsideIsCheckedAsItLiesAndNothingBesideItChanges) {
    const struct {
        const char* name;
        const char* sql;  // run on the file, then the file is left as the write left it
    } cases[] = {
        {"a write killed before its commit", nullptr},
        {"a file in WAL mode", "PRAGMA journal_mode = WAL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDatabase copy;
        ASSERT_TRUE(copy.isValid());
        ASSERT_EQ(InterruptedWrite::fillProducts(copy.filePath(), password(), 50), "");
        if (c.sql == nullptr) {
            ASSERT_EQ(InterruptedWrite::killDuringReplace(copy.filePath(), password()), "");
        } else {
            ASSERT_EQ(InterruptedWrite::run(copy.filePath(), password(), c.sql), "");
        }
        const auto before = folderBytes(copy.folder());

        DatabaseCheck::Structure(copy.folder(), TestDatabase::fileName(), password());

        EXPECT_EQ(folderBytes(copy.folder()), before);
    }
}

TEST_F(DatabaseCheckTest, TheOwnFileIsRecoveredBeforeItIsChecked) {
    ASSERT_EQ(InterruptedWrite::killDuringReplace(path(), password()), "");

    EXPECT_EQ(DatabaseCheck::OwnFile(folder(), TestDatabase::fileName(), password()), 0);

    EXPECT_FALSE(QFile::exists(path() + "-journal"));
    EXPECT_EQ(InterruptedWrite::productRows(path(), password()), before_);
    EXPECT_EQ(DatabaseCheck::Structure(folder(), TestDatabase::fileName(), password()), 0);
}

TEST_F(DatabaseCheckTest, RecoveryAloneRollsBackAndLeavesAMissingFileMissing) {
    ASSERT_EQ(InterruptedWrite::killDuringReplace(path(), password()), "");

    DatabaseCheck::Recover(folder(), TestDatabase::fileName(), password());
    DatabaseCheck::Recover(folder(), "absent.mde", password());

    EXPECT_FALSE(QFile::exists(path() + "-journal"));
    EXPECT_FALSE(QFile::exists(folder() + "/absent.mde"));
    EXPECT_EQ(InterruptedWrite::productRows(path(), password()), before_);
}

TEST_F(DatabaseCheckTest, ACheckOutOfTimeIsToldAsSuchAndNotAsDamage) {
    bool newer = true;
    EXPECT_EQ(DatabaseCheck::OwnFile(folder(), TestDatabase::fileName(), password(), &newer, 0),
              DatabaseCheck::TimedOut);
    EXPECT_FALSE(newer);
    EXPECT_EQ(DatabaseCheck::OwnFile(folder(), TestDatabase::fileName(), password()), 0);
}

}  // namespace
