#include "frmFix.h"

#include "CloseTarget.h"
#include "InventoryList.h"
#include "InventoryTable.h"
#include "MonthClose.h"
#include "backup/RestoreAndEnd.h"
#include "core/AccessADOClass.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "output/ListOutput.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/ScreenControls.h"
#include "screens/records/MonthlyStore.h"

namespace {

const QString Title = QStringLiteral("次月繰越");

}  // namespace

frmFix::frmFix() {
    SetBackColor(0xE0E0E0);
    SetCaption(forms::App::Title() + " - " + Title);
    Label1 = new QLabel(this);
    QFont font = Label1->font();
    font.setPointSize(11);
    Label1->setFont(font);
    Label1->setWordWrap(true);
    forms::placeTwips(Label1, 360, 360, 6600, 1200);
    OKButton = ScreenControls::NewButton(this, QStringLiteral("確定"));
    forms::placeTwips(OKButton, 2280, 1800, 2235, 555);
    btnEND = ScreenControls::NewButton(this, QStringLiteral("戻る"));
    forms::placeTwips(btnEND, 4740, 1800, 2235, 555);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(btnEND, &QPushButton::clicked, this, [this] { btnEND_Click(); });
}

void frmFix::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 480, 200);
    XX共通関数::CenterForm(*this);
    targetDate_ = CloseTarget::Month();
    Label1->setText(CloseTarget::Announcement(targetDate_));
    if (!CloseTarget::Allowed(targetDate_)) {
        Label1->setStyleSheet(QStringLiteral("color: #000000;"));
        OKButton->hide();
    }
}

void frmFix::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode == forms::vbFormControlMenu) {
        cancel = 1;
        btnEND_Click();
    }
}

QString frmFix::YearMonth() const {
    return QString::number(targetDate_.year()) + "年" + QString::number(targetDate_.month()) + "月";
}

void frmFix::OKButton_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy() || !CloseTarget::Allowed(targetDate_)) {
            return;
        }
        FormLock lock(*this);
        if (forms::MsgBox(YearMonth() + "のデータを確定してもよろしいですか？",
                          forms::vbYesNo + forms::vbQuestion, Title) == forms::vbYes &&
            CloseMonth()) {
            OfferInventoryTable(InventoryList::Title(targetDate_));
        }
    }
    Leave();
}

void frmFix::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
    }
    Leave();
}

void frmFix::Leave() {
    if (ReturnToMenu) {
        ReturnToMenu();
    }
    Unload();
}

bool frmFix::CloseMonth() {
    MonthClose close(targetDate_);
    const int32_t calculated = close.Calculate();
    if (calculated == MonthClose::NoProducts) {
        forms::MsgBox(YearMonth() +
                          "の締め処理を行う商品がありません。\r\n"
                          "分類と商品を登録してから締め処理を行ってください。",
                      forms::vbExclamation, Title);
        return false;
    }
    if (calculated != MonthClose::Ready) {
        ShowFailure(calculated);
        return false;
    }
    const int32_t saved = close.Save();
    if (saved < 0) {
        ShowFailure(saved);
        return false;
    }
    return ReloadLastFixDate();
}

bool frmFix::ReloadLastFixDate() {
    return MonthlyStore::ReadLastFixDate(Title);
}

void frmFix::ShowFailure(int32_t result) const {
    if (result == AccessADOClass::CannotOpen || result == AccessADOClass::FileNotFound) {
        XX共通関数::ShowErrorMessage(result, Title, 0);
        MainModule::RestoreAndEnd();
        return;
    }
    forms::MsgBox(YearMonth() + "のDataの確定に失敗しました。", forms::vbExclamation, Title);
}

void frmFix::OfferInventoryTable(const QString& title) const {
    if (forms::MsgBox(
            YearMonth() + "のDataを確定しました。\r\n在庫管理表を出力します。よろしいですか？",
            forms::vbYesNo + forms::vbInformation, Title) != forms::vbYes) {
        return;
    }
    InventoryTable table;
    if (!table.Load(targetDate_, Title)) {
        return;
    }
    const vb::VariantArray list =
        InventoryList::Build(table, InventoryList::Values::FromShownFigures);
    if (list.isEmpty()) {
        return;
    }
    ListOutput(InventoryList::Output(title, Title)).Print(list);
}
