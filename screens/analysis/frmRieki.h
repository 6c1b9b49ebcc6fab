#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "ProfitTable.h"
#include "controls/ExpandGrid2.h"
#include "output/ListOutput.h"
#include "platform/runtime/Date.h"
#include "screens/menu/MasterForm.h"

// The profit table screen (売上利益表): the daily profit table of one day per class in a
// heading, a body and a totals grid, first for today; another day through the calendar;
// print, save as a workbook and back to the main menu. Opened modeless from the main
// menu.
class frmRieki : public MasterForm {
  public:
    frmRieki();

    forms::PictureBox* Picture1;  // heading grid
    forms::PictureBox* Picture2;  // class rows
    forms::PictureBox* Picture3;  // totals row
    forms::PictureBox* Picture4;  // page tab
    QScrollBar* VScroll1;
    QLabel* lblYear;
    QLabel* Label2;
    QLabel* lblMonth;
    QLabel* Label3;
    QLabel* lblDay;
    QLabel* Label4;
    QPushButton* btnSelect;
    ExpandGrid2 HeadGrid;
    ExpandGrid2 BodyGrid;
    ExpandGrid2 TotalGrid;

    void btnSelect_Click();
    void btnPrint_Click();
    void btnSave_Click();
    void btnEND_Click() override;

    const vb::Date& ShowDay() const { return showDay_; }
    const ProfitTable& Table() const { return table_; }

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    void SetDay(const vb::Date& day);
    void ShowProfitTable();
    void ShowHeadGrid();
    void ShowBodyGrid();
    void ShowTotalGrid();
    ListOutputSettings Output() const;

    vb::Date showDay_;
    ProfitTable table_;
};
