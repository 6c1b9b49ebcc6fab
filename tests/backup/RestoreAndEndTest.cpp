#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "BackupFixture.h"
#include "backup/RestoreAndEnd.h"
#include "backup/frmRestore.h"
#include "core/AccessADOClass.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/TestHook.h"

namespace {

using RestoreAndEndTest = BackupFixture;

TEST_F(RestoreAndEndTest, InTestModeTheScreenIsRecordedAndTheProgramEnds) {
    MainModule::RestoreAndEnd();
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_EQ(forms::TestHook::dialogs()[0].kind, "form");
    EXPECT_EQ(forms::TestHook::dialogs()[0].title, " データバックアップ");
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
}

// A screen whose read finds the server database not reached (here one that the server
// does not have) shows the server's message and ends the program: a restore puts a file
// in place and cannot mend a server.
TEST_F(RestoreAndEndTest, AServerDatabaseNotReachedEndsWithoutTheScreen) {
    AccessADOClass::InitialProvider() = 1;
    AccessADOClass access;
    access.DBName("morvik_never_made");
    access.AccessFlag("2");
    access.AddFromVerse("basic_tbl");
    const int32_t result = access.Execute();
    EXPECT_EQ(result, AccessADOClass::CannotOpen);
    XX共通関数::ShowErrorMessage(result, "Title", 0);
    MainModule::RestoreAndEnd();
    AccessADOClass::InitialProvider() = 0;
    EXPECT_EQ(boxTexts(), QStringList{"DataBaseサーバーに接続できませんでした。\r\n"
                                      "サーバーの起動と接続の設定を確認してください。"});
    EXPECT_TRUE(forms::TestHook::dialogs().empty());
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
}

// Closes the modal restore screen once it shows, after checking that it has no owner,
// and says so on the error output; any other window ends the program with 3.
void closeTheScreenWith(void (*close)(frmRestore&)) {
    QTimer::singleShot(0, [close] {
        auto* screen = dynamic_cast<frmRestore*>(QApplication::activeModalWidget());
        if (screen == nullptr || screen->Caption() != " データバックアップ" ||
            screen->windowHandle()->transientParent() != nullptr) {
            std::_Exit(3);
        }
        std::fputs("restore screen closed\n", stderr);
        close(*screen);
    });
}

void showAndEnd(void (*close)(frmRestore&)) {
    forms::TestHook::disable();
    closeTheScreenWith(close);
    MainModule::RestoreAndEnd();
    std::_Exit(4);  // RestoreAndEnd returned
}

TEST_F(RestoreAndEndTest, ShowsTheScreenModallyAndEndsWhenItIsClosed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(showAndEnd([](frmRestore& screen) { screen.CloseButton->click(); }),
                ::testing::ExitedWithCode(0), "restore screen closed");
    EXPECT_EXIT(showAndEnd([](frmRestore& screen) { screen.close(); }),
                ::testing::ExitedWithCode(0), "restore screen closed");
}

}  // namespace
