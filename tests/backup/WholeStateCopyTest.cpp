// Every copy of the database holds all of its writes, whatever journal mode a file from
// outside brought in or an interrupted write left behind, and no partial copy is listed.

#include <signal.h>
#include <sqlcipher/sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "ScreenFixture.h"
#include "backup/BackupRoot.h"
#include "backup/DataRecovery.h"
#include "platform/forms/MsgBox.h"
#include "platform/jet/Session.h"
#include "platform/shell/ZipArchive.h"

namespace {

const QString kRestored = "データの復元を完了しました。";
const QString kImported = "復元を完了しました。";
const QString kNoCopyKept =
    "\r\nバックアップフォルダに書き込めないため、復元前のデータは自動保存されていません。";

class WholeStateCopyTest : public ScreenFixture {
  protected:
    static sqlite3* open(const QString& file) {
        sqlite3* db = nullptr;
        EXPECT_FALSE(jet::openKeyed(file, kPassword, false, 2000, db)) << file.toStdString();
        return db;
    }

    static void exec(sqlite3* db, const QString& sql) {
        char* message = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message), SQLITE_OK)
            << sql.toStdString() << ": " << (message ? message : "");
        sqlite3_free(message);
    }

    static QString text(sqlite3* db, const char* sql) {
        sqlite3_stmt* statement = nullptr;
        QString value;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            value =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        }
        sqlite3_finalize(statement);
        return value;
    }

    // The numbers of the product classes in a database file, after checking its pages;
    // "damaged" when it is not sound.
    static QString classes(const QString& file) {
        sqlite3* db = open(file);
        QString numbers = text(db, "PRAGMA integrity_check") == "ok"
                              ? text(db,
                                     "SELECT coalesce(group_concat(Classify_No, ','), '') FROM "
                                     "(SELECT Classify_No FROM ClassifyMast_tbl ORDER BY 1)")
                              : QString("damaged");
        sqlite3_close_v2(db);
        return numbers;
    }

    static void addClass(sqlite3* db, const QString& number) {
        exec(db, "INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('" + number +
                     "', 'class " + number + "')");
    }

    void restoreEntry(int index) const {
        screen->OperationOption[1]->setChecked(true);
        screen->OperationOption_Click(1);
        clickCheck(index);
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
        screen->RestoreButton->click();
    }

    void importFrom(const QString& file) const {
        screen->OperationOption[1]->setChecked(true);
        forms::TestHook::queueDialogAnswer(file);
        screen->Import_File->click();
    }

    void exportTo(const QString& file) const {
        screen->OperationOption[0]->setChecked(true);
        forms::TestHook::queueDialogAnswer(file);
        screen->Export_File->click();
    }

    // A folder backup of the data folder's files with the database from database.
    void makeBackup(const QString& name, const QString& database) const {
        QDir().mkpath(backupFolder(name));
        QFile::copy(database, backupFolder(name) + "/morvik2.mde");
        for (const QString& book : kWorkbooks) {
            QFile::copy(dataFolder() + "/" + book, backupFolder(name) + "/" + book);
        }
    }

    QStringList dataFiles() const {
        QStringList files{databasePath()};
        for (const QString& book : kWorkbooks) {
            files << dataFolder() + "/" + book;
        }
        return files;
    }

    // The hidden entries of the backup root and the run folders of the data folder.
    QStringList workLeft() const {
        QStringList left;
        for (const QString& folder : {backupFolder(""), dataFolder()}) {
            for (const QString& name : QDir(folder).entryList(
                     QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
                if (name.startsWith('.')) {
                    left << name;
                }
            }
        }
        return left;
    }
};

TEST_F(WholeStateCopyTest, AFileWithAWriteAheadLogIsPutInPlaceInJournalModeAndBackedUpWhole) {
    // Made with a log: its header keeps that mode after the log is taken in at its close.
    const QString logged = path("logged/morvik2.mde");
    makeDatabase(logged);
    sqlite3* db = open(logged);
    ASSERT_EQ(text(db, "PRAGMA journal_mode = WAL"), "wal");
    addClass(db, "101");
    sqlite3_close_v2(db);
    ASSERT_TRUE(shell::zipFiles({logged}, path("logged.bak")));
    const struct {
        const char* name;
        std::function<void()> offer;
        QString done;
        QString classes;
    } cases[] = {
        {"as .mde", [&] { importFrom(logged); }, kImported, "101,102"},
        {"as .bak", [&] { importFrom(path("logged.bak")); }, kImported, "101,102"},
        {"as a folder backup",
         [&] {
             makeBackup("20240101000000", logged);
             restoreEntry(0);
         },
         kRestored, "101,102"},
        // Its last write is still in the log of the program that keeps it open.
        {"as .mde in use",
         [&] {
             sqlite3* user = open(logged);
             addClass(user, "103");
             ASSERT_GT(QFileInfo(logged + "-wal").size(), 0);
             importFrom(logged);
             sqlite3_close_v2(user);
         },
         kImported, "101,102,103"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        makeDataFolder();
        forms::TestHook::enable();
        c.offer();
        ASSERT_EQ(boxTexts().value(boxTexts().size() - 1), c.done);

        // A write while the program keeps its connection, then every kind of backup.
        sqlite3* writer = open(databasePath());
        EXPECT_EQ(text(writer, "PRAGMA journal_mode"), "delete");
        addClass(writer, "102");
        QDir(path("out")).removeRecursively();
        QDir().mkpath(path("out"));
        screen->OperationOption[0]->setChecked(true);
        screen->BackupButton->click();
        exportTo(path("out/copy.mde"));
        exportTo(path("out/copy.bak"));
        sqlite3_close_v2(writer);
        EXPECT_EQ(boxTexts().mid(boxTexts().size() - 3),
                  QStringList({"データのバックアップを完了しました。",
                               "バックアップを完了しました。", "バックアップを完了しました。"}));
        EXPECT_FALSE(QFile::exists(databasePath() + "-wal"));
        ASSERT_TRUE(shell::unzipFiles(path("out/copy.bak"), path("out")));
        for (const QString& copy : {backupFolder("20240305091502/morvik2.mde"),
                                    path("out/copy.mde"), path("out/morvik2.mde")}) {
            SCOPED_TRACE(copy.toStdString());
            EXPECT_EQ(classes(copy), c.classes);
        }
    }
}

TEST_F(WholeStateCopyTest, TheAutomaticCopyAfterAnInterruptedWriteHoldsTheDataFromBefore) {
    makeBackup("20240101000000", databasePath());
    sqlite3* db = open(databasePath());
    exec(db, "BEGIN");
    for (int i = 0; i < 200; ++i) {
        addClass(db, QString::number(100 + i));
    }
    exec(db, "COMMIT");
    sqlite3_close_v2(db);
    const QString expected = classes(databasePath());
    const QByteArray before = read(databasePath());
    // A transaction that changes the pages already there spills some of them into the
    // file before it is killed.
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        sqlite3* writer = open(databasePath());
        exec(writer, "PRAGMA cache_size = 1");
        exec(writer, "BEGIN");
        exec(writer, "UPDATE ClassifyMast_tbl SET Classify_Name = Classify_Name || '" +
                         QString(1500, QChar('y')) + "'");
        exec(writer, "DELETE FROM ClassifyMast_tbl WHERE Classify_No > '250'");
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_GT(QFileInfo(databasePath() + "-journal").size(), 0);
    ASSERT_NE(read(databasePath()), before);

    restoreEntry(0);
    ASSERT_EQ(boxTexts().value(boxTexts().size() - 1), kRestored);
    const QString copy = backupFolder("20240305091502-auto/morvik2.mde");
    EXPECT_EQ(classes(copy), expected);
    sqlite3* kept = open(copy);
    EXPECT_EQ(text(kept, "SELECT max(length(Classify_Name)) FROM ClassifyMast_tbl"), "9");
    sqlite3_close_v2(kept);
    EXPECT_EQ(QDir(backupFolder("20240305091502-auto")).entryList({"*-journal", "*-wal"}),
              QStringList());
    EXPECT_EQ(classes(databasePath()), "");
}

TEST_F(WholeStateCopyTest, ACopyWhoseRemovalFailsIsNeverListedAndGoesAtTheNextStart) {
    const struct {
        const char* name;
        QString removed;
        std::function<void()> remove;
        QStringList listed;
    } cases[] = {
        {"an older automatic copy during a restore",
         "20230101000000-auto",
         [&] { restoreEntry(1); },
         {"20240101000000", "20240305091502-auto"}},
        {"a deleted backup",
         "20230101000000",
         [&] { EXPECT_TRUE(BackupRoot(dataFolder()).remove("20230101000000")); },
         {"20240101000000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(backupFolder("")).removeRecursively();
        makeBackup("20240101000000", databasePath());
        makeBackup(c.removed, databasePath());
        // A folder whose file cannot be unlinked stops the removal part way.
        write(backupFolder(c.removed) + "/stuck/file", "locked");
        if (!makeUnwritable(backupFolder(c.removed) + "/stuck")) {
            GTEST_SKIP() << "no unwritable folders here";
        }
        c.remove();
        const QStringList listed = BackupRoot(dataFolder()).names();
        const QStringList left = workLeft();
        for (const QString& name : left) {
            makeWritable(backupFolder(name) + "/stuck");
        }
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(left.size(), 2) << left.join(' ').toStdString();  // the copy and its run

        DataRecovery::Recover(dataFolder());
        EXPECT_EQ(workLeft(), QStringList());
        EXPECT_EQ(BackupRoot(dataFolder()).names(), c.listed);
    }
}

TEST_F(WholeStateCopyTest, ARestoreWorksAndTellsTheTruthWithAReadOnlyRootOrALinkToNothing) {
    const QString root = backupFolder("").chopped(1);
    const QString restored = path("restored.mde");
    makeChangedDatabase(restored);
    const QString newLayout = "layout from the backup";
    const struct {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> offer;
        QString message;
        QStringList listed;
    } cases[] = {
        {"a read-only root, folder restore",
         [&] { makeUnwritable(root); },
         [&] { restoreEntry(0); },
         kRestored + kNoCopyKept,
         {"20240101000000"}},
        {"a read-only root, import",
         [&] { makeUnwritable(root); },
         [&] { importFrom(restored); },
         kImported + kNoCopyKept,
         {"20240101000000"}},
        {"the database a link to nothing",
         [&] {
             QFile::remove(databasePath());
             QFile::link(path("gone/morvik2.mde"), databasePath());
         },
         [&] { restoreEntry(0); },
         kRestored,
         {"20240101000000"}},
        {"a workbook a link to nothing",
         [&] {
             QFile::remove(dataFolder() + "/syouhin.xlsx");
             QFile::link(path("gone/syouhin.xlsx"), dataFolder() + "/syouhin.xlsx");
         },
         [&] { restoreEntry(0); },
         kRestored,
         {"20240101000000", "20240305091502-auto"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        makeDataFolder();
        makeBackup("20240101000000", restored);
        write(backupFolder("20240101000000/syouhin.xlsx"), newLayout.toUtf8());
        forms::TestHook::enable();
        c.prepare();
        c.offer();
        makeWritable(root);
        EXPECT_EQ(boxTexts().value(boxTexts().size() - 1), c.message);
        EXPECT_EQ(read(databasePath()), read(restored));
        EXPECT_FALSE(QFileInfo(databasePath()).isSymLink());
        EXPECT_EQ(BackupRoot(dataFolder()).names(), c.listed);
        EXPECT_EQ(workLeft(), QStringList());
    }
    EXPECT_FALSE(QFileInfo(dataFolder() + "/syouhin.xlsx").isSymLink());
    EXPECT_EQ(read(dataFolder() + "/syouhin.xlsx"), newLayout.toUtf8());
    EXPECT_FALSE(QFile::exists(path("gone")));
}

TEST_F(WholeStateCopyTest, ABackupWithoutSettingsRowsIsRestored) {
    const QString empty = path("empty/morvik2.mde");
    makeDatabase(empty, {"DELETE FROM basic_tbl"});
    makeBackup("20240101000000", empty);
    restoreEntry(0);
    EXPECT_EQ(boxTexts().value(boxTexts().size() - 1), kRestored);
    EXPECT_EQ(read(databasePath()), read(empty));

    makeDataFolder();
    importFrom(empty);
    EXPECT_EQ(boxTexts().value(boxTexts().size() - 1), kImported);
    EXPECT_EQ(read(databasePath()), read(empty));
}

TEST_F(WholeStateCopyTest, AnExportOntoALinkWritesTheFileItPointsTo) {
    for (const char* name : {"copy.mde", "copy.bak"}) {
        SCOPED_TRACE(name);
        const QString target = path(QString("target/") + name);
        const QString link = path(QString("out/") + name);
        write(target, "an older backup");
        QDir().mkpath(path("out"));
        ASSERT_TRUE(QFile::link(target, link));
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);  // the dialog asks to replace it
        exportTo(link);
        EXPECT_EQ(boxTexts().value(boxTexts().size() - 1), "バックアップを完了しました。");
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
        EXPECT_NE(read(target), "an older backup");
    }
    EXPECT_EQ(read(path("target/copy.mde")), read(databasePath()));
    EXPECT_EQ(
        QDir(path("target")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList({"copy.bak", "copy.mde"}));
}

}  // namespace
