#pragma once

#include <cstdint>

#include "MasterForm.h"
#include "controls/ExpandGrid2.h"
#include "platform/runtime/VariantArray.h"

// The master of product classes: every class of ClassifyMast_tbl in an editable grid
// followed by 15 blank rows; registers the whole list in one replace, deletes single
// classes once no stock or uncarried daily records depend on them, prints and saves
// the stored list, and goes back to the maintenance menu.
class frmClassify : public MasterForm {
  public:
    frmClassify();

    forms::PictureBox* Picture1;
    forms::PictureBox* Picture2;
    forms::PictureBox* Picture3;
    QScrollBar* VScroll1;
    ExpandGrid2 TitleGrid;
    ExpandGrid2 EGrid;

    void btnInsert_Click();
    void btnDel_Click();
    void btnPrint_Click();
    void btnSave_Click();
    void btnEND_Click() override;
    void EGrid_EnterCell();

    // The list as read at the last load (number, name): what print and save put out.
    const vb::VariantArray& StoredList() const { return storedList_; }

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    void ShowClassifyGrid();
    int32_t ReadClassifyList();
    void ShowAllButtons();
    void HideSaveButton();
    // Fills rows with the registered list in grid order; false after the message of
    // the first incomplete, invalid or repeated row. changed tells whether any row
    // differs from the load.
    bool CollectRows(vb::VariantArray& rows, bool& changed) const;
    // After a delete: the flags of the masters that are now empty are cleared.
    void RefreshMasterFlags();

    vb::VariantArray storedList_;
    vb::VariantArray gridSnapshot_;
    int32_t gridRowCount_ = 0;
    bool loadFailed_ = false;
    forms::Subscription enterCell_;
};
