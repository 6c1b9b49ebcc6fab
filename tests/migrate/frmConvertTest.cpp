#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "backup/DataRecovery.h"
#include "core/AccessADOClass.h"
#include "core/XXCommonFunctions.h"
#include "migrate/frmConvert.h"
#include "migrate/modConvert.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/jet/Connection.h"
#include "platform/shell/DurableFiles.h"
#include "tests/support/CheckTimeLimit.h"
#include "tests/support/CraftedDatabases.h"
#include "tests/support/TestDatabase.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void run(const QString& path, const QString& password, const QString& sql) {
    jet::Connection connection;
    ASSERT_FALSE(connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
                                 ";Jet OLEDB:Database Password=" + password + ";"));
    ASSERT_FALSE(connection.execute(sql)) << sql.toStdString();
}

// The new database in the data folder under a temporary XDG data home, earlier
// installations under a temporary program files folder, message boxes scripted.
class frmConvertTest : public ::testing::Test {
  protected:
    void SetUp() override {
        forms::TestHook::enable();
        savedData_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", homes_.path().toLocal8Bit());
        qputenv("PROGRAMFILES", programs_.path().toLocal8Bit());
        ASSERT_TRUE(QDir().mkpath(newFolder()));
        ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), newDatabase()));
        QFile(newDatabase()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        DetaCheck_Set::DBPassword = TestDatabase::password();
    }
    void TearDown() override {
        form_.reset();
        forms::TestHook::disable();
        qunsetenv("PROGRAMFILES");
        if (savedData_.isEmpty()) {
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_DATA_HOME", savedData_);
        }
    }

    QString newFolder() const { return homes_.path() + "/Kelvarn/Sales/Ver2"; }
    QString newDatabase() const { return newFolder() + "/morvik2.mde"; }
    // Points a wrapper at the new installation's database.
    void configureNew(AccessADOClass& access) const {
        access.DBName("morvik2.mde");
        access.DBPath(newFolder());
        access.Password(TestDatabase::password());
    }
    // An earlier installation of version 1.0.<n> with one class and one product.
    QString install(int n, const QString& tradeNo = "0012") const {
        const QString folder = programs_.path() + "/Kelvarn/Sales" + QString::number(n);
        EXPECT_TRUE(QDir().mkpath(folder));
        writeFile(folder + "/morvik.exe", "program");
        writeFile(folder + "/version.ini",
                  "[Version]\r\nProductName=モルビク\r\nProductVersion=1.0." +
                      QByteArray::number(n) + "\r\n");
        writeFile(folder + "/backup.ini", "[BackupFile]\r\nFile1=morvik.mdb\r\n");
        EXPECT_TRUE(
            QFile::copy(TestDatabase::stageFolder() + "/morvik2.mdb", folder + "/morvik.mdb"));
        QFile(folder + "/morvik.mdb").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        run(folder + "/morvik.mdb", "",
            "INSERT INTO ClassifyMast_tbl (Classify_No , Classify_Name) VALUES ('001' , 'A')");
        run(folder + "/morvik.mdb", "",
            "INSERT INTO Management_Tbl (Input_Date , Classify_No , Trade_No , Cost_Quantity , "
            "Unit_Price , Cost_Money , Sales_Quantity , Sales_Money) VALUES (#2024/9/3# , '001' "
            ", '" +
                tradeNo + "' , 3 , 80 , 0 , 2 , 300)");
        return folder;
    }
    frmConvert& open() {
        form_ = std::make_unique<frmConvert>();
        form_->SetDeleteOnUnload(false);
        form_->Show();
        return *form_;
    }

    // Opens the wizard, chooses the first installation of the list and starts.
    frmConvert& runFirstInstallation() {
        frmConvert& form = open();
        form.NextButton_Click();
        form.Form_MouseDown(1, 0, 1000, 2200);
        form.NextButton_Click();
        form.EndButton_Click();
        return form;
    }

    QTemporaryDir homes_;
    QTemporaryDir programs_;
    std::unique_ptr<frmConvert> form_;

  private:
    QByteArray savedData_;
};

TEST_F(frmConvertTest, OnlyExactlyInstallStartsTheWizard) {
    for (const char* line : {"/install reset", "", "/debug"}) {
        forms::TestHook::enable();
        modConvert::Main(line);
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u) << line;
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
                  "データの移行はシステムのインストール時のみ可能です。");
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbCritical);
        EXPECT_EQ(forms::TestHook::ends().size(), 1u);
    }
}

TEST_F(frmConvertTest, ChoosingAnInstallationAndRunningMovesTheData) {
    install(1);
    frmConvert& form = open();
    EXPECT_EQ(form.Caption(), "モルビク - データコンバート(1 / 4)");
    EXPECT_FALSE(form.BeforeButton->isEnabled());
    EXPECT_FALSE(form.EndButton->isEnabled());
    form.NextButton_Click();
    ASSERT_EQ(form.Step(), 1);
    EXPECT_FALSE(form.NextButton->isEnabled());
    EXPECT_TRUE(form.CmdVScroll->isVisible());
    EXPECT_FALSE(form.CmdVScroll->isEnabled());

    form.Form_MouseDown(1, 0, 1000, 2700);  // between two rows
    EXPECT_EQ(form.SelectedIndex(), -1);
    form.Form_MouseDown(1, 0, 1000, 2200);
    EXPECT_EQ(form.SelectedIndex(), 0);
    EXPECT_TRUE(form.NextButton->isEnabled());
    form.NextButton_Click();
    ASSERT_EQ(form.Step(), 2);
    EXPECT_TRUE(form.EndButton->isEnabled());
    EXPECT_EQ(form.EndButton->text(), "開始(&S)");
    form.BeforeButton_Click();
    EXPECT_EQ(form.SelectedIndex(), 0);
    EXPECT_TRUE(form.NextButton->isEnabled());
    form.NextButton_Click();

    form.EndButton_Click();
    ASSERT_EQ(form.Step(), 3);
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(form.Caption(), "モルビク - データコンバート(4 / 4)");
    EXPECT_FALSE(form.CancelButton->isEnabled());
    EXPECT_EQ(form.EndButton->text(), "完了(&F)");
    EXPECT_FALSE(form.ProgressPicture->Visible());

    AccessADOClass access;
    configureNew(access);
    access.AccessFlag("1");
    access.AddField("Trade_No");
    access.AddField("Cost_Money");
    access.AddFromVerse("Management_Tbl");
    ASSERT_EQ(access.Execute(), 1);
    EXPECT_EQ(access.InfoValue(0, 0).toString(), "0012");
    EXPECT_EQ(access.InfoValue(0, 1).toString(), "240");
    form.EndButton_Click();
    EXPECT_FALSE(form.Visible());
}

TEST_F(frmConvertTest, EarlierDataThatDoesNotFitIsRefusedAndNothingIsMoved) {
    install(1, "12345");
    const QByteArray before = readAll(newDatabase());
    frmConvert& form = runFirstInstallation();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    const auto& shown = forms::TestHook::msgBoxes()[0];
    EXPECT_EQ(shown.style, forms::vbExclamation);
    EXPECT_TRUE(
        shown.text.startsWith("データの移行を中止しました。\r\n\r\n"
                              "・ [初期設定] で設定された [商品番号の桁数] が、元データの"))
        << shown.text.toStdString();
    EXPECT_TRUE(
        shown.text.contains("・ [商品番号の桁数] を元データの商品番号の桁数以上にしてください。"));
    EXPECT_FALSE(shown.text.contains("小数点"));
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.SetupRequested());
    EXPECT_EQ(readAll(newDatabase()), before);
}

// The new database made by a newer release is not called damaged, and nothing is moved.
TEST_F(frmConvertTest, ANewDatabaseOfANewerReleaseStopsTheMigration) {
    const QString folder = install(1);
    const QString made = CraftedDatabases::withNewerFormat(newDatabase(), TestDatabase::password());
    ASSERT_TRUE(made.isEmpty()) << made.toStdString();
    const QByteArray before = readAll(newDatabase());
    const QByteArray earlier = readAll(folder + "/morvik.mdb");
    frmConvert& form = runFirstInstallation();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "データの移行に失敗しました｡\r\nインストールを中断して最初からやり直してください。");
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(readAll(newDatabase()), before);
    EXPECT_EQ(readAll(folder + "/morvik.mdb"), earlier);
}

// What an earlier installation holds that the migration cannot read is told as damaged
// data; nothing changes and the wizard stays, so that another installation can be chosen.
TEST_F(frmConvertTest, ADamagedEarlierDatabaseIsToldAndTheWizardStays) {
    const QString folder = install(1);
    writeFile(folder + "/morvik.mdb", "Classify_No,Classify_Name\r\n'001','A'\r\n");
    const QByteArray before = readAll(newDatabase());
    frmConvert& form = runFirstInstallation();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "DataBaseが破損している恐れがあります。\r\nデータの移行を中止しました。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbCritical);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Step(), 2);
    EXPECT_TRUE(form.BeforeButton->isEnabled());
    EXPECT_EQ(readAll(newDatabase()), before);
    EXPECT_FALSE(QFileInfo::exists(folder + "/backup"));
}

// A check of the earlier database that runs out of time is not told as damage: nothing
// changes and the wizard stays; with time again, the same installation is migrated.
TEST_F(frmConvertTest, AnEarlierDatabaseWhoseCheckRunsOutOfTimeIsNotCalledDamaged) {
    const QString folder = install(1);
    const QByteArray before = readAll(newDatabase());
    const QByteArray earlier = readAll(folder + "/morvik.mdb");
    const QStringList files = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    {
        const CheckTimeLimit limit(0);
        frmConvert& form = runFirstInstallation();
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
                  "DataBaseの確認が時間内に終わりませんでした。\r\n"
                  "しばらくしてから、もう一度実行してください。");
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbCritical);
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(form.Step(), 2);
        EXPECT_TRUE(form.EndButton->isEnabled());
        EXPECT_EQ(readAll(newDatabase()), before);
        EXPECT_EQ(readAll(folder + "/morvik.mdb"), earlier);
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
    }
    forms::TestHook::enable();
    form_->EndButton_Click();
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(form_->Step(), 3);
}

// An earlier database left by a write that was stopped half way, with its journal: the
// migration reads it as it was before that write, and the earlier installation keeps
// both files as they were; its backup takes both.
TEST_F(frmConvertTest, AnEarlierDatabaseWithTheJournalOfAStoppedWriteIsReadAsBeforeTheWrite) {
    const QString folder = install(1);
    const QString database = folder + "/morvik.mdb";
    QTemporaryDir side;
    const QString writing = side.path() + "/morvik.mdb";
    ASSERT_TRUE(QFile::copy(database, writing));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(writing).constData(), &db), SQLITE_OK);
    // A small cache makes the engine write changed pages into the file before the end.
    ASSERT_EQ(sqlite3_exec(db,
                           "PRAGMA cache_size = 2; BEGIN; DELETE FROM Management_Tbl; "
                           "WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n "
                           "WHERE i < 3000) INSERT INTO ClassifyMast_tbl SELECT printf('%03d', "
                           "i), printf('%0200d', i) FROM n;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    // The files as a kill at this moment leaves them.
    QFile::remove(database);
    ASSERT_TRUE(QFile::copy(writing, database));
    ASSERT_TRUE(QFile::copy(writing + "-journal", database + "-journal"));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const QByteArray file = readAll(database);
    const QByteArray journal = readAll(database + "-journal");
    ASSERT_NE(file, readAll(writing));  // the stopped write reached the file

    frmConvert& form = runFirstInstallation();
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    ASSERT_EQ(form.Step(), 3);
    AccessADOClass access;
    configureNew(access);
    access.AccessFlag("1");
    access.AddField("Classify_No");
    access.AddFromVerse("ClassifyMast_tbl");
    ASSERT_EQ(access.Execute(), 1);
    EXPECT_EQ(access.InfoValue(0, 0).toString(), "001");
    access.ExecuteClear();
    configureNew(access);
    access.AddField("Trade_No");
    access.AddFromVerse("Management_Tbl");
    EXPECT_EQ(access.Execute(), 1);
    EXPECT_EQ(readAll(database), file);
    EXPECT_EQ(readAll(database + "-journal"), journal);
    const QStringList backups =
        QDir(folder + "/backup").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(readAll(folder + "/backup/" + backups[0] + "/morvik.mdb-journal"), journal);
}

// A backup of the earlier installation stopped by a crash leaves its dated folder with an
// unfinished copy; the next migration removes it and keeps the finished backups.
TEST_F(frmConvertTest, TheNextMigrationRemovesWhatAStoppedBackupLeft) {
    const QString folder = install(1);
    const QString stopped = folder + "/backup/20240101000000";
    const QString finished = folder + "/backup/20240102000000";
    ASSERT_TRUE(QDir().mkpath(stopped));
    ASSERT_TRUE(QDir().mkpath(finished));
    writeFile(stopped + "/.morvik.mdb.copy-Ab3dE9", "half a copy");
    writeFile(finished + "/morvik.mdb", "a finished copy");
    frmConvert& form = runFirstInstallation();
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(form.Step(), 3);
    EXPECT_FALSE(QFileInfo::exists(stopped));
    EXPECT_EQ(readAll(finished + "/morvik.mdb"), "a finished copy");
    EXPECT_EQ(QDir(folder + "/backup").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
}

// An earlier installation on a disk without room for its backup: the message says so, and
// nothing is left behind.
TEST_F(frmConvertTest, ABackupWithoutRoomOnItsDiskIsToldAsSuch) {
    const QString folder = programs_.path() + "/Kelvarn/Sales1";
    ASSERT_TRUE(QDir().mkpath(folder));
    const qint64 size = QFileInfo(TestDatabase::stageFolder() + "/morvik2.mdb").size();
    const QByteArray options = "size=" + QByteArray::number(2 * size - 8192);
    ASSERT_EQ(
        ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()), 0)
        << std::strerror(errno);
    struct Unmount {
        QByteArray path;
        ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(folder)};
    install(1);
    const qint64 backup = QFileInfo(folder + "/morvik.mdb").size();
    const QByteArray before = readAll(newDatabase());
    frmConvert& form = runFirstInstallation();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "空き容量が不足しています。\r\nバックアップには " + QString::number(backup / 1000) +
                  " KB 必要です。\r\nデータの移行に失敗しました｡\r\nインストールを中断して最初"
                  "からやり直してください。");
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(readAll(newDatabase()), before);
    EXPECT_TRUE(QDir(folder + "/backup").isEmpty());
}

// The path at which a folder takes the place of the migrated database just before it
// is moved in, so that the replacement can be neither finished nor undone.
QString blockedTarget;

void blockTheTarget(const char*, const QString& path) {
    if (path.endsWith("/new/morvik2.mde")) {
        QDir().mkdir(blockedTarget);
    }
}

// A replacement stuck half way is tried again at once; when it stays stuck, the message
// names the work folder that keeps the database from before, and the next start settles.
TEST_F(frmConvertTest, AStuckReplacementNamesTheFolderThatKeepsTheEarlierDatabase) {
    install(1);
    const QByteArray before = readAll(newDatabase());
    blockedTarget = newDatabase();
    shell::setDiskStepHook(blockTheTarget);
    frmConvert& form = runFirstInstallation();
    shell::setDiskStepHook(nullptr);
    const QStringList runs = QDir(newFolder()).entryList({".work-*"}, QDir::Dirs | QDir::Hidden);
    ASSERT_EQ(runs.size(), 1);
    const QString kept = newFolder() + "/" + runs[0];
    EXPECT_EQ(readAll(kept + "/old/morvik2.mde"), before);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "データの移行に失敗しました｡\r\n移行前のデータは次のフォルダに残しました。\r\n" +
                  kept + "\r\nインストールを中断して最初からやり直してください。");
    EXPECT_FALSE(form.Visible());

    ASSERT_TRUE(QDir().rmdir(newDatabase()));
    DataRecovery::Recover(newFolder());
    EXPECT_FALSE(QFileInfo::exists(kept));
    AccessADOClass access;
    configureNew(access);
    access.AccessFlag("1");
    access.AddField("Trade_No");
    access.AddFromVerse("Management_Tbl");
    ASSERT_EQ(access.Execute(), 1);
    EXPECT_EQ(access.InfoValue(0, 0).toString(), "0012");
}

// A new database without its settings row fails the check before anything is read or
// backed up.
TEST_F(frmConvertTest, ANewDatabaseWithoutSettingsStopsTheMigrationBeforeAnyChange) {
    const QString folder = install(1);
    run(newDatabase(), TestDatabase::password(), "DELETE FROM basic_tbl");
    const QByteArray before = readAll(newDatabase());
    frmConvert& form = runFirstInstallation();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "データの移行に失敗しました｡\r\nインストールを中断して最初からやり直してください。");
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(readAll(newDatabase()), before);
    EXPECT_FALSE(QFileInfo::exists(folder + "/backup"));
    EXPECT_FALSE(QFileInfo::exists(newFolder() + "/convert"));
}

TEST_F(frmConvertTest, NumbersThatBecomeOneNumberAreNamedAndNothingChanges) {
    const QString folder = install(1);
    for (const char* tradeNo : {"0101", "00101"}) {
        run(folder + "/morvik.mdb", "",
            QStringLiteral("INSERT INTO TradeMast_tbl (Classify_No , Trade_No , Trade_Name) "
                           "VALUES ('001' , '%1' , 'x')")
                .arg(tradeNo));
    }
    const QByteArray before = readAll(newDatabase());
    const QByteArray earlier = readAll(folder + "/morvik.mdb");
    frmConvert& form = runFirstInstallation();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    const auto& shown = forms::TestHook::msgBoxes()[0];
    EXPECT_EQ(shown.style, forms::vbExclamation);
    EXPECT_TRUE(shown.text.contains("・ 商品分類番号[001] の商品番号 00101 と 0101\r\n"))
        << shown.text.toStdString();
    // the window stays on the confirmation page for another try
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Step(), 2);
    EXPECT_TRUE(form.EndButton->isEnabled());
    EXPECT_TRUE(form.BeforeButton->isEnabled());
    EXPECT_FALSE(form.SetupRequested());
    EXPECT_EQ(readAll(newDatabase()), before);
    EXPECT_EQ(readAll(folder + "/morvik.mdb"), earlier);
    EXPECT_FALSE(QFileInfo::exists(folder + "/backup"));
    EXPECT_FALSE(QFileInfo::exists(newFolder() + "/convert"));
}

// Runs the action on the wizard window once it is shown (modally, from Main).
void whenShown(const std::function<void(frmConvert&)>& action, int tries = 1000) {
    QTimer::singleShot(tries == 1000 ? 0 : 10, [action, tries] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* form = dynamic_cast<frmConvert*>(widget); form && form->isVisible()) {
                action(*form);
                return;
            }
        }
        if (tries > 0) {
            whenShown(action, tries - 1);
        } else {
            ADD_FAILURE() << "the wizard was not shown";
        }
    });
}

// The setup program is looked for in the program folder, which the tests share: only this
// test puts a stand-in there.
TEST_F(frmConvertTest, AfterAMismatchTheSetupRunsAndThenTheMigrationAgain) {
    install(1, "12345");
    const QString setup = XX共通関数::GetAppPath() + "ostrail";
    QFile::remove(setup);
    whenShown([](frmConvert& form) {
        form.NextButton_Click();
        form.Form_MouseDown(1, 0, 1000, 2200);
        form.NextButton_Click();
        form.EndButton_Click();
    });
    modConvert::Main("/install");
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 2u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].text,
              "初期設定を起動できませんでした。\r\n"
              "インストールを中断して最初からやり直してください。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].style, forms::vbCritical);

    forms::TestHook::enable();
    ASSERT_TRUE(QFile::link(SETUP_STAND_IN, setup));
    int shown = 0;
    whenShown([&shown](frmConvert& form) {
        ++shown;
        form.NextButton_Click();
        form.Form_MouseDown(1, 0, 1000, 2200);
        form.NextButton_Click();
        whenShown([&shown](frmConvert& again) {
            ++shown;
            // the wizard starts again with the installation still chosen
            EXPECT_EQ(again.Step(), 0);
            EXPECT_EQ(again.SelectedIndex(), 0);
            again.NextButton_Click();
            EXPECT_TRUE(again.NextButton->isEnabled());
            again.NextButton_Click();
            again.EndButton_Click();
            EXPECT_EQ(again.Step(), 3);
            again.EndButton_Click();
        });
        form.EndButton_Click();
    });
    modConvert::Main("/install");
    QFile::remove(setup);

    EXPECT_EQ(shown, 2);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_TRUE(forms::TestHook::msgBoxes()[0].text.startsWith("データの移行を中止しました。"));
    EXPECT_EQ(readAll(newFolder() + "/setup-command-line.txt"), "/install reset\n");
    AccessADOClass access;
    configureNew(access);
    access.AccessFlag("1");
    access.AddField("Trade_No");
    access.AddFromVerse("Management_Tbl");
    ASSERT_EQ(access.Execute(), 1);
    EXPECT_EQ(access.InfoValue(0, 0).toString(), "12345");
}

TEST_F(frmConvertTest, ScrollingTheListAndChoosingAnotherFolder) {
    for (int n = 1; n <= 5; ++n) {
        install(n);
    }
    frmConvert& form = open();
    form.NextButton_Click();
    EXPECT_EQ(form.Installations().Count(), 5);
    EXPECT_TRUE(form.CmdVScroll->isEnabled());
    EXPECT_EQ(form.CmdVScroll->maximum(), 2);
    form.CmdVScroll->setValue(2);
    form.Form_MouseDown(1, 0, 1000, 2200);
    EXPECT_EQ(form.SelectedIndex(), 2);

    forms::TestHook::queueDialogAnswer(homes_.path());
    form.Form_MouseDown(1, 0, 1500, 4000);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "システムがインストールされたフォルダではありません。");
    EXPECT_EQ(form.SelectedIndex(), 2);

    QTemporaryDir other;
    const QString folder = other.path() + "/Mine";
    QDir().mkpath(folder);
    writeFile(folder + "/morvik.exe", "program");
    writeFile(folder + "/version.ini", "[Version]\r\nProductVersion=1.2.0\r\n");
    writeFile(folder + "/morvik.mdb", "data");
    forms::TestHook::queueDialogAnswer(folder);
    form.Form_MouseDown(1, 0, 1500, 4000);
    EXPECT_EQ(form.Installations().Count(), 6);
    EXPECT_EQ(form.SelectedIndex(), -1);
    EXPECT_FALSE(form.NextButton->isEnabled());
}

TEST_F(frmConvertTest, CancelAsksFirst) {
    frmConvert& form = open();
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    form.CancelButton_Click();
    EXPECT_TRUE(form.Visible());
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style,
              forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    form.CancelButton_Click();
    EXPECT_FALSE(form.Visible());
}

}  // namespace
