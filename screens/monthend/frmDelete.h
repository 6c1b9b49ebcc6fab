#pragma once

#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <functional>

#include "platform/forms/Form.h"
#include "platform/runtime/Date.h"

// The deletion of old data (データ整理): removes the daily rows up to the end of a chosen
// month and the month-end rows of the months before it, in one transaction, and reads
// the last closed month again. Opened modally over the main menu.
class frmDelete : public forms::Form {
  public:
    frmDelete();

    // Set by the menu: enables the menu again when the screen goes.
    std::function<void()> ReturnToMenu;

    QLabel* Label1;
    QPushButton* btnSelect;
    QPushButton* OKButton;
    QPushButton* btnEND;

    void btnSelect_Click();
    void OKButton_Click();
    void btnEND_Click();

    const vb::Date& FromDate() const { return fromDate_; }
    const vb::Date& ToDate() const { return toDate_; }

  protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

  private:
    // True when the rows were deleted and the last closed month read again; false after
    // a failure, whose message has been shown.
    bool DeleteOldData();
    bool ReadLastCloseDate();
    void Announce();
    void Leave();
    QString YearMonth(const QString& separator) const;

    vb::Date fromDate_;
    vb::Date toDate_;
    uint8_t monthChosen_ = 0;
};
