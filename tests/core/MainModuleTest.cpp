#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "TestFiles.h"
#include "app/Startup.h"
#include "core/CommonClass.h"
#include "core/MainModule.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/jet/Connection.h"
#include "screens/menu/frmMenu.h"
#include "tests/support/TestDatabase.h"

namespace {

const QString kPassword = "KORUMA4VXTB";

// The program's own runtime folder, so that the single-instance channel of this test
// meets no other copy.
void useOwnRuntimeFolder() {
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
}

void clearSettings() {
    MainModule::DBFileName.clear();
    MainModule::DBPassword.clear();
    MainModule::DBFolder.clear();
    MainModule::LayoutFolder.clear();
    MainModule::HasCloseDate = false;
    MainModule::PrintType = 0;
    MainModule::TradeFigure = 0;
    MainModule::UnitDecimal = 0;
    MainModule::SumDecimal = 0;
    MainModule::PictureFlg = 0;
    MainModule::SystemId.clear();
    MainModule::LastCloseDate = vb::Date();
    MainModule::BasicLoaded = false;
    MainModule::HasClassifications = false;
    MainModule::HasProducts = false;
}

// Start-up over a copy of the shipped database in the data folder of a private
// XDG data home.
class StartUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        useOwnRuntimeFolder();
        freshStart();
    }

    // A new, empty data home, an empty transcript and an empty settings record.
    void freshStart() {
        dataHome_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dataHome_->isValid());
        qputenv("XDG_DATA_HOME", dataHome_->path().toUtf8());
        forms::TestHook::enable();
        clearSettings();
    }

    void TearDown() override {
        forms::TestHook::disable();
        qunsetenv("XDG_DATA_HOME");
    }

    QString dataFolder() const { return dataHome_->path() + "/Kelvarn/Sales/Ver2"; }
    QString databasePath() const { return dataFolder() + "/morvik2.mde"; }

    void installDatabase(const std::vector<QString>& statements = {}) {
        ASSERT_TRUE(QDir().mkpath(dataFolder()));
        ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), databasePath()));
        QFile::setPermissions(databasePath(), QFile::ReadOwner | QFile::WriteOwner);
        jet::Connection connection;
        ASSERT_FALSE(
            connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + databasePath() +
                            ";Jet OLEDB:Database Password=" + kPassword + ";"));
        for (const QString& sql : statements) {
            const jet::Error error = connection.execute(sql);
            ASSERT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
        }
    }

    static QStringList boxTexts() {
        QStringList texts;
        for (const forms::TestHook::MsgBoxShown& box : forms::TestHook::msgBoxes()) {
            texts << box.text;
        }
        return texts;
    }

    std::unique_ptr<QTemporaryDir> dataHome_;
};

const std::vector<QString> kMasters = {
    "INSERT INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('001', '文具')",
    "INSERT INTO TradeMast_tbl (Classify_No, Trade_No, Trade_Name) VALUES ('001', '0001', 'ペン')",
};

struct Settings {
    const char* name;
    std::vector<QString> statements;
    QString systemId;
    bool basicLoaded;
    uint8_t tradeFigure, unitDecimal, sumDecimal, printType, pictureFlg;
    bool hasCloseDate;
    vb::Date lastCloseDate;
    bool hasClassifications, hasProducts;
};

std::vector<QString> operator+(std::vector<QString> first, const std::vector<QString>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(StartUpTest, LoadsTheSettingsRecordFromTheDatabase) {
    const Settings cases[] = {
        {"shipped", {}, "NEO000001", true, 0, 0, 0, 0, 0, false, {}, false, false},
        {"set up and in use",
         std::vector<QString>{
             "UPDATE basic_tbl SET Trade_figure = 3, Unit_decimal = 1, Sum_decimal = 2, "
             "Print_type = 1, Picture_Flg = 1",
             "UPDATE system_type SET System_id = 'CVA030101'",
             "INSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No) "
             "VALUES (#2024/9/1#, '001', '0001')",
             "INSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No) "
             "VALUES (#2024/8/1#, '001', '0001')"} +
             kMasters,
         "CVA030101", true, 3, 1, 2, 1, 1, true, vb::Date::fromYmd(2024, 9, 1), true, true},
        {"empty system_type",
         {"DELETE FROM system_type"},
         "",
         true,
         0,
         0,
         0,
         0,
         0,
         false,
         {},
         false,
         false},
        {"Null system code",
         {"UPDATE system_type SET System_id = NULL"},
         "",
         true,
         0,
         0,
         0,
         0,
         0,
         false,
         {},
         false,
         false},
        {"empty basic_tbl",
         {"DELETE FROM basic_tbl"},
         "NEO000001",
         false,
         0,
         0,
         0,
         0,
         0,
         false,
         {},
         false,
         false},
        {"highest decimal settings, a wide number, own printing, picture set 2",
         {"UPDATE basic_tbl SET Trade_figure = 10, Unit_decimal = 3, Sum_decimal = 3, "
          "Print_type = 2, Picture_Flg = 2"},
         "NEO000001",
         true,
         10,
         3,
         3,
         2,
         2,
         false,
         {},
         false,
         false},
        {"every byte where every byte has a meaning",
         {"UPDATE basic_tbl SET Trade_figure = 255, Print_type = 255, Picture_Flg = 255"},
         "NEO000001",
         true,
         255,
         0,
         0,
         255,
         255,
         false,
         {},
         false,
         false},
        {"classes without products",
         {kMasters[0]},
         "NEO000001",
         true,
         0,
         0,
         0,
         0,
         0,
         false,
         {},
         true,
         false},
        {"products without classes",
         {kMasters[1]},
         "NEO000001",
         true,
         0,
         0,
         0,
         0,
         0,
         false,
         {},
         false,
         false},
    };
    for (const Settings& c : cases) {
        SCOPED_TRACE(c.name);
        freshStart();
        installDatabase(c.statements);

        MainModule::Main("");

        EXPECT_TRUE(forms::TestHook::msgBoxes().empty()) << boxTexts().join("|").toStdString();
        EXPECT_TRUE(forms::TestHook::ends().empty());
        EXPECT_EQ(MainModule::DBFileName, "morvik2.mde");
        EXPECT_EQ(MainModule::DBPassword, kPassword);
        EXPECT_EQ(MainModule::DBFolder, dataFolder());
        EXPECT_EQ(MainModule::LayoutFolder, dataFolder());
        EXPECT_EQ(MainModule::SystemId, c.systemId);
        EXPECT_EQ(MainModule::BasicLoaded, c.basicLoaded);
        EXPECT_EQ(MainModule::TradeFigure, c.tradeFigure);
        EXPECT_EQ(MainModule::UnitDecimal, c.unitDecimal);
        EXPECT_EQ(MainModule::SumDecimal, c.sumDecimal);
        EXPECT_EQ(MainModule::PrintType, c.printType);
        EXPECT_EQ(MainModule::PictureFlg, c.pictureFlg);
        EXPECT_EQ(MainModule::HasCloseDate, c.hasCloseDate);
        EXPECT_EQ(MainModule::LastCloseDate, c.lastCloseDate);
        EXPECT_EQ(MainModule::HasClassifications, c.hasClassifications);
        EXPECT_EQ(MainModule::HasProducts, c.hasProducts);
        // Start-up ends on the main menu.
        ASSERT_NE(frmMenu.Window(), nullptr);
        EXPECT_TRUE(frmMenu.Window()->Visible());
        EXPECT_EQ(frmMenu.Window()->Caption(), "モルビク - メニュー");
        EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);
    }
}

TEST_F(StartUpTest, AMissingOrDamagedDatabaseEndsThroughTheRestorePath) {
    const QString restore = "\r\nDataBaseを復元してください。";
    const struct {
        const char* name;
        QByteArray contents;  // empty: no file
        QString text;
    } cases[] = {
        {"missing", {}, "DataBaseが存在しません。" + restore},
        {"garbage", "this is not a database at all, only text.",
         "DataBaseが破損している恐れがあります。" + restore},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        forms::TestHook::enable();
        QFile::remove(databasePath());
        if (!c.contents.isEmpty()) {
            ASSERT_TRUE(writeFile(databasePath(), c.contents));
        }
        if (frmMenu.Window() != nullptr) {
            frmMenu.Window()->Unload();
        }

        MainModule::Main("");

        EXPECT_EQ(frmMenu.Window(), nullptr);

        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u) << boxTexts().join("|").toStdString();
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, c.text);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 16);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "Error");
        EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
    }
}

TEST_F(StartUpTest, ABadSettingOrAFailedReadIsAFailedReadOfTheBasicData) {
    const struct {
        const char* name;
        std::vector<QString> statements;
        bool basicLoaded;
    } cases[] = {
        {"Null width", {"UPDATE basic_tbl SET Trade_figure = NULL"}, false},
        {"width 300", {"UPDATE basic_tbl SET Trade_figure = 300"}, false},
        {"price decimals 4", {"UPDATE basic_tbl SET Unit_decimal = 4"}, false},
        {"amount decimals -1", {"UPDATE basic_tbl SET Sum_decimal = -1"}, false},
        {"print type 256", {"UPDATE basic_tbl SET Print_type = 256"}, false},
        {"picture set -1", {"UPDATE basic_tbl SET Picture_Flg = -1"}, false},
        {"text in a number", {"UPDATE basic_tbl SET Picture_Flg = 'abc'"}, false},
        {"no system_type table", {"DROP TABLE system_type"}, false},
        {"no product table", {kMasters[0], "DROP TABLE TradeMast_tbl"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        freshStart();
        installDatabase(c.statements);

        MainModule::Main("");

        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u) << boxTexts().join("|").toStdString();
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "基本データ取得に失敗しました。");
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 48);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "モルビク");
        EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
        EXPECT_EQ(MainModule::BasicLoaded, c.basicLoaded);
        EXPECT_EQ(MainModule::TradeFigure, 0);
        EXPECT_EQ(MainModule::PictureFlg, 0);
    }
}

TEST_F(StartUpTest, TheDebugSwitchAsksForTheDatabaseOfTheProgramFolder) {
    installDatabase();
    const QString programFolder = CommonClass().MidPath(forms::App::Path());
    const struct {
        const char* commandLine;
        int answer;  // 0: no question
        const char* fileName;
        QString password;
        QString folder;
    } cases[] = {
        {"/debug", forms::vbYes, "morvik2.mdb", "", programFolder},
        {"/DEBUG", forms::vbNo, "morvik2.mde", kPassword, programFolder},
        {"/Debug", forms::vbCancel, "morvik2.mde", kPassword, dataFolder()},
        {"/debug x", 0, "morvik2.mde", kPassword, dataFolder()},
        {"-debug", 0, "morvik2.mde", kPassword, dataFolder()},
        {"", 0, "morvik2.mde", kPassword, dataFolder()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        forms::TestHook::enable();
        clearSettings();
        if (c.answer != 0) {
            forms::TestHook::queueMsgBoxAnswer(c.answer);
        }

        MainModule::Main(c.commandLine);

        EXPECT_EQ(MainModule::DBFileName, c.fileName);
        EXPECT_EQ(MainModule::DBPassword, c.password);
        EXPECT_EQ(MainModule::DBFolder, c.folder);
        EXPECT_EQ(MainModule::LayoutFolder, c.folder);
        // Both databases lie next to this test program: the settings were read.
        EXPECT_EQ(MainModule::SystemId, "NEO000001");
        EXPECT_TRUE(forms::TestHook::ends().empty());
        const auto& boxes = forms::TestHook::msgBoxes();
        ASSERT_EQ(boxes.size(), c.answer != 0 ? 1u : 0u) << boxTexts().join("|").toStdString();
        if (c.answer != 0) {
            EXPECT_EQ(boxes[0].text, "デバックモードで起動しますか？");
            EXPECT_EQ(boxes[0].style, 35);
            EXPECT_EQ(boxes[0].title, "モルビク");
        }
    }
}

}  // namespace
