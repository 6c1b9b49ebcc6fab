#include "frmAbout.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "core/XXPictureFunctions.h"
#include "output/BusyGuard.h"
#include "platform/forms/Twips.h"

namespace {

// The product band at the right of the menu's header picture.
QPixmap ProductBand() {
    const QImage header = XX共通関数::LoadResourcePicture(1, vb::Variant(QStringLiteral("MENU")));
    return QPixmap::fromImage(header.copy(470, 0, 330, 60));
}

QLabel* NewLabel(QWidget* parent, double left, double top, double width, double height) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    forms::placeTwips(label, left, top, width, height);
    return label;
}

}  // namespace

frmAbout::frmAbout() {
    SetBackColor(0xE0E0E0);
    SetWidth(7200);
    SetHeight(4200);
    picIcon = new QLabel(this);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(ProductBand());
    forms::placeTwips(picIcon, 240, 240, 6600, 900);
    lblTitle = NewLabel(this, 240, 1200, 6600, 300);
    lblVersion = NewLabel(this, 240, 1560, 6600, 300);
    lblDescription = NewLabel(this, 240, 1980, 6600, 600);
    lblDescription->setText(QStringLiteral(
        "小規模店舗向けの販売・在庫管理システムです。商品分類と商品の登録、日々の仕入と売上、"
        "月次の繰越と在庫、売上の分析、データのバックアップを行います。"));
    lblDisclaimer = NewLabel(this, 240, 2700, 6600, 600);
    lblDisclaimer->setText(QStringLiteral(
        "本ソフトウェアの使用によって生じた損害について、発行元は一切の責任を負いません。"
        "大切なデータは定期的にバックアップしてください。"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    forms::placeTwips(cmdOK, 5400, 3360, 1440, 420);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmAbout::Form_Load() {
    XX共通関数::CenterForm(*this);
    SetCaption(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    lblVersion->setText(QStringLiteral("Ver. %1.%2.%3")
                            .arg(MORVIK_VERSION_MAJOR)
                            .arg(MORVIK_VERSION_MINOR)
                            .arg(MORVIK_VERSION_PATCH));
    lblTitle->setText(QStringLiteral("モルビク       製品番号:") + MainModule::SystemId);
}

void frmAbout::cmdOK_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    Unload();
}
