// Backups whose database is damaged or foreign: the import of a backup file (a plain
// ".mde" copy or a ".bak" archive) and the restore of a backup folder refuse each one,
// never crash, and leave the data folder as it was; a check that runs out of time is told
// as such.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "ScreenFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "platform/shell/ZipArchive.h"
#include "tests/support/CheckTimeLimit.h"
#include "tests/support/CraftedDatabases.h"

namespace {

class CraftedBackupTest : public ScreenFixture {
  protected:
    using Maker = QString (*)(const QString& path, const QString& password);

    // The crafted database in folder, named as the shipped one.
    QString crafted(Maker make, const QString& folder) const {
        QDir().mkpath(folder);
        const QString file = folder + "/morvik2.mde";
        const QString made = make(file, kPassword);
        EXPECT_TRUE(made.isEmpty()) << made.toStdString();
        return file;
    }

    void expectOneRefusal(const QString& text, int style, const QString& title) const {
        ASSERT_FALSE(forms::TestHook::msgBoxes().empty());
        EXPECT_EQ(lastBox().text, text);
        EXPECT_EQ(lastBox().style, style);
        EXPECT_EQ(lastBox().title, title);
    }

    // Imports the database file, then an archive of it: each refused with text, the data
    // folder left as it was.
    void expectImportRefused(const QString& database, const QString& text) const {
        const QString archive = path("crafted.bak");
        QFile::remove(archive);
        ASSERT_TRUE(shell::zipFiles({database}, archive));
        for (const QString& file : {database, archive}) {
            SCOPED_TRACE(file.toStdString());
            const auto before = snapshot(dataFolder());
            forms::TestHook::enable();
            screen->OperationOption[1]->setChecked(true);
            forms::TestHook::queueDialogAnswer(file);
            screen->Import_File->click();
            EXPECT_EQ(forms::TestHook::msgBoxes().size(), 1u);
            expectOneRefusal(text, 16, "データの復元");
            EXPECT_EQ(snapshot(dataFolder()), before);
        }
    }

    // Restores the one backup folder: refused with text, the data folder left as it was.
    void expectRestoreRefused(const QString& text) const {
        const auto before = snapshot(dataFolder());
        forms::TestHook::enable();
        screen->OperationOption[1]->setChecked(true);
        clickCheck(0);
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
        screen->RestoreButton->click();
        EXPECT_EQ(forms::TestHook::msgBoxes().size(), 2u);
        expectOneRefusal(text, 16, "データの復元");
        EXPECT_EQ(snapshot(dataFolder()), before);
    }
};

TEST_F(CraftedBackupTest, AnImportedBackupFileWithACraftedDatabaseIsRefused) {
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        SCOPED_TRACE(c.name);
        expectImportRefused(crafted(c.make, path("crafted")),
                            "指定のデータファイルは、システム規定のデータファイルではありません。");
    }
}

TEST_F(CraftedBackupTest, ABackupFolderWithACraftedDatabaseIsNotRestored) {
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        SCOPED_TRACE(c.name);
        QDir(backupFolder("")).removeRecursively();
        crafted(c.make, backupFolder("20240101000000"));
        expectRestoreRefused("データの復元に失敗しました。");
    }
}

// Sound files with what the system never makes, an unknown stamp or settings start-up
// refuses: refused quickly, nothing they define run, keyed and plain alike.
TEST_F(CraftedBackupTest, ABackupFromOutsideThatStartUpCouldNotUseIsRefusedInBoundedTime) {
    for (const CraftedDatabases::Case& c : CraftedDatabases::outside()) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        QDir(backupFolder("")).removeRecursively();
        crafted(c.make, backupFolder("20240101000000"));
        screen->OperationOption[0]->setChecked(true);
        expectRestoreRefused("データの復元に失敗しました。");
        expectImportRefused(crafted(c.make, path("outside")),
                            "指定のデータファイルは、システム規定のデータファイルではありません。");
        for (const QString& password : {kPassword, QString()}) {
            MainModule::DBPassword = password;
            QDir().mkpath(path("plain"));
            const QString made = c.make(path("plain/morvik2.mde"), password);
            ASSERT_TRUE(made.isEmpty()) << made.toStdString();
            EXPECT_LT(screen->CheckDataFile(path("plain"), "morvik2.mde"), 0);
        }
        MainModule::DBPassword = kPassword;
        EXPECT_LT(timer.elapsed(), 20000);
    }
}

// A backup made by a newer release is sound: the user is told to restore it there, not
// that it is not the system's.
TEST_F(CraftedBackupTest, ABackupOfANewerReleaseIsRefusedAsSuch) {
    const QString newer =
        "指定のバックアップデータは新しい版のプログラムで作られているため、この版では復元できま"
        "せん。\r\n新しい版のプログラムで復元してください。";
    crafted(CraftedDatabases::withNewerFormat, backupFolder("20240101000000"));
    expectRestoreRefused(newer);
    expectImportRefused(crafted(CraftedDatabases::withNewerFormat, path("newer")), newer);
}

// A sound backup whose check runs out of time is not called foreign or new: the user is
// told to try again, the data folder stays as it was, and with time it is restored.
TEST_F(CraftedBackupTest, ABackupWhoseCheckRunsOutOfTimeIsToldSo) {
    const QString folder = backupFolder("20240101000000");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(databasePath(), folder + "/morvik2.mde"));
    ASSERT_TRUE(QDir().mkpath(path("sound")));
    ASSERT_TRUE(QFile::copy(databasePath(), path("sound/morvik2.mde")));
    {
        const CheckTimeLimit limit(0);
        const QString timedOut =
            "バックアップデータの確認が時間内に終わりませんでした。\r\n"
            "しばらくしてから、もう一度実行してください。";
        expectRestoreRefused(timedOut);
        expectImportRefused(path("sound/morvik2.mde"), timedOut);
    }
    forms::TestHook::enable();
    screen->OperationOption[1]->setChecked(true);
    clickCheck(0);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen->RestoreButton->click();
    ASSERT_FALSE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(lastBox().text, "データの復元を完了しました。");
}

TEST_F(CraftedBackupTest, DamageInATableTheChecksDoNotCountIsFoundAsWell) {
    // The counts of the check read no page of the daily rows' table itself.
    for (const QString& password : {kPassword, QString()}) {
        SCOPED_TRACE(password.isEmpty() ? "plain" : "keyed");
        MainModule::DBPassword = password;
        const QString file = path("damaged/morvik2.mde");
        QDir().mkpath(path("damaged"));
        const QString made = CraftedDatabases::withFlippedPage(file, password, "Management_Tbl");
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        EXPECT_EQ(screen->CheckDataFile(path("damaged"), "morvik2.mde"), -1000);
    }
}

}  // namespace
