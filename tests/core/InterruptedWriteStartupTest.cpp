// Start-up after a program was killed while it wrote the data folder's database: the engine
// rolls the journal back and the menu comes up on the data from before the write. A check
// stopped by its time limit says so, and calls nothing damaged.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/Startup.h"
#include "core/MainModule.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "screens/menu/frmMenu.h"
#include "tests/support/InterruptedWrite.h"
#include "tests/support/TestDatabase.h"

namespace {

class InterruptedWriteStartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        ASSERT_TRUE(dataHome_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
        qputenv("XDG_DATA_HOME", dataHome_.path().toUtf8());
        ASSERT_TRUE(QDir().mkpath(folder()));
        ASSERT_TRUE(QFile::copy(TestDatabase::shippedFilePath(), path()));
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_EQ(InterruptedWrite::fillProducts(path(), TestDatabase::password(), 500), "");
        before_ = InterruptedWrite::productRows(path(), TestDatabase::password());
        ASSERT_FALSE(before_.isEmpty());
        forms::TestHook::enable();
    }

    void TearDown() override {
        if (frmMenu.Window() != nullptr) {
            frmMenu.Window()->Unload();
        }
        forms::TestHook::disable();
        qunsetenv("XDG_DATA_HOME");
    }

    QString folder() const { return dataHome_.path() + "/Kelvarn/Sales/Ver2"; }
    QString path() const { return folder() + "/" + TestDatabase::fileName(); }

    QTemporaryDir runtime_;
    QTemporaryDir dataHome_;
    QString before_;
};

TEST_F(InterruptedWriteStartupTest, TheMenuComesUpOnTheDataFromBeforeTheKilledWrite) {
    ASSERT_EQ(InterruptedWrite::killDuringReplace(path(), TestDatabase::password()), "");

    MainModule::Main("");

    EXPECT_TRUE(forms::TestHook::msgBoxes().empty())
        << forms::TestHook::msgBoxes()[0].text.toStdString();
    EXPECT_TRUE(forms::TestHook::dialogs().empty());
    EXPECT_TRUE(forms::TestHook::ends().empty());
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_TRUE(frmMenu.Window()->Visible());
    EXPECT_TRUE(MainModule::HasProducts);
    EXPECT_FALSE(QFile::exists(path() + "-journal"));
    EXPECT_EQ(InterruptedWrite::productRows(path(), TestDatabase::password()), before_);
}

TEST_F(InterruptedWriteStartupTest, ACheckStoppedByItsTimeLimitSaysSoAndOffersNoRestore) {
    MainModule::DBFileName = TestDatabase::fileName();
    MainModule::DBPassword = TestDatabase::password();
    MainModule::DBFolder = folder();

    EXPECT_LT(MainModule::CheckDatabaseWithin(0), 0);

    const auto& boxes = forms::TestHook::msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "DataBaseの確認が時間内に終わりませんでした。\r\n"
              "しばらくしてから、もう一度起動してください。");
    EXPECT_EQ(boxes[0].style, forms::vbCritical);
    EXPECT_EQ(boxes[0].title, forms::App::Title());
    EXPECT_TRUE(forms::TestHook::dialogs().empty());
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
    // The same file within the limit of a start passes.
    forms::TestHook::enable();
    EXPECT_EQ(MainModule::CheckDatabase(), 0);
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
}

}  // namespace
