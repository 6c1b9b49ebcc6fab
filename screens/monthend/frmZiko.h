#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "InventoryTable.h"
#include "controls/ExpandGrid2.h"
#include "output/ListOutput.h"
#include "platform/runtime/Date.h"
#include "screens/menu/MasterForm.h"

// The inventory table screen (在庫管理表): the table of one month, closed or open, in a
// heading, a body and a totals grid; another month through the month picker; print,
// save as a workbook and back to the main menu. Opened modeless from the main menu.
class frmZiko : public MasterForm {
  public:
    frmZiko();

    forms::PictureBox* Picture1;  // heading grid
    forms::PictureBox* Picture2;  // body grid
    forms::PictureBox* Picture3;  // totals grid
    forms::PictureBox* Picture4;  // page tab
    QScrollBar* VScroll1;
    QLabel* lblYear;
    QLabel* Label2;
    QLabel* lblMonth;
    QLabel* Label3;
    QPushButton* btnSelect;
    ExpandGrid2 HeadGrid;
    ExpandGrid2 BodyGrid;
    ExpandGrid2 TotalGrid;

    void btnSelect_Click();
    void btnPrint_Click();
    void btnSave_Click();
    void btnEND_Click() override;

    const vb::Date& FromDate() const { return fromDate_; }
    const InventoryTable& Table() const { return table_; }
    // The list that print and save put out, with its totals row; empty without rows.
    vb::VariantArray BuildInventoryList() const;

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    void ShowInventory();
    void ShowHeadGrid();
    void ShowBodyGrid();
    void ShowTotalGrid();
    void ShowMonth();
    ListOutputSettings Output() const;

    vb::Date fromDate_;
    InventoryTable table_;
};
