#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "ScreenFixture.h"
#include "core/MainModule.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Clock.h"

namespace {

const QString kFirstEntry = "2024年03月05日 09時15分02秒 にバックアップされたデータ";
const QString kNoBackups = "バックアップされたデータはありません｡";

class RestoreScreenTest : public ScreenFixture {
  protected:
    // A backup folder written by hand from the data files, then changed by prepare.
    void makeBackup(const QString& name, const std::function<void(const QString&)>& prepare) {
        const QString folder = backupFolder(name);
        QDir().mkpath(folder);
        QFile::copy(databasePath(), folder + "/morvik2.mde");
        for (const QString& book : kWorkbooks) {
            QFile::copy(dataFolder() + "/" + book, folder + "/" + book);
        }
        prepare(folder);
    }

    void restoreEntry(int index, int answer = forms::vbYes) {
        screen->OperationOption[1]->setChecked(true);
        screen->OperationOption_Click(1);
        clickCheck(index);
        forms::TestHook::queueMsgBoxAnswer(answer);
        screen->RestoreButton->click();
    }
};

TEST_F(RestoreScreenTest, OpensInBackupModeWithItsControls) {
    EXPECT_EQ(screen->Caption(), " データバックアップ");
    EXPECT_EQ(screen->size(), QSize(453, 447));
    EXPECT_TRUE(screen->OperationOption[0]->isChecked());
    const struct {
        QAbstractButton* control;
        QString caption;
        QRect pixels;
    } controls[] = {
        {screen->OperationOption[0], "バックアップ", {8, 8, 101, 29}},
        {screen->OperationOption[1], "データの復元", {112, 8, 101, 29}},
        {screen->DeleteButton, "バックアップデータの削除", {292, 12, 145, 29}},
        {screen->Export_File, "外部へバックアップ", {292, 304, 145, 29}},
        {screen->Import_File, "外部から取り込み", {292, 304, 145, 29}},
        {screen->BackupButton, "バックアップ開始", {176, 396, 125, 37}},
        {screen->RestoreButton, "復元開始", {176, 396, 125, 37}},
        {screen->CloseButton, "戻る", {320, 396, 125, 37}},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(c.control->text(), c.caption);
        EXPECT_EQ(c.control->geometry(), c.pixels) << c.caption.toStdString();
    }
    EXPECT_EQ(screen->BackupList->geometry(), QRect(4, 48, 437, 244));
    EXPECT_EQ(screen->MsgText->geometry(), QRect(4, 48, 437, 245));
    EXPECT_EQ(screen->BackupList->parentWidget(), screen->Frame1);
}

TEST_F(RestoreScreenTest, EachModeShowsItsOwnButtonsAndTheList) {
    for (const bool backups : {false, true}) {
        if (backups) {
            QDir().mkpath(backupFolder("20240101000000"));
        }
        for (const int mode : {1, 0}) {
            SCOPED_TRACE((backups ? "with backups, mode " : "without backups, mode ") +
                         std::to_string(mode));
            screen->OperationOption[mode]->setChecked(true);
            const bool backupMode = mode == 0;
            EXPECT_EQ(screen->MsgLabel->text(),
                      backupMode ? "バックアップデータされたデータ"
                                 : "復元するバックアップデータを選択してください。");
            EXPECT_EQ(screen->BackupButton->isHidden(), !backupMode);
            EXPECT_EQ(screen->Export_File->isHidden(), !backupMode);
            EXPECT_EQ(screen->RestoreButton->isHidden(), backupMode);
            EXPECT_EQ(screen->Import_File->isHidden(), backupMode);
            EXPECT_FALSE(screen->RestoreButton->isEnabled());
            EXPECT_FALSE(screen->DeleteButton->isEnabled());
            EXPECT_EQ(screen->BackupList->isHidden(), !backups);
            EXPECT_EQ(screen->MsgText->isHidden(), backups);
            if (!backups) {
                EXPECT_EQ(screen->MsgText->toPlainText(), kNoBackups);
            }
        }
    }
}

TEST_F(RestoreScreenTest, OnlyOneEntryCarriesACheck) {
    QDir().mkpath(backupFolder("20240101000000"));
    QDir().mkpath(backupFolder("20240201000000"));
    screen->OperationOption[1]->setChecked(true);
    const auto checks = [&] {
        std::vector<bool> checked;
        for (int i = 0; i < screen->BackupList->count(); ++i) {
            checked.push_back(screen->BackupList->item(i)->checkState() == Qt::Checked);
        }
        return checked;
    };
    EXPECT_EQ(checks(), (std::vector<bool>{false, false}));

    clickCheck(0);
    EXPECT_EQ(checks(), (std::vector<bool>{true, false}));
    EXPECT_TRUE(screen->RestoreButton->isEnabled());
    EXPECT_TRUE(screen->DeleteButton->isEnabled());
    clickCheck(1);
    EXPECT_EQ(checks(), (std::vector<bool>{false, true}));
    clickCheck(1);  // the checked entry stays checked
    EXPECT_EQ(checks(), (std::vector<bool>{false, true}));

    screen->OperationOption[0]->setChecked(true);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false}));
    EXPECT_FALSE(screen->DeleteButton->isEnabled());
}

TEST_F(RestoreScreenTest, BacksUpListsAndRestoresByteForByte) {
    makeChangedDatabase(databasePath());
    const auto backedUp = dataFiles();
    screen->BackupButton->click();
    ASSERT_EQ(boxTexts(), QStringList{"データのバックアップを完了しました。"});
    EXPECT_EQ(lastBox().style, 64);
    EXPECT_EQ(lastBox().title, "データのバックアップ");
    EXPECT_EQ(entries(), QStringList{kFirstEntry});
    EXPECT_FALSE(screen->BackupList->isHidden());

    makeDatabase(databasePath());
    write(dataFolder() + "/zaiko.xlsx", "edited since");
    MainModule::TradeFigure = 0;
    MainModule::HasClassifications = false;
    vb::setClock(vb::Date::fromYmdHms(2024, 3, 5, 10, 0, 0));
    restoreEntry(0);

    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 3u) << boxTexts().join('|').toStdString();
    const forms::TestHook::MsgBoxShown question = forms::TestHook::msgBoxes()[1];
    EXPECT_EQ(question.text, "[" + kFirstEntry + "] を復元します。\r\nよろしいですか？");
    EXPECT_EQ(question.style, 36);
    EXPECT_EQ(question.title, "データの復元");
    EXPECT_EQ(lastBox().text, "データの復元を完了しました。");
    EXPECT_EQ(lastBox().style, 64);
    EXPECT_EQ(dataFiles(), backedUp);
    // The settings record is the restored database's.
    EXPECT_EQ(MainModule::TradeFigure, 2);
    EXPECT_TRUE(MainModule::HasClassifications);
    // The replaced files stay as the automatic copy; the list is rebuilt unchecked.
    EXPECT_EQ(entries(),
              QStringList(
                  {kFirstEntry, "2024年03月05日 10時00分00秒 に復元前の状態を自動保存したデータ"}));
    EXPECT_EQ(read(backupFolder("20240305100000-auto/zaiko.xlsx")), "edited since");
    EXPECT_FALSE(screen->RestoreButton->isEnabled());
    EXPECT_FALSE(screen->RestoreButton->isHidden());
}

TEST_F(RestoreScreenTest, ARestoreLeavesNoEngineSideFilesNextToTheDatabase) {
    makeBackup("20240101000000", [](const QString& folder) {
        write(folder + "/morvik2.mde-wal", "log kept with the backup");
    });
    write(databasePath() + "-journal", "journal of the old database");
    write(databasePath() + "-shm", "shared memory of the old database");
    restoreEntry(0);
    EXPECT_EQ(lastBox().text, "データの復元を完了しました。");
    for (const char* side : {"-journal", "-wal", "-shm"}) {
        EXPECT_FALSE(QFile::exists(databasePath() + side)) << side;
    }
}

TEST_F(RestoreScreenTest, AFailedRestoreLeavesTheDataFolderAsItWas) {
    const struct {
        const char* name;
        std::function<void(const QString&)> prepare;
    } cases[] = {
        {"no database", [](const QString& f) { QFile::remove(f + "/morvik2.mde"); }},
        {"a folder in the database's place",
         [](const QString& f) {
             QFile::remove(f + "/morvik2.mde");
             QDir().mkpath(f + "/morvik2.mde");
         }},
        {"not a database", [](const QString& f) { write(f + "/morvik2.mde", "random bytes"); }},
        {"another password",
         [](const QString& f) { makeDatabase(f + "/morvik2.mde", {}, "OTHERPASS01"); }},
        {"a table missing",
         [](const QString& f) { makeDatabase(f + "/morvik2.mde", {"DROP TABLE FixDeta_tbl"}); }},
        {"a sub-folder", [](const QString& f) { QDir().mkpath(f + "/sub"); }},
        // Root reads any file; there a link stands in, which a restore must not take either.
        {"unreadable database",
         [](const QString& f) {
             if (geteuid() != 0) {
                 QFile::setPermissions(f + "/morvik2.mde", {});
             } else {
                 QFile::link(f + "/nowhere", f + "/morvik2.mde.lnk");
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        forms::TestHook::enable();
        QDir(backupFolder("")).removeRecursively();
        makeBackup("20240101000000", c.prepare);
        const auto before = snapshot(dataFolder());
        restoreEntry(0);
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 2u) << boxTexts().join('|').toStdString();
        EXPECT_EQ(lastBox().text, "データの復元に失敗しました。");
        EXPECT_EQ(lastBox().style, 16);
        EXPECT_EQ(lastBox().title, "データの復元");
        EXPECT_EQ(snapshot(dataFolder()), before);
    }
}

// backup.ini lies in the program folder: this test runs again as a copy of the program in
// a folder without it.
TEST_F(RestoreScreenTest, AFolderRestoreWorksWithoutBackupIni) {
    const QString name = "RestoreScreenTest.AFolderRestoreWorksWithoutBackupIni";
    if (QFile::exists(forms::App::Path() + "/backup.ini")) {
        const QString copy = path("program/backup_test");
        QDir().mkpath(path("program"));
        const QByteArray from = QFile::encodeName(QCoreApplication::applicationFilePath());
        ASSERT_TRUE(::link(from.constData(), QFile::encodeName(copy).constData()) == 0 ||
                    QFile::copy(QCoreApplication::applicationFilePath(), copy));
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(copy, {"--gtest_filter=" + name});
        ASSERT_TRUE(run.waitForFinished(120000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), 0);
        return;
    }
    makeBackup("20240101000000", [](const QString& folder) {
        makeChangedDatabase(folder + "/morvik2.mde");
        write(folder + "/zaiko.xlsx", "restored");
        write(folder + "/notes.txt", "a file backup.ini does not name");
    });
    const auto backedUp = snapshot(backupFolder("20240101000000"));
    restoreEntry(0);
    EXPECT_EQ(lastBox().text, "データの復元を完了しました。");
    for (const auto& [file, bytes] : backedUp) {
        EXPECT_EQ(read(dataFolder() + "/" + file), bytes) << file.toStdString();
    }
}

TEST_F(RestoreScreenTest, AnEntryThatIsNoFolderOrIsDeclinedIsNotRestored) {
    write(backupFolder("notes.txt"), "placed by hand");
    screen->OperationOption[1]->setChecked(true);
    EXPECT_EQ(entries(), QStringList{"note年s.月tx日 t時分秒 にバックアップされたデータ"});
    const auto before = snapshot(dataFolder());
    restoreEntry(0);
    EXPECT_EQ(lastBox().text, "データの復元に失敗しました。");
    EXPECT_EQ(snapshot(dataFolder()), before);

    makeBackup("20240101000000", [](const QString&) {});
    makeChangedDatabase(databasePath());
    const auto changed = snapshot(dataFolder());
    forms::TestHook::enable();
    restoreEntry(0, forms::vbNo);
    EXPECT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(snapshot(dataFolder()), changed);
}

TEST_F(RestoreScreenTest, ARestoreThatDoesNotFitIsRefused) {
    bool sparse = false;
    makeBackup("20240101000000", [&](const QString& folder) {
        QFile big(folder + "/zaiko.xlsx");
        sparse = big.open(QIODevice::WriteOnly) && big.resize(qint64{8} << 40);
    });
    if (!sparse) {
        GTEST_SKIP() << "no sparse files here";
    }
    const auto data = dataFiles();
    restoreEntry(0);
    EXPECT_TRUE(lastBox().text.startsWith("空き容量が不足しています。\r\n復元には "));
    EXPECT_TRUE(lastBox().text.endsWith(" KB 必要です。"));
    EXPECT_EQ(lastBox().style, 48);
    EXPECT_EQ(dataFiles(), data);
    EXPECT_EQ(QDir(backupFolder("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"20240101000000"});
}

TEST_F(RestoreScreenTest, AFailedBackupIsReportedAndListsNothing) {
    QFile::remove(dataFolder() + "/uriage.xlsx");
    const auto before = snapshot(dataFolder());
    screen->BackupButton->click();
    ASSERT_EQ(boxTexts(), QStringList{"データのバックアップに失敗しました。"});
    EXPECT_EQ(lastBox().style, 16);
    EXPECT_EQ(lastBox().title, "データのバックアップ");
    EXPECT_EQ(snapshot(dataFolder()), before);
    EXPECT_EQ(screen->MsgText->toPlainText(), kNoBackups);
}

TEST_F(RestoreScreenTest, DeletesTheCheckedBackupWhenConfirmed) {
    QDir().mkpath(backupFolder("20240101000000"));
    write(backupFolder("20240201000000/morvik2.mde"), "db");
    screen->OperationOption[1]->setChecked(true);
    screen->OperationOption[0]->setChecked(true);
    clickCheck(1);
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen->DeleteButton->click();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(lastBox().text,
              "[2024年02月01日 00時00分00秒 にバックアップされたデータ] "
              "を削除します。\r\nよろしいですか？");
    EXPECT_EQ(lastBox().style, 36);
    EXPECT_EQ(lastBox().title, "データバックアップ");
    EXPECT_EQ(entries().size(), 2);

    clickCheck(1);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen->DeleteButton->click();
    EXPECT_EQ(entries(), QStringList{"2024年01月01日 00時00分00秒 にバックアップされたデータ"});
    EXPECT_FALSE(screen->DeleteButton->isEnabled());
    EXPECT_FALSE(screen->BackupButton->isHidden());  // rebuilt in backup mode

    screen->OperationOption[1]->setChecked(true);
    clickCheck(0);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen->DeleteButton->click();
    EXPECT_TRUE(screen->BackupList->isHidden());
    EXPECT_EQ(screen->MsgText->toPlainText(), kNoBackups);
    EXPECT_FALSE(screen->RestoreButton->isHidden());  // rebuilt in restore mode
    EXPECT_TRUE(QDir(backupFolder("")).exists());
    EXPECT_TRUE(QFile::exists(databasePath()));
}

TEST_F(RestoreScreenTest, AFailedDeletionIsReported) {
    QDir().mkpath(backupFolder("20240101000000"));
    if (!makeUnwritable(backupFolder(""))) {
        return;
    }
    screen->OperationOption[1]->setChecked(true);
    clickCheck(0);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen->DeleteButton->click();
    makeWritable(backupFolder(""));
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 2u);
    EXPECT_EQ(lastBox().text, "バックアップデータの削除に失敗しました。");
    EXPECT_EQ(lastBox().style, 16);
    EXPECT_EQ(lastBox().title, "データバックアップ");
    EXPECT_EQ(entries(), QStringList{"2024年01月01日 00時00分00秒 にバックアップされたデータ"});
    EXPECT_TRUE(QDir(dataFolder()).entryList({".work-*"}, QDir::Dirs | QDir::Hidden).isEmpty());
}

TEST_F(RestoreScreenTest, AClickWhileBusyDoesNothing) {
    screen->SetMousePointer(forms::vbHourglass);
    const auto before = snapshot(dataFolder());
    screen->BackupButton_Click();
    screen->DeleteButton_Click();
    screen->Export_File_Click();
    screen->Import_File_Click();
    screen->CloseButton_Click();
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_TRUE(forms::TestHook::dialogs().empty());
    EXPECT_EQ(snapshot(dataFolder()), before);
    EXPECT_TRUE(screen->Loaded());
}

TEST_F(RestoreScreenTest, TheCloseButtonUnloadsTheScreen) {
    screen->CloseButton->click();
    ASSERT_TRUE(screen);
    EXPECT_FALSE(screen->Loaded());
    EXPECT_EQ(screen->MousePointer(), forms::vbHourglass);
}

}  // namespace
