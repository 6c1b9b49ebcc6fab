#pragma once

#include <QPointer>
#include <cstdint>

#include "MenuWindow.h"
#include "controls/ExpandMenu.h"
#include "platform/forms/Subscription.h"

class frmClassify;
class frmDelete;
class frmFix;
class frmItem;
class frmRanking;
class frmRieki;
class frmSireUriage;
class frmSyosuList;
class frmZanMentnans;
class frmZiko;
class helpDialog;

// The hub of the program: the main, maintenance and management-support menus on one
// picture-button page. A click opens a screen, switches menus or ends the program.
// Screens shown modeless replace the menu, which unloads itself, and bring it back
// through ViewMenu when they close; modal screens open over it.
//
// The object lives as long as the program (the one instance is frmMenu); its window is
// created by ViewMenu whenever none is loaded. The menu shown is EMenu.TitleImage():
// 1 main, 2 maintenance, 3 management support.
class MainMenu {
  public:
    MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Builds menu argMenuNo (0 main, 1 maintenance, 2 management support) with picture
    // set argTheme on the page and shows the window modeless. Another number only shows
    // the window as it stands (the main menu when none is loaded).
    void ViewMenu(int16_t argMenuNo, uint8_t argTheme);
    // A click on button Index of the menu shown.
    void EMenu_ButtonClick(int16_t Index);

    // The menu window while it is loaded; null while a screen shown modeless replaces it.
    forms::Form* Window() const;
    void SetEnabled(bool enabled);

    ExpandMenu EMenu;

  private:
    void MainMenuClick(int16_t index);
    void MaintenanceMenuClick(int16_t index);
    void SupportMenuClick(int16_t index);
    // Shows the screen (created when there is none), which returns to menu menuNo when
    // it closes, and unloads the menu.
    // The low-stock and zero-stock lists, from either button that offers them.
    void OpenStockLists();
    template <class Screen>
    void OpenScreen(QPointer<Screen>& screen, int16_t menuNo);
    void ShowMonthClose();
    void ShowDeletion();
    void ShowHelpDialog();
    // Closes the help window and ends the program.
    void EndProgram();

    QPointer<MenuWindow> window_;
    forms::Subscription buttonClick_;
    QPointer<frmSireUriage> sireUriage_;
    QPointer<frmClassify> classify_;
    QPointer<frmItem> item_;
    QPointer<frmZanMentnans> zanMentnans_;
    QPointer<frmZiko> ziko_;
    QPointer<frmFix> fix_;
    QPointer<frmRanking> ranking_;
    QPointer<frmSyosuList> syosuList_;
    QPointer<frmRieki> rieki_;
    QPointer<frmDelete> deletion_;
    QPointer<helpDialog> help_;
};

extern MainMenu frmMenu;
