#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <functional>

#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

class QLabel;

// The frame of the master screens: the title, the cell editor, the five buttons
// (register, delete, save, print, back) and the way back to the menu. Closing the
// window by its frame takes the back button's path.
class MasterForm : public forms::Form {
  public:
    explicit MasterForm(const QString& title);

    // Set by the menu: shows the maintenance menu again when the screen goes back.
    std::function<void()> ReturnToMenu;

    QLabel* Image1;
    QLineEdit* Text1;
    QPushButton* btnInsert;
    QPushButton* btnDel;
    QPushButton* btnSave;
    QPushButton* btnPrint;
    QPushButton* btnEND;

    virtual void btnEND_Click() = 0;

  protected:
    void Form_QueryUnload(int& cancel, int unloadMode) override;

    forms::PictureBox* NewPictureBox(double left, double top, double width, double height);
    QScrollBar* NewScrollBar(double left, double top, double width, double height);
    // After the question of the back button: the menu again, then the screen goes.
    void GoBackToMenu();
    // Hides register, delete, save and print; HideListButtons only delete, save and print.
    void HideAllButtons();
    void HideListButtons();
    // "入力情報が登録されていません。…" answered with OK.
    bool DiscardAsked() const;

    const QString title_;
};
