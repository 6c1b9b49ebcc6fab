#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "DayRegistration.h"
#include "SalesQtyOnEnter.h"
#include "controls/ExpandGrid2.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The daily purchases and sales: one day, one row per product with the day's purchase
// quantity, sales quantity, sales price and sales amount, and the day's totals. A day
// after the last closed month lists the masters' products and can be edited and
// registered; a day of a closed month lists that month's frozen products, read-only.
// Shows today first; another day is chosen with the date picker. Prints and saves the
// day's stored rows and goes back to the main menu.
//
// Opened modeless from the main menu:
//
//     auto* screen = new frmSireUriage;
//     screen->ReturnToMenu = [] { frmMenu::ViewMenu(0, MainModule::PictureFlg); };
//     screen->Show();
//
// The screen deletes itself when it is unloaded.
class frmSireUriage : public forms::Form {
  public:
    frmSireUriage();

    // Set by the menu: shows the main menu again when the screen goes back.
    std::function<void()> ReturnToMenu;

    QLabel* Image1;
    QLabel* lblYear;
    QLabel* lblMonth;
    QLabel* lblDay;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* btnSelect;
    QPushButton* btnInsert;
    QPushButton* btnSave;
    QPushButton* btnPrint;
    QPushButton* btnEND;
    forms::PictureBox* Picture1;
    forms::PictureBox* Picture2;
    forms::PictureBox* Picture3;
    forms::PictureBox* Picture4;
    QScrollBar* VScroll1;
    QLineEdit* Text1;
    ExpandGrid2 TitleGrid;
    ExpandGrid2 EGrid;
    ExpandGrid2 TotalGrid;

    void btnSelect_Click();
    void btnInsert_Click();
    void btnPrint_Click();
    void btnSave_Click();
    void btnEND_Click();
    void EGrid_EnterCell();
    void EGrid_LeaveCell();

    // The day shown, without a time.
    const vb::Date& ShownDay() const { return shownDay_; }
    // The shown rows as loaded: class, product, purchase quantity, purchase price of
    // the day's product list, stored purchase amount, sales quantity, sales amount.
    const vb::VariantArray& DayRows() const { return dayRows_; }
    // Products shown; 0 when the product list is empty or could not be read.
    int32_t DayRowCount() const { return dayRowCount_; }
    // The day lies in a closed month: read-only.
    bool DayClosed() const { return closed_; }

  protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

  private:
    // (Re)builds the three grids and the buttons for the shown day.
    void ShowDayGrid();
    void ShowTitleGrid();
    void ShowTotalGrid(const vb::VariantArray& totals);
    void ShowDayLabels();
    // Reads the day: its product list and stored rows matched into the grid's rows,
    // the totals and DayRows. False after a failed read (shown).
    bool LoadDayData(vb::VariantArray& rows, vb::VariantArray& totals);
    bool LoadMasterProducts(vb::VariantArray& list);
    bool LoadFixProducts(vb::VariantArray& list);
    // The day's stored rows joined with their products for print and save: the row
    // count, or a negative code after its message.
    int32_t BuildPrintList(vb::VariantArray& list);

    void ShowAllButtons();
    void HideSaveButton();
    void ShowInsertButtonOnly();
    void HideAllButtons();

    // Commits an open edit with its leave-cell computation; false when that refused the
    // edited quantity.
    bool CommitEdit();
    std::vector<DayCells> ShownCells() const;
    // The shown cells differ from the load: asks whether to discard them.
    bool DiscardAsked(const QString& question) const;
    void ShowRefusal(const DayWrite& write) const;

    vb::Date shownDay_;
    vb::VariantArray dayRows_;
    vb::VariantArray orphanRows_;
    int32_t dayRowCount_ = 0;
    bool closed_ = false;
    SalesQtyOnEnter salesQtyOnEnter_;
    bool amountRefused_ = false;
    std::vector<forms::Subscription> gridEvents_;
};
