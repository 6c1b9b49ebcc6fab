#pragma once

#include "platform/forms/Form.h"

class QLabel;
class QPushButton;

// The help dialog of the main menu: opens the user guide in the help window, shows the
// version box, or closes. Each button unloads the dialog when its work is done; closing
// it by its frame takes the close button's path.
class helpDialog : public forms::Form {
  public:
    helpDialog();

    QLabel* Image1;
    QPushButton* btnHelp;
    QPushButton* btnVer;
    QPushButton* btnEND;

    // The guide "Orsadin.html" of the program folder, 800 x 600 at the top left of the
    // screen, in the window "モルビクHelp" (brought forward when it is open already).
    void btnHelp_Click();
    void btnVer_Click();
    void btnEND_Click();

  protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
};
