#include "frmMenu.h"

#include "MenuChecks.h"
#include "MenuLayout.h"
#include "backup/frmRestore.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "frmClassify.h"
#include "frmItem.h"
#include "helpDialog.h"
#include "platform/forms/App.h"
#include "screens/analysis/frmRanking.h"
#include "screens/analysis/frmRieki.h"
#include "screens/analysis/frmSyosuList.h"
#include "screens/monthend/frmDelete.h"
#include "screens/monthend/frmFix.h"
#include "screens/monthend/frmZiko.h"
#include "screens/records/frmSireUriage.h"
#include "screens/records/frmZanMentnans.h"

MainMenu frmMenu;

namespace {

// A form unloaded by now is on its way out: it is not shown again.
template <class Form>
bool IsLoaded(const QPointer<Form>& form) {
    return form && form->Loaded();
}

}  // namespace

MainMenu::MainMenu()
    : buttonClick_(EMenu.ButtonClick.connect([this](int16_t index) { EMenu_ButtonClick(index); })) {
}

void MainMenu::ViewMenu(int16_t argMenuNo, uint8_t argTheme) {
    MenuLayout::Page page;
    const QChar variant = MenuLayout::SupportVariant(MainModule::SystemId);
    const bool known = MenuLayout::PageOf(argMenuNo, argTheme, variant, page);
    if (!known && IsLoaded(window_)) {
        window_->Show();
        return;
    }
    if (!known) {
        MenuLayout::PageOf(MenuLayout::MainMenu, argTheme, variant, page);
    }
    if (!IsLoaded(window_)) {
        window_ = new MenuWindow([this] { EndProgram(); });
    }
    EMenu.BaseForm(window_);
    EMenu.Title(page.title);
    EMenu.TitleImage(page.titleImage);
    for (const MenuLayout::Assignment& button : page.buttons) {
        EMenu.Button(button.index, button.pictureId);
    }
    window_->Show();
}

forms::Form* MainMenu::Window() const {
    return IsLoaded(window_) ? window_.data() : nullptr;
}

void MainMenu::SetEnabled(bool enabled) {
    if (IsLoaded(window_)) {
        window_->SetEnabled(enabled);
    }
}

void MainMenu::EMenu_ButtonClick(int16_t Index) {
    switch (EMenu.TitleImage()) {
        case 1:
            MainMenuClick(Index);
            break;
        case 2:
            MaintenanceMenuClick(Index);
            break;
        case 3:
            SupportMenuClick(Index);
            break;
        default:
            break;
    }
}

void MainMenu::MainMenuClick(int16_t index) {
    switch (index) {
        case 0:
            if (MenuChecks::CloseDateRegistered(QStringLiteral("仕入/売上管理表"))) {
                OpenScreen(sireUriage_, MenuLayout::MainMenu);
            }
            break;
        case 1:
            if (MenuChecks::CloseDateRegistered(QStringLiteral("売上利益表"))) {
                OpenScreen(rieki_, MenuLayout::MainMenu);
            }
            break;
        case 2:
            if (MenuChecks::CloseDateRegistered(QStringLiteral("在庫管理表"))) {
                OpenScreen(ziko_, MenuLayout::MainMenu);
            }
            break;
        case 3:
            if (MenuChecks::MastersRegistered(QStringLiteral("次月繰越"))) {
                ShowMonthClose();
            }
            break;
        case 4:
            ViewMenu(MenuLayout::MaintenanceMenu, MainModule::PictureFlg);
            break;
        case 5:
            if (MenuLayout::SupportVariant(MainModule::SystemId) == u'O') {
                ShowHelpDialog();
            } else {
                ViewMenu(MenuLayout::SupportMenu, MainModule::PictureFlg);
            }
            break;
        case 6:
            ShowHelpDialog();
            break;
        case 11:
            EndProgram();
            break;
        default:
            break;
    }
}

void MainMenu::MaintenanceMenuClick(int16_t index) {
    switch (index) {
        case 0:
            OpenScreen(classify_, MenuLayout::MaintenanceMenu);
            break;
        case 1:
            if (MenuChecks::ClassificationsRegistered(QStringLiteral("商品一覧"))) {
                OpenScreen(item_, MenuLayout::MaintenanceMenu);
            }
            break;
        case 2:
            if (MenuChecks::MastersRegistered(QStringLiteral("月間データメンテナンス"))) {
                OpenScreen(zanMentnans_, MenuLayout::MaintenanceMenu);
            }
            break;
        case 3:
            frmRestore::ShowModal(window_);
            break;
        case 4:
            ShowDeletion();
            break;
        case 11:
            ViewMenu(MenuLayout::MainMenu, MainModule::PictureFlg);
            break;
        default:
            break;
    }
}

// Button 0 is the rankings in variants A and R and the stock lists in variant L.
void MainMenu::SupportMenuClick(int16_t index) {
    const QChar variant = MenuLayout::SupportVariant(MainModule::SystemId);
    switch (index) {
        case 0:
            if (variant == u'A' || variant == u'R') {
                if (MenuChecks::CloseDateRegistered(QStringLiteral("ランキング"))) {
                    OpenScreen(ranking_, MenuLayout::SupportMenu);
                }
            } else if (variant == u'L') {
                OpenStockLists();
            }
            break;
        case 1:
            OpenStockLists();
            break;
        case 11:
            ViewMenu(MenuLayout::MainMenu, MainModule::PictureFlg);
            break;
        default:
            break;
    }
}

void MainMenu::OpenStockLists() {
    if (MenuChecks::CloseDateRegistered(QStringLiteral("在庫少数リスト"))) {
        OpenScreen(syosuList_, MenuLayout::SupportMenu);
    }
}

template <class Screen>
void MainMenu::OpenScreen(QPointer<Screen>& screen, int16_t menuNo) {
    if (!IsLoaded(screen)) {
        screen = new Screen;
        screen->ReturnToMenu = [this, menuNo] { ViewMenu(menuNo, MainModule::PictureFlg); };
    }
    screen->Show();
    // A screen that could not stay loaded leaves the menu in place.
    if (IsLoaded(screen) && IsLoaded(window_)) {
        window_->Unload();
    }
}

// The close runs modal over the menu, which it enables again on every way out.
void MainMenu::ShowMonthClose() {
    if (!IsLoaded(fix_)) {
        fix_ = new frmFix;
        fix_->ReturnToMenu = [this] { SetEnabled(true); };
    }
    fix_->Show(forms::vbModal, window_);
}

// The deletion runs modal over the menu, which it enables again on every way out.
void MainMenu::ShowDeletion() {
    if (!IsLoaded(deletion_)) {
        deletion_ = new frmDelete;
        deletion_->ReturnToMenu = [this] { SetEnabled(true); };
    }
    deletion_->Show(forms::vbModal, window_);
}

void MainMenu::ShowHelpDialog() {
    if (!IsLoaded(help_)) {
        help_ = new helpDialog;
    }
    help_->Show(forms::vbModal, window_);
}

void MainMenu::EndProgram() {
    XX共通関数::CloseHelpFile();
    forms::App::End(0);
}
