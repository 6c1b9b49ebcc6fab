#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "KillAtStep.h"
#include "ScreenFixture.h"
#include "backup/BackupRoot.h"
#include "backup/DataFileCheck.h"
#include "backup/DataRecovery.h"

// The work files that the earlier release left in the data folder, the backup root and
// the temporary folder when one of its operations was stopped: the next start puts the
// data folder back in order and removes them, and nothing else.
namespace {

using Files = std::map<QString, QByteArray>;

// The id of a process that has ended.
QString endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return QString::number(child);
}

class EarlierWorkFilesTest : public ScreenFixture {
  protected:
    // The data folder made anew, and the new data the earlier restore was putting in.
    void prepare() {
        makeDataFolder();
        dead = endedProcess();
        oldData = dataFiles();
        makeChangedDatabase(path("new/morvik2.mde"));
        newData = oldData;
        newData["morvik2.mde"] = read(path("new/morvik2.mde"));
        for (const QString& book : kWorkbooks) {
            newData[book] = "restored " + book.toUtf8();
        }
    }

    QString data(const QString& name) const { return dataFolder() + "/" + name; }
    QString aside(const QString& name, const QString& kind, const QString& process) const {
        return data("." + name + "." + kind + "-" + process);
    }

    // The earlier restore had copied every new file beside its target and then put the
    // first `moved` files in place, each after moving the old file and its journal aside.
    void stopEarlierRestore(int moved) {
        write(data("morvik2.mde-journal"), "");
        QStringList names = QStringList{"morvik2.mde"} + kWorkbooks;
        for (int i = 0; i < names.size(); ++i) {
            const QString& name = names[i];
            const QString copy = aside(name, "restore", dead);
            write(copy, newData.at(name));
            if (i >= moved) {
                continue;
            }
            ASSERT_TRUE(QFile::rename(data(name), aside(name, "old", dead)));
            if (name == "morvik2.mde") {
                ASSERT_TRUE(QFile::rename(data("morvik2.mde-journal"),
                                          aside("morvik2.mde-journal", "old", dead)));
            }
            ASSERT_TRUE(QFile::rename(copy, data(name)));
        }
        oldData["morvik2.mde-journal"] = "";
    }

    QStringList hidden(const QString& folder) const {
        return QDir(folder).entryList(
            {".*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    }

    QString dead;
    Files oldData, newData;
};

TEST_F(EarlierWorkFilesTest, AStoppedReplacementEndsWithTheOldFilesOrTheNewOnes) {
    const struct {
        int moved;
        bool newSide;
    } cases[] = {
        {0, false},  // stopped while copying
        {1, false},  // the database replaced, the workbooks not yet
        {3, false},  // a mix of old and new workbooks
        {8, true},   // every file in place, the old ones not yet removed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("files in place: " + std::to_string(c.moved));
        prepare();
        stopEarlierRestore(c.moved);
        write(data("..morvik2.mde.restore-" + dead + ".copy-" + dead + "-4"), "half a copy");

        DataRecovery::Recover(dataFolder());

        Files expected = c.newSide ? newData : oldData;
        if (c.newSide) {
            expected.erase("morvik2.mde-journal");
        }
        EXPECT_EQ(dataFiles(), expected);
        EXPECT_EQ(hidden(dataFolder()), QStringList());
        EXPECT_GT(DataFileCheck::BasicRows(dataFolder(), "morvik2.mde", kPassword), 0);
    }
}

TEST_F(EarlierWorkFilesTest, ARecoveryStoppedPartWayIsTakenUpAgain) {
    for (const auto& [moved, newSide] : {std::pair{3, false}, std::pair{8, true}}) {
        for (int step = 1;; ++step) {
            SCOPED_TRACE("files in place: " + std::to_string(moved) + ", recovery stopped at " +
                         std::to_string(step));
            prepare();
            stopEarlierRestore(moved);
            const ChildEnd end = runKilledAt(step, [&] {
                DataRecovery::Recover(dataFolder());
                return true;
            });
            DataRecovery::Recover(dataFolder());
            Files expected = newSide ? newData : oldData;
            if (newSide) {
                expected.erase("morvik2.mde-journal");
            }
            EXPECT_EQ(dataFiles(), expected);
            EXPECT_EQ(hidden(dataFolder()), QStringList());
            if (end != ChildEnd::Killed) {
                break;
            }
            ASSERT_FALSE(HasFailure());
        }
    }
}

TEST_F(EarlierWorkFilesTest, UnfinishedBackupsAndTemporaryFilesGoOthersStay) {
    prepare();
    write(backupFolder("20240101000000") + "/morvik2.mde", "a user's backup");
    const QString work = backupFolder(".work-" + dead + "-1");
    write(work + "/morvik2.mde", "part of a backup");
    write(work + "/.商品一覧表.xlsx.copy-" + dead + "-2", "half a copy");
    const QString tmp = path("tmp");
    for (const QString& name : QStringList{
             "morvik2_20240305091502.zip", "morvik2_20240305091502_2.mde",
             "morvik2_20240305091502.zip.Ab3dEf", ".morvik2_20240305091502.zip.copy-" + dead + "-7",
             "morvik2_20240305091502_3/morvik2.mde"}) {
        write(tmp + "/" + name, "left by the earlier release");
    }
    // The user's names, links, and the work of a program still running stay.
    const QString running = QString::number(::getppid());
    QStringList kept = {"morvik2_notes.zip", "morvik2_2024.mde", "morvik2_20240305091502.txt",
                        ".morvik2_20240305091502.zip.copy-" + running + "-1"};
    for (const QString& name : kept) {
        write(tmp + "/" + name, "the user's");
    }
    ASSERT_TRUE(QFile::link(tmp + "/morvik2_notes.zip", tmp + "/morvik2_20240305091502.mde"));
    kept << "morvik2_20240305091502.mde";
    ASSERT_TRUE(QFile::link(work, backupFolder(".work-" + dead + "-2")));
    write(backupFolder(".work-" + running + "-1") + "/morvik2.mde", "a running backup");
    ASSERT_TRUE(QFile::link(databasePath(), aside("morvik2.mde", "old", dead)));
    write(aside("morvik2.mde", "old", running), "moved aside by a running program");
    write(aside("morvik2.mde", "restore", running), "a copy of a running program");
    Files expected = snapshot(dataFolder());
    std::erase_if(expected, [&](const auto& file) {
        return file.first.startsWith("backup/.work-" + dead + "-1");
    });

    DataRecovery::Recover(dataFolder());

    kept.sort();
    EXPECT_EQ(
        QDir(tmp).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                            QDir::Name),
        kept);
    EXPECT_EQ(snapshot(dataFolder()), expected);
    QStringList listed = {".work-" + dead + "-2", ".work-" + running + "-1", "20240101000000"};
    listed.sort();
    EXPECT_EQ(BackupRoot(dataFolder()).names(), listed);
}

}  // namespace
