// Backups whose database is damaged or foreign: the import of a backup file (a plain
// ".mde" copy or a ".bak" archive) and the restore of a backup folder refuse each one,
// never crash, and leave the data folder as it was.

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "ScreenFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "platform/shell/ZipArchive.h"
#include "tests/support/CraftedDatabases.h"

namespace {

class CraftedBackupTest : public ScreenFixture {
  protected:
    // The crafted database at path, named as the shipped one.
    QString crafted(const CraftedDatabases::Case& c, const QString& folder) const {
        QDir().mkpath(folder);
        const QString file = folder + "/morvik2.mde";
        const QString made = c.make(file, kPassword);
        EXPECT_TRUE(made.isEmpty()) << made.toStdString();
        return file;
    }

    void expectOneRefusal(const QString& text, int style, const QString& title) const {
        ASSERT_FALSE(forms::TestHook::msgBoxes().empty());
        EXPECT_EQ(lastBox().text, text);
        EXPECT_EQ(lastBox().style, style);
        EXPECT_EQ(lastBox().title, title);
    }
};

TEST_F(CraftedBackupTest, AnImportedBackupFileWithACraftedDatabaseIsRefused) {
    const QString notOurs = "指定のデータファイルは、システム規定のデータファイルではありません。";
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        const QString database = crafted(c, path("crafted"));
        const QString archive = path("crafted.bak");
        QFile::remove(archive);
        ASSERT_TRUE(shell::zipFiles({database}, archive));
        for (const QString& file : {database, archive}) {
            SCOPED_TRACE(std::string(c.name) + ", " + file.toStdString());
            const auto before = snapshot(dataFolder());
            forms::TestHook::enable();
            screen->OperationOption[1]->setChecked(true);
            forms::TestHook::queueDialogAnswer(file);
            screen->Import_File->click();
            EXPECT_EQ(forms::TestHook::msgBoxes().size(), 1u);
            expectOneRefusal(notOurs, 16, "データの復元");
            EXPECT_EQ(snapshot(dataFolder()), before);
        }
    }
}

TEST_F(CraftedBackupTest, ABackupFolderWithACraftedDatabaseIsNotRestored) {
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        SCOPED_TRACE(c.name);
        QDir(backupFolder("")).removeRecursively();
        crafted(c, backupFolder("20240101000000"));
        const auto before = snapshot(dataFolder());
        forms::TestHook::enable();
        screen->OperationOption[1]->setChecked(true);
        clickCheck(0);
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
        screen->RestoreButton->click();
        EXPECT_EQ(forms::TestHook::msgBoxes().size(), 2u);
        expectOneRefusal("データの復元に失敗しました。", 16, "データの復元");
        EXPECT_EQ(snapshot(dataFolder()), before);
    }
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
