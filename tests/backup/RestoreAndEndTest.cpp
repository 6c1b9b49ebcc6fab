#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "BackupFixture.h"
#include "backup/RestoreAndEnd.h"
#include "backup/frmRestore.h"
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
