#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "MenuFixture.h"
#include "core/HelpWindow.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/TestHook.h"
#include "screens/menu/frmAbout.h"
#include "screens/menu/frmMenu.h"
#include "screens/menu/helpDialog.h"

namespace {

using helpDialogTest = MenuFixture;

TEST_F(helpDialogTest, TheGuideOpensTopLeftAndASecondPressBringsItForward) {
    frmMenu.ViewMenu(0, 0);  // variant "O": the help is button 5
    QString caption;
    whenShown<helpDialog>([&caption](helpDialog& dialog) {
        caption = dialog.Caption();
        dialog.btnHelp->click();
    });
    clickButton(5);

    EXPECT_EQ(caption, " Help/バージョン情報");
    EXPECT_EQ(visibleWindows<helpDialog>(), 0);
    HelpWindow* help = XX共通関数::HelpProcess();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "モルビクHelp");
    EXPECT_EQ(help->size(), QSize(800, 600));
    EXPECT_EQ(help->pos(), QPoint(0, 0));
    EXPECT_EQ(help->documentTitle(), "モルビク 操作ガイド");
    EXPECT_TRUE(help->toPlainText().contains("次月繰越"));
    EXPECT_TRUE(frmMenu.Window()->Enabled());

    help->move(200, 100);
    whenShown<helpDialog>([](helpDialog& dialog) { dialog.btnHelp->click(); });
    clickButton(5);
    EXPECT_EQ(XX共通関数::HelpProcess(), help);
    EXPECT_EQ(visibleWindows<HelpWindow>(), 1);
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
}

TEST_F(helpDialogTest, WithSupportScreensTheHelpIsButtonSixAndCloses) {
    MainModule::SystemId = "CVA030101";
    frmMenu.ViewMenu(0, 0);
    whenShown<helpDialog>([](helpDialog& dialog) { dialog.btnEND->click(); });
    clickButton(6);
    EXPECT_EQ(visibleWindows<helpDialog>(), 0);
    EXPECT_EQ(XX共通関数::HelpProcess(), nullptr);
    EXPECT_EQ(frmMenu.EMenu.TitleImage(), 1);

    // Its frame takes the close button's path.
    whenShown<helpDialog>([](helpDialog& dialog) { dialog.close(); });
    clickButton(6);
    EXPECT_EQ(visibleWindows<helpDialog>(), 0);
    EXPECT_EQ(frmMenu.Window()->MousePointer(), forms::vbDefault);
}

TEST_F(helpDialogTest, TheVersionBoxShowsTheVersionAndTheSystemCode) {
    for (const QString& systemId : {QString("NEO000001"), QString()}) {
        SCOPED_TRACE(systemId.toStdString());
        MainModule::SystemId = systemId;
        frmMenu.ViewMenu(0, 0);
        QString caption, version, title;
        whenShown<helpDialog>([&](helpDialog& dialog) {
            whenShown<frmAbout>([&](frmAbout& about) {
                caption = about.Caption();
                version = about.lblVersion->text();
                title = about.lblTitle->text();
                about.cmdOK->click();
            });
            dialog.btnVer->click();
        });
        // With an empty code the variant is not "O": the help is button 6.
        clickButton(systemId.isEmpty() ? 6 : 5);

        EXPECT_EQ(caption, "ﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(version, "Ver. " MORVIK_PROJECT_VERSION);
        EXPECT_EQ(title, "モルビク       製品番号:" + systemId);
        // The help dialog closes with the version box.
        EXPECT_EQ(visibleWindows<frmAbout>(), 0);
        EXPECT_EQ(visibleWindows<helpDialog>(), 0);
    }
}

TEST_F(helpDialogTest, AClickWhileTheHourglassShowsDoesNothing) {
    frmMenu.ViewMenu(0, 0);
    auto* dialog = new helpDialog;
    dialog->Show();
    dialog->SetMousePointer(forms::vbHourglass);
    dialog->btnHelp_Click();
    dialog->btnVer_Click();
    dialog->btnEND_Click();
    EXPECT_TRUE(dialog->Loaded());
    EXPECT_EQ(XX共通関数::HelpProcess(), nullptr);
    EXPECT_EQ(visibleWindows<frmAbout>(), 0);

    dialog->SetMousePointer(forms::vbDefault);
    dialog->btnEND_Click();
    EXPECT_FALSE(dialog->Loaded());
}

}  // namespace
