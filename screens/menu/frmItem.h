#pragma once

#include <QString>
#include <cstdint>

#include "MasterForm.h"
#include "controls/ExpandGrid2.h"
#include "platform/runtime/VariantArray.h"

// The master of products: the classes on the left, the products of the chosen class
// in an editable grid followed by 15 blank rows on the right. Registers a class's whole
// product list in one replace, deletes single products once no stock or uncarried daily
// records depend on them, prints and saves the list of all products, and goes back to
// the maintenance menu.
class frmItem : public MasterForm {
  public:
    frmItem();

    forms::PictureBox* Picture1;
    forms::PictureBox* Picture2;
    forms::PictureBox* Picture3;
    forms::PictureBox* Picture4;
    QScrollBar* VScroll1;
    QScrollBar* VScroll2;
    ExpandGrid2 TitleGrid;
    ExpandGrid2 EGrid;
    ExpandGrid2 FGrid;

    void FGrid_Click();
    void Picture3_KeyDown();
    void EGrid_EnterCell();
    void btnInsert_Click();
    void btnDel_Click();
    void btnPrint_Click();
    void btnSave_Click();
    void btnEND_Click() override;

    // The class shown, three digits; "" when a blank class row was chosen.
    const QString& CurrentClass() const { return currentClass_; }

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    // Loads the products of the highlighted class, asking first when the shown ones
    // have edits; No puts the highlight back on the shown class.
    void ChooseClass();
    bool LoadClassifyList();
    void ShowTitleGrid();
    void ShowTradeGrid();
    // The class's products into rows; false after a failed read (shown).
    bool ReadTradeList(vb::VariantArray& products);
    void ShowFailedGrids();
    void ShowEmptyTradeGrid();
    void LockedGrid(ExpandGrid2& grid, const std::vector<float>& widths);
    // All products as texts for print and save; the count or a negative code (shown).
    int32_t ReadPrintList(vb::VariantArray& list);
    void ShowAllButtons();
    void HideSaveButton();
    bool CollectRows(vb::VariantArray& rows, bool& changed) const;
    bool HasEdits() const;
    // A product count of all classes, or a negative code (shown).
    int32_t CountAllProducts();

    QString currentClass_;
    int currentClassRow_ = 0;
    int32_t productCount_ = 0;
    vb::VariantArray gridSnapshot_;
    bool loadFailed_ = false;
    forms::Subscription enterCell_;
    forms::Subscription classClick_;
    forms::Subscription classKeys_;
};
