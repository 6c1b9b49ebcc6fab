#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "ScreenFixture.h"
#include "backup/DataFileCheck.h"
#include "backup/DataRecovery.h"

// A replacement stopped after the database was moved aside, before the new one was moved
// in, whose record or folder cannot be trusted: the start-up recovery returns and keeps
// the data it cannot settle, and settles it once it can.
namespace {

using Files = std::map<QString, QByteArray>;

const QByteArray kRecord = R"({"names": ["morvik2.mde"], "auto": ""})";

class RecoveryTest : public ScreenFixture {
  protected:
    QString run() const { return dataFolder() + "/.work-Ab3dEf"; }

    // The data folder without its database, the run folder holding the old one and the
    // new one.
    void stopBetweenTheMoves() {
        makeDataFolder();
        QDir(run()).removeRecursively();
        ASSERT_EQ(::mkdir(QFile::encodeName(run()).constData(), 0700), 0);
        ASSERT_TRUE(QDir().mkpath(run() + "/old"));
        oldDatabase = read(databasePath());
        ASSERT_TRUE(QFile::rename(databasePath(), run() + "/old/morvik2.mde"));
        makeChangedDatabase(run() + "/new/morvik2.mde");
        newDatabase = read(run() + "/new/morvik2.mde");
    }

    // The entries of the data folder and of the run folder.
    QStringList allEntries() const {
        const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        return QDir(dataFolder()).entryList(filter) + QDir(run()).entryList(filter);
    }

    QByteArray oldDatabase, newDatabase;
};

TEST_F(RecoveryTest, ARecordThatCannotBeTrustedKeepsTheDataItNames) {
    const struct {
        const char* name;
        std::function<void(const QString& record)> make;
    } cases[] = {
        {"cut short", [](const QString& record) { write(record, kRecord.left(20)); }},
        {"empty", [](const QString& record) { write(record, ""); }},
        {"a name outside the folder",
         [](const QString& record) {
             write(record, R"({"names": ["../morvik2.mde"], "auto": ""})");
         }},
        {"naming another file",
         [](const QString& record) { write(record, R"({"names": ["morvik2.mdf"], "auto": ""})"); }},
        {"a pipe",
         [](const QString& record) {
             ASSERT_EQ(::mkfifo(QFile::encodeName(record).constData(), 0600), 0);
         }},
        {"a link to a record",
         [this](const QString& record) {
             write(path("elsewhere"), kRecord);
             ASSERT_TRUE(QFile::link(path("elsewhere"), record));
         }},
        {"in a folder of another user",
         [this](const QString& record) {
             write(record, kRecord);
             ASSERT_EQ(::chown(QFile::encodeName(run()).constData(), 65534, 65534), 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        stopBetweenTheMoves();
        c.make(run() + "/replace");
        // Not read as a whole: the record may be a pipe.
        const QStringList entries = allEntries();
        const Files kept = snapshot(run() + "/old");
        const Files copies = snapshot(run() + "/new");

        DataRecovery::Recover(dataFolder());

        EXPECT_EQ(allEntries(), entries);
        EXPECT_EQ(snapshot(run() + "/old"), kept);
        EXPECT_EQ(snapshot(run() + "/new"), copies);
        EXPECT_EQ(read(run() + "/old/morvik2.mde"), oldDatabase);
    }
}

TEST_F(RecoveryTest, AFolderThatCannotBeWrittenIsSettledOnceItCan) {
    stopBetweenTheMoves();
    write(run() + "/replace", kRecord);
    const Files before = snapshot(dataFolder());
    ASSERT_TRUE(makeUnwritable(dataFolder()));

    DataRecovery::Recover(dataFolder());
    makeWritable(dataFolder());
    EXPECT_EQ(snapshot(dataFolder()), before);

    DataRecovery::Recover(dataFolder());
    EXPECT_FALSE(QFile::exists(run()));
    EXPECT_EQ(read(databasePath()), newDatabase);
    EXPECT_GT(DataFileCheck::BasicRows(dataFolder(), "morvik2.mde", kPassword), 0);
}

}  // namespace
