#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <functional>

#include "KillAtStep.h"
#include "ScreenFixture.h"
#include "backup/BackupModule.h"
#include "backup/BackupRoot.h"
#include "backup/DataFileCheck.h"
#include "backup/DataFolderLock.h"
#include "backup/DataRecovery.h"
#include "backup/DataReplace.h"
#include "backup/RunFolder.h"
#include "platform/runtime/Clock.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/ZipArchive.h"

// Each operation on the data folder is stopped (kill -9) at each of its disk steps in turn;
// the start-up recovery then has to leave the old data or the new, whole, and nothing else.
namespace {

using Files = std::map<QString, QByteArray>;

const QString kUserBackup = "20240101000000";
const QString kEarlierAuto = "20230101000000-auto";
const QString kNewAuto = "20240305091502-auto";

class CrashTest : public ScreenFixture {
  protected:
    QStringList listedFiles() const {
        QStringList files{databasePath()};
        for (const QString& book : kWorkbooks) {
            files << dataFolder() + "/" + book;
        }
        return files;
    }

    QStringList backupNames() const { return BackupRoot(dataFolder()).names(); }

    bool databaseOpens() const {
        return DataFileCheck::BasicRows(dataFolder(), "morvik2.mde", kPassword) > 0;
    }

    bool recordLeft() const {
        for (const QString& run :
             QDir(dataFolder()).entryList({".work-*"}, QDir::Dirs | QDir::Hidden)) {
            if (QFile::exists(dataFolder() + "/" + run + "/replace")) {
                return true;
            }
        }
        return false;
    }

    void expectTempFolderEmpty() const {
        EXPECT_TRUE(QDir(path("tmp"))
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty());
    }

    // A user's backup of changed data: every file differs from the data folder's.
    void makeUserBackup() const {
        makeChangedDatabase(backupFolder(kUserBackup) + "/morvik2.mde");
        for (const QString& book : kWorkbooks) {
            write(backupFolder(kUserBackup) + "/" + book, "restored " + book.toUtf8());
        }
    }

    // Stops the operation at each of its disk steps in turn, from the first until it runs
    // to its end; after each stop the start-up recovery runs and check looks at the folder
    // (true: it holds the new data). Both sides must have been seen. Gives the steps after
    // which a replacement was left recorded for the recovery.
    std::vector<int> stopAtEveryStep(const std::function<void()>& prepare,
                                     const std::function<bool()>& operation,
                                     const std::function<bool()>& check) {
        std::vector<int> recorded;
        int oldSeen = 0;
        int newSeen = 0;
        for (int step = 1;; ++step) {
            SCOPED_TRACE("stopped at disk step " + std::to_string(step));
            forms::TestHook::enable();
            prepare();
            const ChildEnd end = runKilledAt(step, operation);
            if (recordLeft()) {
                recorded.push_back(step);
            }
            DataRecovery::Recover(dataFolder());
            (check() ? newSeen : oldSeen) += 1;
            expectTempFolderEmpty();
            if (end != ChildEnd::Killed) {
                EXPECT_EQ(end, ChildEnd::Succeeded);
                break;
            }
            if (HasFailure() || step > 1000) {
                ADD_FAILURE() << "stopped";
                break;
            }
        }
        EXPECT_GT(oldSeen, 0);
        EXPECT_GT(newSeen, 0);
        return recorded;
    }
};

TEST_F(CrashTest, AFolderRestoreLeavesTheOldDataOrTheNewWithItsAutomaticCopy) {
    Files oldData, newData, userBackup, earlierAuto;
    const auto prepare = [&] {
        makeDataFolder();
        makeUserBackup();
        write(backupFolder(kEarlierAuto) + "/morvik2.mde", "kept by an earlier restore");
        oldData = dataFiles();
        userBackup = snapshot(backupFolder(kUserBackup));
        earlierAuto = snapshot(backupFolder(kEarlierAuto));
        newData = userBackup;
    };
    const auto restore = [&] {
        return screen->RestoreFolder(kUserBackup).outcome == ReplaceResult::Replaced;
    };
    const auto check = [&] {
        const Files data = dataFiles();
        const bool isNew = data == newData;
        EXPECT_TRUE(isNew || data == oldData);
        EXPECT_TRUE(databaseOpens());
        EXPECT_EQ(snapshot(backupFolder(kUserBackup)), userBackup);
        if (isNew) {
            EXPECT_EQ(backupNames(), QStringList({kUserBackup, kNewAuto}));
            EXPECT_EQ(snapshot(backupFolder(kNewAuto)), oldData);
        } else {
            EXPECT_EQ(backupNames(), QStringList({kEarlierAuto, kUserBackup}));
            EXPECT_EQ(snapshot(backupFolder(kEarlierAuto)), earlierAuto);
        }
        return isNew;
    };
    const std::vector<int> recorded = stopAtEveryStep(prepare, restore, check);

    // The recovery itself stopped part way is taken up again at the next start: tried for
    // the first, a middle and the last step at which a replacement is recorded.
    ASSERT_FALSE(recorded.empty());
    for (const int step : {recorded.front(), recorded[recorded.size() / 2], recorded.back()}) {
        for (int recoveryStep = 1;; ++recoveryStep) {
            SCOPED_TRACE("restore stopped at " + std::to_string(step) + ", recovery at " +
                         std::to_string(recoveryStep));
            prepare();
            runKilledAt(step, restore);
            const ChildEnd recovery = runKilledAt(recoveryStep, [&] {
                DataRecovery::Recover(dataFolder());
                return true;
            });
            DataRecovery::Recover(dataFolder());
            check();
            if (recovery != ChildEnd::Killed) {
                break;
            }
            ASSERT_FALSE(HasFailure());
        }
    }
}

TEST_F(CrashTest, AnImportLeavesTheOldDatabaseOrTheNewWithTheWorkbooksUntouched) {
    for (const QString& file :
         {QString("in/取り込み 2024*?.bak"), QString("in/古い データ*?.MdE")}) {
        SCOPED_TRACE(file.toStdString());
        Files oldData, newData;
        const auto prepare = [&] {
            makeDataFolder();
            QDir(path("in")).removeRecursively();
            QDir(backupFolder("")).removeRecursively();
            write(backupFolder(kEarlierAuto) + "/morvik2.mde", "kept by an earlier import");
            makeChangedDatabase(path("in/morvik2.mde"));
            if (file.endsWith(".bak")) {
                ASSERT_TRUE(shell::zipFiles({path("in/morvik2.mde")}, path(file)));
            } else {
                ASSERT_TRUE(QFile::copy(path("in/morvik2.mde"), path(file)));
            }
            oldData = dataFiles();
            newData = oldData;
            newData["morvik2.mde"] = read(path("in/morvik2.mde"));
            forms::TestHook::queueDialogAnswer(path(file));
        };
        const auto import = [&] {
            screen->OperationOption[1]->setChecked(true);
            screen->Import_File_Click();
            return boxTexts() == QStringList{"復元を完了しました。"};
        };
        const auto check = [&] {
            const Files data = dataFiles();
            const bool isNew = data == newData;
            EXPECT_TRUE(isNew || data == oldData);
            EXPECT_TRUE(databaseOpens());
            if (isNew) {
                EXPECT_EQ(backupNames(), QStringList{kNewAuto});
                EXPECT_EQ(snapshot(backupFolder(kNewAuto)),
                          (Files{{"morvik2.mde", oldData.at("morvik2.mde")}}));
            } else {
                EXPECT_EQ(backupNames(), QStringList{kEarlierAuto});
            }
            return isNew;
        };
        stopAtEveryStep(prepare, import, check);
    }
}

TEST_F(CrashTest, AFolderBackupIsWholeOrNotThere) {
    Files data;
    const auto prepare = [&] {
        makeDataFolder();
        QDir(backupFolder("")).removeRecursively();
        makeUserBackup();
        data = snapshot(dataFolder());
    };
    const auto check = [&] {
        const Files now = snapshot(dataFolder());
        const bool made = backupNames().size() == 2;
        if (made) {
            EXPECT_EQ(backupNames(), QStringList({kUserBackup, "20240305091502"}));
            EXPECT_EQ(snapshot(backupFolder("20240305091502")), dataFiles());
            Files without = now;
            std::erase_if(without, [](const auto& file) {
                return file.first.startsWith("backup/20240305091502");
            });
            EXPECT_EQ(without, data);
        } else {
            EXPECT_EQ(now, data);
        }
        return made;
    };
    stopAtEveryStep(
        prepare, [&] { return screen->BackupToFolder(); }, check);
}

TEST_F(CrashTest, AnExportLeavesTheEarlierFileOrTheWholeNewOne) {
    // The plain copy goes to another file system than the data folder's where there is one.
    const QTemporaryDir memory(QStringLiteral("/dev/shm/morvik-test-XXXXXX"));
    const QString otherVolume = memory.isValid() ? memory.path() + "/out" : path("out2");
    for (const auto& [folder, name] : {std::pair{path("out"), QString("家の バックアップ*?\n.bak")},
                                       std::pair{otherVolume, QString("コピー*?.MdE")}}) {
        SCOPED_TRACE(name.toStdString());
        const QString target = folder + "/" + name;
        Files data;
        const auto prepare = [&] {
            makeDataFolder();
            QDir(folder).removeRecursively();
            write(target, "an earlier backup file");
            data = snapshot(dataFolder());
        };
        const auto check = [&] {
            EXPECT_EQ(snapshot(dataFolder()), data);
            EXPECT_EQ(
                QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                QStringList{name});
            const QByteArray written = read(target);
            if (written == "an earlier backup file") {
                return false;
            }
            if (name.endsWith(".bak")) {
                EXPECT_TRUE(shell::verifyZip(target));
                EXPECT_EQ(shell::zipEntries(target)->size(), 8u);
            } else {
                EXPECT_EQ(written, data.at("morvik2.mde"));
            }
            return true;
        };
        stopAtEveryStep(
            prepare, [&] { return BackupModule::WriteBackupFile(listedFiles(), target); }, check);
    }
}

TEST_F(CrashTest, ADeletedBackupIsWholeOrGone) {
    Files data;
    const auto prepare = [&] {
        makeDataFolder();
        QDir(backupFolder("")).removeRecursively();
        makeUserBackup();
        data = snapshot(dataFolder());
    };
    const auto check = [&] {
        const Files now = snapshot(dataFolder());
        if (now == data) {
            return false;
        }
        Files without = data;
        std::erase_if(without, [](const auto& file) {
            return file.first.startsWith("backup/" + kUserBackup);
        });
        EXPECT_EQ(now, without);
        return true;
    };
    stopAtEveryStep(
        prepare, [&] { return BackupRoot(dataFolder()).remove(kUserBackup); }, check);
}

TEST_F(CrashTest, EveryOperationWorksBehindLinksToAnotherFileSystem) {
    // The database and the backup root are links into memory, another file system.
    const QTemporaryDir memory(QStringLiteral("/dev/shm/morvik-test-XXXXXX"));
    ASSERT_TRUE(memory.isValid());
    const QString other = memory.path() + "/disk";
    QDir().mkpath(other);
    ASSERT_NE(QStorageInfo(other).device(), QStorageInfo(path("")).device());
    // Made once: the engine writes a changed database differently each time.
    makeChangedDatabase(path("changed.mde"));
    const QByteArray changed = read(path("changed.mde"));
    const auto prepare = [&] {
        makeDataFolder();
        QDir(other).removeRecursively();
        QDir().mkpath(other + "/backup");
        ASSERT_TRUE(QFile::rename(databasePath(), other + "/morvik2.mde"));
        ASSERT_TRUE(QFile::link(other + "/morvik2.mde", databasePath()));
        ASSERT_TRUE(QFile::link(other + "/backup", backupFolder("").chopped(1)));
        write(backupFolder(kUserBackup) + "/morvik2.mde", changed);
        for (const QString& book : kWorkbooks) {
            write(backupFolder(kUserBackup) + "/" + book, "restored " + book.toUtf8());
        }
        write(backupFolder(kEarlierAuto) + "/morvik2.mde", "kept by an earlier restore");
        QDir(path("in")).removeRecursively();
        write(path("in/morvik2.mde"), changed);
        ASSERT_TRUE(shell::zipFiles({path("in/morvik2.mde")}, path("in/x.bak")));
    };
    // The data folder, its links as links, and the other file system.
    const auto state = [&] {
        Files files = snapshot(dataFolder());
        for (const auto& [name, bytes] : snapshot(other)) {
            files["other/" + name] = bytes;
        }
        return files;
    };
    const struct {
        const char* name;
        std::function<bool()> run;
        bool replacesTheDatabase = false;
    } operations[] = {
        {"folder restore",
         [&] { return screen->RestoreFolder(kUserBackup).outcome == ReplaceResult::Replaced; },
         true},
        {"import",
         [&] {
             forms::TestHook::queueDialogAnswer(path("in/x.bak"));
             screen->OperationOption[1]->setChecked(true);
             screen->Import_File_Click();
             return boxTexts() == QStringList{"復元を完了しました。"};
         },
         true},
        {"folder backup", [&] { return screen->BackupToFolder(); }},
        {"deletion", [&] { return BackupRoot(dataFolder()).remove(kUserBackup); }},
        {"export", [&] { return BackupModule::WriteBackupFile(listedFiles(), other + "/x.mde"); }},
    };
    for (const auto& operation : operations) {
        SCOPED_TRACE(operation.name);
        forms::TestHook::enable();
        prepare();
        const Files before = state();
        ASSERT_EQ(runKilledAt(0, operation.run), ChildEnd::Succeeded);
        const Files after = state();
        EXPECT_NE(after, before);
        EXPECT_EQ(after.at("morvik2.mde"), before.at("morvik2.mde"));  // still the link
        EXPECT_EQ(after.at("backup"), before.at("backup"));
        if (operation.replacesTheDatabase) {
            EXPECT_EQ(after.at("other/morvik2.mde"), changed);
            EXPECT_EQ(after.at("other/backup/20240305091502-auto/morvik2.mde"),
                      before.at("other/morvik2.mde"));
        }
        stopAtEveryStep(prepare, operation.run, [&] {
            const Files now = state();
            EXPECT_TRUE(now == before || now == after);
            return now == after;
        });
    }
}

// Many long names make a record of megabytes.
TEST_F(CrashTest, AReplacementOfTenThousandLongNamesIsFinishedAfterAKill) {
    const QTemporaryDir memory(QStringLiteral("/dev/shm/morvik-test-XXXXXX"));
    ASSERT_TRUE(memory.isValid());
    const QString data = memory.path() + "/data";
    std::vector<IncomingFile> files;
    Files newData;
    for (int i = 0; i < 10000; ++i) {
        const QString name = QString::number(10000 + i) + " " + QString(80, QChar(0x5EAB));
        write(memory.path() + "/source/" + name, QByteArray::number(i));
        files.push_back({memory.path() + "/source/" + name, name});
        newData[name] = QByteArray::number(i);
    }
    const auto prepare = [&] {
        QDir(data).removeRecursively();
        write(data + "/" + files.front().name, "old");
        write(data + "/" + files.back().name, "old");
    };
    const auto replace = [&] {
        return static_cast<bool>(DataReplace(data, "").run(files, vb::Now()));
    };
    static int steps = 0;
    static int recordStep = 0;
    steps = 0;
    recordStep = 0;
    prepare();
    shell::setDiskStepHook([](const char* step, const QString& path) {
        ++steps;
        if (std::strcmp(step, "rename") == 0 && path.endsWith("/replace.new")) {
            recordStep = steps;
        }
    });
    ASSERT_TRUE(replace());
    shell::setDiskStepHook(nullptr);
    ASSERT_GT(recordStep, 0);
    for (const int step : {recordStep + 1, (recordStep + steps) / 2, steps - 1}) {
        SCOPED_TRACE("stopped at disk step " + std::to_string(step));
        prepare();
        ASSERT_EQ(runKilledAt(step, replace), ChildEnd::Killed);
        const QStringList runs = QDir(data).entryList({".work-*"}, QDir::Dirs | QDir::Hidden);
        ASSERT_EQ(runs.size(), 1);
        EXPECT_GT(QFileInfo(data + "/" + runs[0] + "/replace").size(), 1024 * 1024);
        DataRecovery::Recover(data);
        EXPECT_TRUE(snapshot(data) == newData);
    }
}

TEST_F(CrashTest, TwoProgramsStartedAtOnceFindTheFolderSettled) {
    makeDataFolder();
    const QByteArray database = read(databasePath());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        // The first program's recovery, with the database out of place for a moment.
        const DataFolderLock lock(dataFolder());
        QFile::rename(databasePath(), dataFolder() + "/moved");
        (void)!::write(ready[1], "y", 1);
        ::usleep(300 * 1000);
        QFile::rename(dataFolder() + "/moved", databasePath());
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    DataRecovery::Recover(dataFolder());
    EXPECT_EQ(read(databasePath()), database);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(CrashTest, RecoveryLeavesTheWorkOfARunningProgramAlone) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const RunFolder run(dataFolder());
        write(run.path() + "/file", "work in progress");
        const char done = run.ok() ? 'y' : 'n';
        (void)!::write(ready[1], &done, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'y');
    const Files during = snapshot(dataFolder());
    DataRecovery::Recover(dataFolder());
    EXPECT_EQ(snapshot(dataFolder()), during);

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    DataRecovery::Recover(dataFolder());
    EXPECT_EQ(QDir(dataFolder()).entryList({".work-*"}, QDir::Dirs | QDir::Hidden), QStringList());
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
