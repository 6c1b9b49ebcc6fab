#include <QTest>

#include "MenuFixture.h"
#include "core/HelpWindow.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "screens/analysis/frmRanking.h"
#include "screens/analysis/frmRieki.h"
#include "screens/analysis/frmSyosuList.h"
#include "screens/menu/frmClassify.h"
#include "screens/menu/frmItem.h"
#include "screens/menu/frmMenu.h"
#include "screens/monthend/frmDelete.h"
#include "screens/monthend/frmFix.h"
#include "screens/monthend/frmZiko.h"
#include "screens/records/frmSireUriage.h"
#include "screens/records/frmZanMentnans.h"

namespace {

const QString NoCloseDate = "月間メンテナンス画面で月次初期データを登録する必要があります。";
const QString NoClasses = "商品分類一覧画面で商品分類データを登録する必要があります。";
const QString NoProducts = "商品一覧画面で商品データを登録する必要があります。";

using frmMenuTest = MenuFixture;

TEST_F(frmMenuTest, ButtonsSwitchMenusAndLeadBack) {
    frmMenu.ViewMenu(0, 0);
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_TRUE(frmMenu.Window()->Visible());
    EXPECT_EQ(frmMenu.Window()->Caption(), "モルビク - メニュー");
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);

    clickButton(4);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 2);
    EXPECT_EQ(frmMenu.Window()->Caption(), "モルビク - メンテナンスメニュー");
    clickButton(5);  // hidden on this menu
    clickButton(6);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 2);
    clickButton(11);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);

    // Variant "O" has no support menu: button 5 is the help, 6 is not there.
    clickButton(6);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);
    MainModule::SystemId = "CVA030101";
    frmMenu.ViewMenu(0, 1);
    clickButton(5);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 3);
    EXPECT_EQ(frmMenu.Window()->Caption(), "モルビク - 経営支援メニュー");
    clickButton(11);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);

    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_TRUE(forms::TestHook::ends().empty());
}

TEST_F(frmMenuTest, AnotherMenuNumberOnlyShowsTheMenu) {
    frmMenu.ViewMenu(1, 0);
    frmMenu.ViewMenu(7, 0);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 2);
    EXPECT_TRUE(frmMenu.Window()->Visible());

    unloadAll();
    frmMenu.ViewMenu(-1, 0);
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);
}

TEST_F(frmMenuTest, ScreensWhoseDataIsMissingAreRefused) {
    struct Case {
        const char* name;
        int16_t menu;
        int16_t button;
        const char* systemId;
        bool classes, products, closeDate;
        QString title;  // "" for no message
        QString message;
    };
    const Case cases[] = {
        {"daily entry", 0, 0, "NEA", true, true, false, "仕入/売上管理表", NoCloseDate},
        {"profit table", 0, 1, "NEA", true, true, false, "売上利益表", NoCloseDate},
        {"inventory", 0, 2, "NEA", true, true, false, "在庫管理表", NoCloseDate},
        {"close, nothing", 0, 3, "NEA", false, false, false, "次月繰越", NoClasses},
        {"close, products only", 0, 3, "NEA", false, true, false, "次月繰越", NoClasses},
        {"close, classes only", 0, 3, "NEA", true, false, false, "次月繰越", NoProducts},
        {"products", 1, 1, "NEA", false, false, true, "商品一覧", NoClasses},
        {"monthly, nothing", 1, 2, "NEA", false, false, true, "月間データメンテナンス", NoClasses},
        {"monthly, classes only", 1, 2, "NEA", true, false, true, "月間データメンテナンス",
         NoProducts},
        {"rankings, A", 2, 0, "NEA", true, true, false, "ランキング", NoCloseDate},
        {"rankings, R", 2, 0, "NER", true, true, false, "ランキング", NoCloseDate},
        {"stock list, L", 2, 0, "NEL", true, true, false, "在庫少数リスト", NoCloseDate},
        {"stock list, A", 2, 1, "NEA", true, true, false, "在庫少数リスト", NoCloseDate},
        {"support, O", 2, 0, "NEO", true, true, false, "", ""},
        {"unlisted button", 0, 9, "NEA", false, false, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forms::TestHook::enable();
        MainModule::SystemId = c.systemId;
        MainModule::HasClassifications = c.classes;
        MainModule::HasProducts = c.products;
        MainModule::HasCloseDate = c.closeDate;
        frmMenu.ViewMenu(c.menu, 0);

        frmMenu.EMenu_ButtonClick(c.button);

        const auto& boxes = forms::TestHook::msgBoxes();
        if (c.title.isEmpty()) {
            EXPECT_TRUE(boxes.empty());
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.message);
            EXPECT_EQ(boxes[0].title, c.title);
            EXPECT_EQ(boxes[0].style, forms::vbExclamation);
        }
        // Nothing opened: the menu stays as it was.
        ASSERT_NE(frmMenu.Window(), nullptr);
        EXPECT_TRUE(frmMenu.Window()->Visible());
        EXPECT_EQ(frmMenu.EMenu.TitleImage(), c.menu + 1);
    }
}

// Opens a screen by its menu button, checks that it replaced the menu, closes it by
// its back button or its frame and checks the menu it went back to.
template <class Screen>
void opensAndGoesBack(MenuFixture& fixture, int16_t menu, int16_t button, bool byFrame) {
    frmMenu.ViewMenu(menu, 0);
    fixture.clickButton(button);
    EXPECT_EQ(frmMenu.Window(), nullptr);
    ASSERT_EQ(MenuFixture::visibleWindows<Screen>(), 1);
    MenuFixture::whenShown<Screen>([byFrame](Screen& screen) {
        if (byFrame) {
            screen.close();
        } else {
            screen.btnEND_Click();
        }
    });
    QTest::qWait(50);
    EXPECT_EQ(MenuFixture::visibleWindows<Screen>(), 0);
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_TRUE(frmMenu.Window()->Visible());
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), menu + 1);
}

TEST_F(frmMenuTest, ScreensReplaceTheMenuAndGoBackToTheMenuThatOpenedThem) {
    insertMasters();
    closeMonth(2024, 9, "001", "0001", 5);
    MainModule::HasClassifications = true;
    MainModule::HasProducts = true;
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = vb::Date::fromYmd(2024, 9, 1);
    MainModule::SystemId = "NEA000001";
    for (bool byFrame : {false, true}) {
        SCOPED_TRACE(byFrame ? "closed by the frame" : "back button");
        {
            SCOPED_TRACE("daily entry");
            opensAndGoesBack<frmSireUriage>(*this, 0, 0, byFrame);
        }
        {
            SCOPED_TRACE("profit table");
            opensAndGoesBack<frmRieki>(*this, 0, 1, byFrame);
        }
        {
            SCOPED_TRACE("rankings");
            opensAndGoesBack<frmRanking>(*this, 2, 0, byFrame);
        }
        {
            SCOPED_TRACE("stock lists");
            opensAndGoesBack<frmSyosuList>(*this, 2, 1, byFrame);
        }
        {
            SCOPED_TRACE("inventory table");
            opensAndGoesBack<frmZiko>(*this, 0, 2, byFrame);
        }
        {
            SCOPED_TRACE("classes");
            opensAndGoesBack<frmClassify>(*this, 1, 0, byFrame);
        }
        {
            SCOPED_TRACE("products");
            opensAndGoesBack<frmItem>(*this, 1, 1, byFrame);
        }
        {
            SCOPED_TRACE("monthly maintenance");
            opensAndGoesBack<frmZanMentnans>(*this, 1, 2, byFrame);
        }
    }
    EXPECT_TRUE(forms::TestHook::ends().empty());
}

TEST_F(frmMenuTest, TheMonthEndCloseOpensOverTheMenuWithoutAClosedMonth) {
    insertMasters();
    MainModule::HasClassifications = true;
    MainModule::HasProducts = true;
    MainModule::HasCloseDate = false;
    frmMenu.ViewMenu(0, 0);
    MenuFixture::whenShown<frmFix>([](frmFix& screen) { screen.btnEND_Click(); });

    clickButton(3);

    // Modal: the menu stayed loaded behind it and is enabled again.
    EXPECT_EQ(MenuFixture::visibleWindows<frmFix>(), 0);
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_TRUE(frmMenu.Window()->Visible());
    EXPECT_TRUE(frmMenu.Window()->isEnabled());
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);
}

TEST_F(frmMenuTest, TheDeletionOpensOverTheMaintenanceMenuWithoutAClosedMonth) {
    MainModule::HasCloseDate = false;
    frmMenu.ViewMenu(1, 0);
    MenuFixture::whenShown<frmDelete>([](frmDelete& screen) { screen.btnEND_Click(); });

    clickButton(4);

    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_EQ(MenuFixture::visibleWindows<frmDelete>(), 0);
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_TRUE(frmMenu.Window()->Visible());
    EXPECT_TRUE(frmMenu.Window()->isEnabled());
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 2);
}

TEST_F(frmMenuTest, TheFlagsAreReadAtTheClick) {
    insertMasters();
    frmMenu.ViewMenu(1, 0);
    clickButton(1);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, NoClasses);
    EXPECT_EQ(visibleWindows<frmItem>(), 0);

    MainModule::HasClassifications = true;
    clickButton(1);
    EXPECT_EQ(visibleWindows<frmItem>(), 1);
    EXPECT_EQ(forms::TestHook::msgBoxes().size(), 1u);
}

TEST_F(frmMenuTest, TheRestoreScreenOpensOverTheMenu) {
    frmMenu.ViewMenu(1, 0);
    clickButton(3);
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_EQ(forms::TestHook::dialogs()[0].kind, "form");
    EXPECT_EQ(forms::TestHook::dialogs()[0].title, " データバックアップ");
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 2);
    EXPECT_EQ(frmMenu.Window()->MousePointer(), forms::vbDefault);
}

TEST_F(frmMenuTest, TheExitClosesTheHelpWindowAndEndsTheProgram) {
    frmMenu.ViewMenu(0, 0);
    XX共通関数::OpenHelpFile("Orsadin.html", "モルビクHelp", 0, 0, 800, 600);
    ASSERT_NE(XX共通関数::HelpProcess(), nullptr);
    ASSERT_EQ(visibleWindows<HelpWindow>(), 1);

    clickButton(11);
    EXPECT_EQ(visibleWindows<HelpWindow>(), 0);
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
}

TEST_F(frmMenuTest, ClosingTheMenuByItsFrameTakesTheExitPath) {
    frmMenu.ViewMenu(1, 0);
    XX共通関数::OpenHelpFile("Orsadin.html", "モルビクHelp", 0, 0, 800, 600);
    frmMenu.Window()->close();
    EXPECT_EQ(visibleWindows<HelpWindow>(), 0);
    EXPECT_EQ(forms::TestHook::ends(), std::vector<int>{0});
    // Only recorded in test mode: the menu is still there.
    ASSERT_NE(frmMenu.Window(), nullptr);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 2);
}

}  // namespace
