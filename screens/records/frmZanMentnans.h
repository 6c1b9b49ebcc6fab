#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <cstdint>

#include "SalesQtyOnEnter.h"
#include "controls/ExpandGrid2.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"
#include "screens/menu/MasterForm.h"

// The monthly data maintenance: one month of FixDeta_tbl, a row per product, with the
// purchase and sales quantities, the sales amount and the closing stock to correct and
// register again. While FixDeta_tbl holds no month it shows the product list with zero
// quantities and registers it as the system's first month. Prints and saves the month
// as read and goes back to the maintenance menu.
class frmZanMentnans : public MasterForm {
  public:
    // What the last load showed.
    enum LoadModes : int16_t {
        NotLoaded = 0,
        NothingRead = 1,  // a read failed: nothing to edit
        InitialMode = 3,  // no month registered yet: the products with zeros
        StoredMonth = 4,  // the month's rows of FixDeta_tbl
    };

    frmZanMentnans();

    forms::PictureBox* Picture1;  // heading grid
    forms::PictureBox* Picture2;  // body grid
    forms::PictureBox* Picture3;  // page tab
    QScrollBar* VScroll1;
    QLabel* lblYear;
    QLabel* Label2;
    QLabel* lblMonth;
    QLabel* Label3;
    QPushButton* btnSelect;
    ExpandGrid2 TitleGrid;
    ExpandGrid2 EGrid;

    void btnSelect_Click();
    void btnInsert_Click();
    void btnPrint_Click();
    void btnSave_Click();
    void btnEND_Click() override;
    void EGrid_EnterCell();
    void EGrid_LeaveCell();

    // The list that print and save put out: the month as read, nine texts a row.
    vb::VariantArray BuildPrintList() const;

    const vb::Date& FromDate() const { return fromDate_; }
    const vb::Date& ToDate() const { return toDate_; }
    int32_t MonthRowCount() const { return monthRowCount_; }
    // The month's 18 columns after FixDate, as read.
    const vb::VariantArray& MonthRows() const { return monthRows_; }
    LoadModes LoadMode() const { return loadMode_; }

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    void ShowMonthGrid();
    void ShowTitleGrid();
    void ShowBodyGrid();
    bool LoadMonthData();
    bool LoadMasterForMonth();
    void ShowAllButtons();
    void ShowInsertButtonOnly();
    void HideSaveButton();
    void ShowMonth();
    // The grid columns 0, 1, 3, 5, 8, 7, 9, 10 of the read rows.
    void TakeGridRows();
    // Some read row shows other values than were read.
    bool MonthChanged() const;
    // The rows of FixDeta_tbl for the grid as it stands; false after the message when a
    // computed amount is out of range.
    bool BuildMonthRows(vb::VariantArray& rows) const;
    QString Heading() const;

    vb::VariantArray monthRows_;
    vb::VariantArray monthGridRows_;
    int32_t monthRowCount_ = 0;
    vb::Date fromDate_;
    vb::Date toDate_;
    SalesQtyOnEnter salesQtyOnEnter_;
    LoadModes loadMode_ = NotLoaded;
    forms::Subscription enterCell_;
    forms::Subscription leaveCell_;
};
