#include "MasterForm.h"

#include <QLabel>

#include "ScreenControls.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"

MasterForm::MasterForm(const QString& title) : title_(title) {
    SetBackColor(0xE0E0E0);
    SetCaption(forms::App::Title() + " - " + title);
    Image1 = new QLabel(title, this);
    QFont font = Image1->font();
    font.setPointSize(18);
    font.setBold(true);
    Image1->setFont(font);
    Image1->setAlignment(Qt::AlignCenter);
    Text1 = new QLineEdit(this);
    Text1->hide();
    btnInsert = ScreenControls::NewButton(this, QStringLiteral("登録"));
    btnDel = ScreenControls::NewButton(this, QStringLiteral("削除"));
    btnSave = ScreenControls::NewButton(this, QStringLiteral("保存"));
    btnPrint = ScreenControls::NewButton(this, QStringLiteral("印刷"));
    btnEND = ScreenControls::NewButton(this, QStringLiteral("戻る"));
    QObject::connect(btnEND, &QPushButton::clicked, this, [this] { btnEND_Click(); });
}

void MasterForm::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode == forms::vbFormControlMenu) {
        cancel = 1;
        btnEND_Click();
    }
}

forms::PictureBox* MasterForm::NewPictureBox(double left, double top, double width, double height) {
    auto* box = new forms::PictureBox(this);
    box->Move(left, top, width, height);
    return box;
}

QScrollBar* MasterForm::NewScrollBar(double left, double top, double width, double height) {
    auto* bar = new QScrollBar(Qt::Vertical, this);
    forms::placeTwips(bar, left, top, width, height);
    return bar;
}

void MasterForm::GoBackToMenu() {
    if (ReturnToMenu) {
        ReturnToMenu();
    }
    Unload();
}

void MasterForm::HideAllButtons() {
    for (QPushButton* button : {btnInsert, btnDel, btnSave, btnPrint}) {
        button->setVisible(false);
    }
}

void MasterForm::HideListButtons() {
    for (QPushButton* button : {btnDel, btnSave, btnPrint}) {
        button->setVisible(false);
    }
}

bool MasterForm::DiscardAsked() const {
    return forms::MsgBox(
               "入力情報が登録されていません。メンテナンスメニュー画面に戻ってもよろしいですか？"
               "\r\n(注)メンテナンスメニュー画面に戻った場合、入力されたデータは登録されません。",
               forms::vbOKCancel + forms::vbExclamation, title_) == forms::vbOK;
}
