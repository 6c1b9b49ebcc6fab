// A database damaged while the program runs: the month-end close meets the damage when it
// reads the month, and ends through the damaged-database message, never a crash.

#include <QPushButton>
#include <memory>

#include "CloseFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "screens/monthend/frmFix.h"
#include "tests/support/CraftedDatabases.h"

namespace {

class DamagedDuringCloseTest : public CloseFixture {};

TEST_F(DamagedDuringCloseTest, ADatabaseDamagedAfterStartUpEndsTheCloseThroughItsMessage) {
    classify("001", "文具");
    product("001", "0001", "ノート", "100", "120");
    movement(5, 3, "001", "0001", "10", "100", "4", "480");
    auto screen = std::make_unique<frmFix>();
    screen->SetDeleteOnUnload(false);
    screen->Show();
    ASSERT_TRUE(screen->OKButton->isVisible());
    const QString damaged =
        CraftedDatabases::flipPage(database.filePath(), TestDatabase::password(), "Management_Tbl");
    ASSERT_TRUE(damaged.isEmpty()) << damaged.toStdString();

    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen->OKButton_Click();

    ASSERT_EQ(boxTexts().size(), 2u);
    EXPECT_EQ(boxTexts()[1],
              "DataBaseが破損している恐れがあります。\r\nDataBaseを復元してください。");
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
    EXPECT_FALSE(MainModule::HasCloseDate);
}

}  // namespace
