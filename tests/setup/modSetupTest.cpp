#include "SetupFixture.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "setup/modSetup.h"

namespace {

using modSetupTest = SetupFixture;

TEST_F(modSetupTest, InstallLinesChooseTheDataFolderAndResetMode) {
    const QString dataFolder = homes.path() + "/data/Kelvarn/Sales/Ver2";
    const struct {
        const char* line;
        bool reset;
    } cases[] = {{"/install", false},
                 {"/INSTALL", false},
                 {"/Install Reset", true},
                 {"/install reset", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(modSetup::ChooseDatabase(QString::fromLatin1(c.line)));
        EXPECT_EQ(modSetup::ResetMode, c.reset);
        EXPECT_EQ(modSetup::DBFileName, "morvik2.mde");
        EXPECT_EQ(modSetup::DBPassword, "KORUMA4VXTB");
        EXPECT_EQ(modSetup::DBFolder, dataFolder);
    }
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
}

TEST_F(modSetupTest, OtherLinesAreRefused) {
    for (const char* line : {"", "setup /install", "/debug /install", "/deinstall"}) {
        SCOPED_TRACE(line);
        forms::TestHook::enable();
        EXPECT_FALSE(modSetup::ChooseDatabase(QString::fromLatin1(line)));
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
                  "初期設定はシステムのインストール時のみ可能です。");
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbCritical);
    }
    forms::TestHook::enable();
    modSetup::Main(QStringLiteral("/setup"));
    EXPECT_EQ(forms::TestHook::ends().size(), 1u);
}

TEST_F(modSetupTest, DebugLineAsksForTheDatabase) {
    const QString programFolder = forms::App::Path();
    const struct {
        int answer;
        const char* file;
        const char* password;
        QString folder;
    } cases[] = {
        {forms::vbYes, "morvik2.mdb", "", programFolder},
        {forms::vbNo, "morvik2.mde", "KORUMA4VXTB", programFolder},
        {forms::vbCancel, "morvik2.mde", "KORUMA4VXTB", homes.path() + "/data/Kelvarn/Sales/Ver2"},
    };
    for (const auto& c : cases) {
        forms::TestHook::enable();
        forms::TestHook::queueMsgBoxAnswer(c.answer);
        ASSERT_TRUE(modSetup::ChooseDatabase(QStringLiteral("/DEBUG")));
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "デバックモードで起動しますか？");
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbYesNoCancel | forms::vbQuestion);
        EXPECT_EQ(modSetup::DBFileName, QString::fromLatin1(c.file));
        EXPECT_EQ(modSetup::DBPassword, QString::fromLatin1(c.password));
        EXPECT_EQ(modSetup::DBFolder, c.folder);
        EXPECT_FALSE(modSetup::ResetMode);
    }
}

}  // namespace
