#pragma once

#include <QPushButton>
#include <QScrollBar>
#include <array>

#include "StockLists.h"
#include "controls/ExpandGrid2.h"
#include "output/ListOutput.h"
#include "screens/menu/MasterForm.h"

// The stock list screen (在庫少数リスト): the low-stock list, the zero-stock list and the
// average sales quantity of every product, one per tab button, computed once on load;
// the first two print and save as a workbook; back to the management-support menu.
// Opened modeless from that menu.
class frmSyosuList : public MasterForm {
  public:
    frmSyosuList();

    forms::PictureBox* Picture1;  // heading grid
    forms::PictureBox* Picture2;  // body grid
    forms::PictureBox* Picture3;  // page tab
    QScrollBar* VScroll1;
    std::array<QPushButton*, 3> Commands;  // Command1 to Command3
    ExpandGrid2 HeadGrid;
    ExpandGrid2 BodyGrid;

    void Command1_Click() { SelectTab(0); }
    void Command2_Click() { SelectTab(1); }
    void Command3_Click() { SelectTab(2); }
    void btnPrint_Click();
    void btnSave_Click();
    void btnEND_Click() override;

    const StockLists& Lists() const { return lists_; }
    // The list that print and save put out: number (class and product number joined),
    // name, average and stock; empty without rows.
    vb::VariantArray BuildOutputArray() const;

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    void SelectTab(int tab);
    void ShowStockList(int kind);
    QString ListName() const;
    ListOutputSettings Output() const;

    StockLists lists_;
    int ListKind = 0;  // the list of print and save: 0 low stock, 1 zero stock
};
