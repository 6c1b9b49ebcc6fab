#include "helpDialog.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "core/XXPictureFunctions.h"
#include "frmAbout.h"
#include "frmMenu.h"
#include "output/BusyGuard.h"
#include "platform/forms/App.h"
#include "platform/forms/Twips.h"

namespace {

const QString HelpFileName = QStringLiteral("Orsadin.html");
// The help button's picture of the menu.
constexpr int32_t HelpPicture = 70;

QPushButton* NewButton(QWidget* parent, const QString& caption, double top) {
    auto* button = new QPushButton(caption, parent);
    forms::placeTwips(button, 2520, top, 2400, 480);
    return button;
}

}  // namespace

helpDialog::helpDialog() {
    SetBackColor(0xE0E0E0);
    SetWidth(5400);
    SetHeight(2520);
    Image1 = new QLabel(this);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap::fromImage(XX共通関数::LoadResourcePicture(
        HelpPicture + MainModule::PictureFlg, vb::Variant(QStringLiteral("CUSTOM")))));
    forms::placeTwips(Image1, 240, 240, 2040, 1800);
    btnHelp = NewButton(this, QStringLiteral("ヘルプ"), 240);
    btnVer = NewButton(this, QStringLiteral("バージョン情報"), 900);
    btnEND = NewButton(this, QStringLiteral("閉じる"), 1560);
    connect(btnHelp, &QPushButton::clicked, this, [this] { btnHelp_Click(); });
    connect(btnVer, &QPushButton::clicked, this, [this] { btnVer_Click(); });
    connect(btnEND, &QPushButton::clicked, this, [this] { btnEND_Click(); });
}

void helpDialog::Form_Load() {
    SetCaption(QStringLiteral(" Help/バージョン情報"));
    XX共通関数::CenterForm(*this);
}

void helpDialog::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode == forms::vbFormControlMenu) {
        cancel = 1;
        btnEND_Click();
    }
}

void helpDialog::btnHelp_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    frmMenu.SetEnabled(true);
    XX共通関数::OpenHelpFile(HelpFileName, forms::App::Title() + QStringLiteral("Help"), 0, 0, 800,
                             600);
    Unload();
}

void helpDialog::btnVer_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    auto* about = new frmAbout;
    about->Show(forms::vbModal, this);
    Unload();
}

void helpDialog::btnEND_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    frmMenu.SetEnabled(true);
    Unload();
}
