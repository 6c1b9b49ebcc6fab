#pragma once

#include <QLabel>
#include <QPushButton>
#include <functional>

#include "platform/forms/Form.h"
#include "platform/runtime/Date.h"

// The month-end close (次月繰越): closes the month after the last closed month into one
// FixDeta_tbl row per product, reads the last closed month again and offers to print the
// month's inventory table. Opened modally over the main menu.
class frmFix : public forms::Form {
  public:
    frmFix();

    // Set by the menu: enables the menu again when the screen goes.
    std::function<void()> ReturnToMenu;

    QLabel* Label1;
    QPushButton* OKButton;
    QPushButton* btnEND;

    void OKButton_Click();
    void btnEND_Click();

    const vb::Date& TargetDate() const { return targetDate_; }

  protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

  private:
    // The calculation, the store, the reload and the output offer; false when the close
    // stopped (its message shown).
    bool CloseMonth();
    bool ReloadLastFixDate();
    void ShowFailure(int32_t result) const;
    void OfferInventoryTable(const QString& title) const;
    void Leave();
    QString YearMonth() const;

    vb::Date targetDate_;
};
