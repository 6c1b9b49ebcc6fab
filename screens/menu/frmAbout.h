#pragma once

#include "platform/forms/Form.h"

class QLabel;
class QPushButton;

// The version box: the program's version and the product code (the system code).
class frmAbout : public forms::Form {
  public:
    frmAbout();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;

    void cmdOK_Click();

  protected:
    void Form_Load() override;
};
