#include "frmDelete.h"

#include <QPalette>

#include "backup/RestoreAndEnd.h"
#include "controls/MonthView.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/MasterDatabase.h"

namespace {

const QString Title = QStringLiteral("データ整理");

QPushButton* NewButton(QWidget* parent, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setStyleSheet(QStringLiteral("background-color: #C0C0FF;"));
    return button;
}

void SetTextColor(QLabel* label, long vbColor) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, forms::colorFromVb(vbColor));
    label->setPalette(palette);
}

}  // namespace

frmDelete::frmDelete() {
    SetBackColor(0xE0E0E0);
    SetCaption(forms::App::Title() + " - " + Title);
    Label1 = new QLabel(this);
    QFont font = Label1->font();
    font.setPointSize(11);
    Label1->setFont(font);
    Label1->setWordWrap(true);
    forms::placeTwips(Label1, 360, 360, 6600, 1500);
    btnSelect = NewButton(this, QStringLiteral("月の選択"));
    forms::placeTwips(btnSelect, 360, 2100, 2055, 555);
    OKButton = NewButton(this, QStringLiteral("確定"));
    forms::placeTwips(OKButton, 2640, 2100, 2055, 555);
    btnEND = NewButton(this, QStringLiteral("戻る"));
    forms::placeTwips(btnEND, 4920, 2100, 2055, 555);
    connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelect_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(btnEND, &QPushButton::clicked, this, [this] { btnEND_Click(); });
}

void frmDelete::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 480, 220);
    XX共通関数::CenterForm(*this);
    monthChosen_ = 0;
    Label1->setText(
        QStringLiteral("削除をする月を選択して下さい。\r\n\r\n"
                       "注）削除されたデータの復元できなくなります。\r\n"
                       "削除をする前にデータのバックアップをして下さい。"));
}

void frmDelete::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode == forms::vbFormControlMenu) {
        cancel = 1;
        btnEND_Click();
    }
}

QString frmDelete::YearMonth(const QString& separator) const {
    return QString::number(fromDate_.year()) + "年" + separator +
           QString::number(fromDate_.month()) + "月";
}

void frmDelete::btnSelect_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    MonthView view;
    view.Value(fromDate_);
    view.Caption(QStringLiteral("削除したい月を選択してください。"));
    if (view.Show() != -1) {
        return;
    }
    fromDate_ = view.FromDate().dateOnly();
    toDate_ = view.ToDate().dateOnly();
    monthChosen_ = 1;
    Announce();
}

// A month counts as closed when its first day is not after the last closed month; with
// no month held at all, every choice deletes every month-end row.
void frmDelete::Announce() {
    const bool closed = MainModule::HasCloseDate && fromDate_ <= MainModule::LastCloseDate;
    if (closed) {
        SetTextColor(Label1, forms::vbBlack);
        Label1->setText(YearMonth("　") +
                        "までのデータを削除ます。\r\n"
                        "よろしければ［確定］ボタンを押して下さい。");
    } else {
        SetTextColor(Label1, forms::RGB(255, 0, 0));
        Label1->setText(YearMonth("　") +
                        "を削除指定されますと商品データ以外のデータが全て削除されます。\r\n"
                        "削除してもよろしければ［確定］ボタンを押して下さい。");
    }
}

void frmDelete::OKButton_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
        if (monthChosen_ == 0) {
            forms::MsgBox(QStringLiteral("削除する月を選択して下さい。"), forms::vbExclamation,
                          Title);
            return;
        }
        FormLock lock(*this);
        if (forms::MsgBox(YearMonth("") + "までのデータを削除してもよろしいですか？",
                          forms::vbYesNo + forms::vbQuestion, Title) == forms::vbYes) {
            if (DeleteOldData()) {
                forms::MsgBox(QStringLiteral("正常に削除されました。"), forms::vbInformation,
                              Title);
            } else {
                XX共通関数::ShowErrorMessage(XX共通関数::DeleteFailed, Title, 0);
            }
        }
    }
    Leave();
}

void frmDelete::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
    }
    Leave();
}

void frmDelete::Leave() {
    if (ReturnToMenu) {
        ReturnToMenu();
    }
    Unload();
}

// Both tables in one transaction: the daily rows up to the month's last day and the
// month-end rows before the month, whose own month-end rows stay as the opening stock
// of the months after it.
bool frmDelete::DeleteOldData() {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag(QStringLiteral("10"));
    access.AddFromVerse(QStringLiteral("Management_Tbl"));
    access.AddWhereVerse("Input_Date <= " + SqlValueText::DateValue(toDate_));
    access.AddFromSecondVerse(QStringLiteral("FixDeta_tbl"));
    access.AddWhereSecondVerse("FixDate < " + SqlValueText::DateValue(fromDate_));
    const int32_t result = access.Execute();
    if (result == AccessADOClass::CannotOpen || result == AccessADOClass::FileNotFound) {
        XX共通関数::ShowErrorMessage(result, Title, 0);
        MainModule::RestoreAndEnd();
        return false;
    }
    if (result < 0) {
        forms::MsgBox(YearMonth("") + "までのデータの削除に失敗しました。", forms::vbExclamation,
                      Title);
        return false;
    }
    return ReadLastCloseDate();
}

// Without any month-end row left no month is held; LastCloseDate then keeps its value.
bool frmDelete::ReadLastCloseDate() {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag(QStringLiteral("8"));
    access.AddField(QStringLiteral("FixDate"));
    access.AddFromVerse(QStringLiteral("FixDeta_tbl"));
    int32_t result = access.Execute();
    if (result > 0) {
        try {
            MainModule::LastCloseDate = access.InfoValue(0, 0).toDate();
            MainModule::HasCloseDate = true;
            return true;
        } catch (const vb::RuntimeError&) {
            result = XX共通関数::BasicDataFailed;
        }
    }
    if (result == 0) {
        MainModule::HasCloseDate = false;
        return true;
    }
    if (result == AccessADOClass::CannotOpen || result == AccessADOClass::FileNotFound) {
        XX共通関数::ShowErrorMessage(result, forms::App::Title(), 0);
        MainModule::RestoreAndEnd();
        return false;
    }
    XX共通関数::ShowErrorMessage(XX共通関数::BasicDataFailed, forms::App::Title(), 1);
    return false;
}
