#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <array>

#include "RankingTables.h"
#include "controls/ExpandGrid2.h"
#include "platform/runtime/Date.h"
#include "screens/menu/MasterForm.h"

// The ranking screen (ランキング): the sales rankings of one month, of the classes and
// of the products by sales quantity, sales amount and profit, one per tab button;
// another month through the month picker; back to the management-support menu.
// Opened modeless from that menu on the current month.
class frmRanking : public MasterForm {
  public:
    frmRanking();

    forms::PictureBox* Picture1;  // heading grid
    forms::PictureBox* Picture2;  // body grid
    forms::PictureBox* Picture3;  // page tab
    QScrollBar* VScroll1;
    QLabel* lblYear;
    QLabel* Label2;
    QLabel* lblMonth;
    QLabel* Label3;
    QPushButton* btnSelect;
    std::array<QPushButton*, 6> Commands;  // Command1 to Command6
    ExpandGrid2 HeadGrid;
    ExpandGrid2 BodyGrid;

    void btnSelect_Click();
    // The class rankings by quantity, amount and profit, then the product rankings.
    void Command1_Click() { SelectTab(0); }
    void Command2_Click() { SelectTab(1); }
    void Command3_Click() { SelectTab(2); }
    void Command4_Click() { SelectTab(3); }
    void Command5_Click() { SelectTab(4); }
    void Command6_Click() { SelectTab(5); }
    void btnEND_Click() override;

    const vb::Date& FromDate() const { return fromDate_; }
    const vb::Date& ToDate() const { return toDate_; }
    const RankingTables& Tables() const { return tables_; }

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    void SetMonth(const vb::Date& from);
    void LoadRankings();
    void ResetRankButtons();
    void SelectTab(int tab);
    void ShowClassRanking(int kind);
    void ShowProductRanking(int kind);
    void ShowRanking(const RankingTables::Ranking& ranking, int kind, bool products);

    vb::Date fromDate_;
    vb::Date toDate_;
    RankingTables tables_;
};
