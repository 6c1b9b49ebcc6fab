#include "frmClassify.h"

#include <QLabel>
#include <QStringList>
#include <utility>
#include <vector>

#include "FormLock.h"
#include "MasterCells.h"
#include "MasterDatabase.h"
#include "MasterDeleteCheck.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "output/LayoutBooks.h"
#include "output/ListOutput.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Strings.h"

namespace {

const QString Title = QStringLiteral("商品分類一覧表");
constexpr int BlankRows = 15;
constexpr int NumberWidth = 3;
constexpr double ButtonTop = 7620;

ListOutputSettings ClassifyListOutput() {
    ListOutputSettings settings = ListOutputSettings::ForTitle(Title);
    settings.layoutBook = LayoutBooks::Bunrui;
    settings.dataStartCell = 4;
    settings.columns = {{32, 0}, {143, 0}};
    settings.headings = {{QStringLiteral("商品分類番号"), QStringLiteral("商　品  分　類　名")}};
    settings.printOutType = 1;
    return settings;
}

QString ClassNumber(const QString& number) {
    return MasterCells::IsDigits(number) ? MasterCells::Zeros(number, NumberWidth) : number;
}

}  // namespace

frmClassify::frmClassify() : MasterForm(Title) {
    forms::placeTwips(Image1, 4080, 300, 4350, 465);
    Picture1 = NewPictureBox(240, 1500, 11115, 405);
    Picture1->SetBackColor(0xC0C0C0);
    Picture2 = NewPictureBox(240, 1890, 11115, 5045);
    VScroll1 = NewScrollBar(11360, 1485, 315, 5445);
    Picture3 = NewPictureBox(8340, 960, 3315, 555);
    ShowAllButtons();

    TitleGrid.BodyPictureBox(Picture1);
    EGrid.BodyPictureBox(Picture2);
    EGrid.VScrollBar(VScroll1);
    EGrid.EditTextBox(Text1);
    EGrid.PagePictureBox(Picture3);
    enterCell_ = EGrid.EnterCell.connect([this] { EGrid_EnterCell(); });

    connect(btnInsert, &QPushButton::clicked, this, [this] { btnInsert_Click(); });
    connect(btnDel, &QPushButton::clicked, this, [this] { btnDel_Click(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
}

void frmClassify::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    ShowClassifyGrid();
}

void frmClassify::Form_Activate() {
    EGrid.SetFocus();
}

int32_t frmClassify::ReadClassifyList() {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    access.AddField("Classify_No");
    access.AddField("Classify_Name");
    access.AddFromVerse("ClassifyMast_tbl");
    access.AddOrderVerse("Classify_No");
    const int32_t result = access.Execute();
    storedList_ = access.DBInfo();
    if (result < 0) {
        return MasterDatabase::ShowFailure(result, XX共通関数::ReadFailed, Title);
    }
    return result;
}

void frmClassify::ShowClassifyGrid() {
    FormLock lock(*this);
    ShowAllButtons();
    loadFailed_ = false;

    TitleGrid.Clear();
    TitleGrid.Rows(1);
    TitleGrid.Cols(2);
    TitleGrid.RowsHeight(0, 375);
    TitleGrid.ColsWidth(0, 3000);
    TitleGrid.ColsWidth(1, 8105);
    for (int16_t col = 0; col < 2; ++col) {
        TitleGrid.ColsType(col, 1);
        TitleGrid.ColsColor(col, 0xE0E0E0);
        TitleGrid.ColsAlign(col, 2);
    }
    TitleGrid.Value(0, 0, QStringLiteral("商品分類番号"));
    TitleGrid.Value(0, 1, QStringLiteral("商品分類名"));
    TitleGrid.Redraw();

    const int32_t stored = ReadClassifyList();

    EGrid.Clear();
    EGrid.Cols(2);
    EGrid.ColsWidth(0, 3000);
    EGrid.ColsWidth(1, 8105);
    for (int16_t col = 0; col < 2; ++col) {
        EGrid.ColsAlign(col, 0);
        EGrid.ColsColor(col, stored < 0 ? 0xFFFFC0 : 0xFFFFFF);
        EGrid.ColsType(col, stored < 0 ? 1 : 16);
    }
    if (stored < 0) {
        HideAllButtons();
        loadFailed_ = true;
    }
    EGrid.ColsFormat(0, QStringLiteral("000"));
    EGrid.ColsEditMode(0, 2);
    EGrid.ColsEditMode(1, 1);
    EGrid.ColsEditMaxLength(0, NumberWidth);
    EGrid.ColsEditMaxLength(1, 25);

    const int rows = std::max<int32_t>(stored, 0);
    gridRowCount_ = rows + BlankRows;
    EGrid.Rows(static_cast<int16_t>(gridRowCount_));
    gridSnapshot_ = vb::VariantArray(gridRowCount_, 2);
    for (int row = 0; row < gridRowCount_; ++row) {
        EGrid.RowsHeight(static_cast<int16_t>(row), 335);
        for (int col = 0; col < 2; ++col) {
            gridSnapshot_(row, col) =
                row < rows ? MasterCells::Text(storedList_.at(row, col)) : QString();
        }
    }
    EGrid.ValueMatrix(gridSnapshot_);
    if (loadFailed_) {
        EGrid.Redraw();
    } else {
        EGrid.SelectCell(0, 0);
    }
    if (MainModule::PrintType == 1) {
        HideSaveButton();
    }
    if (rows == 0) {
        HideListButtons();
    }
}

void frmClassify::ShowAllButtons() {
    forms::placeTwips(btnInsert, 180, ButtonTop, 2175, 615);
    forms::placeTwips(btnDel, 2520, ButtonTop, 2175, 615);
    forms::placeTwips(btnSave, 4860, ButtonTop, 2175, 615);
    forms::placeTwips(btnPrint, 7200, ButtonTop, 2175, 615);
    forms::placeTwips(btnEND, 9540, ButtonTop, 2115, 615);
    for (QPushButton* button : {btnInsert, btnDel, btnSave, btnPrint}) {
        button->setEnabled(true);
        button->setVisible(true);
    }
}

void frmClassify::HideSaveButton() {
    btnSave->setVisible(false);
    forms::placeTwips(btnDel, 4860, ButtonTop, 2175, 615);
    forms::placeTwips(btnInsert, 2520, ButtonTop, 2175, 615);
}

void frmClassify::EGrid_EnterCell() {
    if (!loadFailed_) {
        btnDel->setEnabled(MasterCells::Stored(gridSnapshot_, EGrid.Row()));
    }
}

bool frmClassify::CollectRows(vb::VariantArray& rows, bool& changed) const {
    std::vector<QStringList> filled;
    QStringList numbers;
    changed = false;
    for (int row = 0; row < gridRowCount_; ++row) {
        const QString typed = EGrid.Value(static_cast<int16_t>(row), 0);
        const QString number = vb::Trim(typed);
        const QString name = vb::Trim(EGrid.Value(static_cast<int16_t>(row), 1));
        if (typed.isEmpty() && name.isEmpty()) {
            continue;
        }
        if (number.isEmpty()) {
            forms::MsgBox("商品分類名[" + name + "]の商品分類番号を入力して下さい｡",
                          forms::vbExclamation, Title);
            return false;
        }
        if (!MasterCells::IsDigits(number)) {
            forms::MsgBox("商品分類番号[" + number + "]は数字だけで入力して下さい。",
                          forms::vbExclamation, Title);
            return false;
        }
        const QString formatted = ClassNumber(number);
        if (name.isEmpty()) {
            forms::MsgBox("商品分類番号[" + formatted + "]番の分類名を入力して下さい。",
                          forms::vbExclamation, Title);
            return false;
        }
        if (numbers.contains(formatted)) {
            forms::MsgBox("商品分類番号[" + formatted +
                              "]番が重複しています。同じ商品分類番号は登録できません。",
                          forms::vbExclamation, Title);
            return false;
        }
        numbers.append(formatted);
        filled.push_back({SqlValueText::Text(formatted), SqlValueText::Text(name)});
        if (!MasterCells::SameNumber(number, MasterCells::Text(gridSnapshot_.at(row, 0))) ||
            name != MasterCells::Text(gridSnapshot_.at(row, 1))) {
            changed = true;
        }
    }
    rows = vb::VariantArray(static_cast<int>(filled.size()), 2);
    for (int row = 0; row < rows.rows(); ++row) {
        rows(row, 0) = filled[row][0];
        rows(row, 1) = filled[row][1];
    }
    return true;
}

void frmClassify::btnInsert_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    FormLock lock(*this);
    EGrid.CommitCell();
    if (MasterCells::NumberChanged(EGrid, gridSnapshot_, gridRowCount_)) {
        if (forms::MsgBox("商品分類番号を修正することは出来ません。画面を元の情報に戻しますか？",
                          forms::vbYesNo + forms::vbExclamation, Title) == forms::vbYes) {
            ShowClassifyGrid();
        }
        return;
    }
    vb::VariantArray rows;
    bool changed = false;
    if (!CollectRows(rows, changed) || rows.rows() == 0 || !changed) {
        return;
    }
    if (forms::MsgBox(Title + "のDataを登録してもよろしいですか？",
                      forms::vbYesNo + forms::vbQuestion, Title) != forms::vbYes) {
        EGrid.SetFocus();
        return;
    }
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("7");
    access.DBInfo(rows);
    access.AddFromVerse("ClassifyMast_tbl");
    access.AddField("Classify_No");
    access.AddField("Classify_Name");
    const int32_t result = access.Execute();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::RegisterFailed, Title);
        return;
    }
    XX共通関数::ShowDoneMessage(XX共通関数::Registered, Title);
    MainModule::HasClassifications = true;
    ShowClassifyGrid();
}

void frmClassify::btnDel_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    FormLock lock(*this);
    const int row = EGrid.Row();
    if (loadFailed_ || !MasterCells::Stored(gridSnapshot_, row)) {
        return;
    }
    // The number as loaded: an unregistered edit of the cell names no other class.
    const QString number = ClassNumber(vb::Trim(MasterCells::Text(gridSnapshot_.at(row, 0))));
    const QString key = "Classify_No = " + SqlValueText::Text(number);
    const MasterDeleteCheck check{
        Title,
        {key},
        QStringLiteral("指定商品分類番号は、在庫がまだ存在するため削除が出来ません。"),
        QStringLiteral("指定商品分類番号は、在庫数繰越していない情報が存在します。\r\n"
                       "在庫数繰越を行った後、在庫が残っていないことを確認してから削除を行って"
                       "ください。")};
    if (check.Run() != 1) {
        return;
    }
    const int32_t products = MasterDatabase::Count("TradeMast_tbl", key);
    if (products < 0) {
        MasterDatabase::ShowFailure(products, XX共通関数::DeleteCheckFailed, Title);
        return;
    }
    QString question = "[" + number + "]番の商品分類を削除してもよろしいですか？";
    if (products > 0) {
        question += "\r\n(注)商品分類を削除した場合、この分類の商品" + QString::number(products) +
                    "件も削除されます。";
    }
    if (forms::MsgBox(question, forms::vbYesNo + forms::vbQuestion, Title) != forms::vbYes) {
        EGrid.SetFocus();
        return;
    }
    // The class goes with its products in one transaction: the checks above covered
    // their stock and daily records, and products left behind would reappear under a
    // later class of the same number.
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("10");
    access.AddFromVerse("ClassifyMast_tbl");
    access.AddWhereVerse(key);
    access.AddFromSecondVerse("TradeMast_tbl");
    access.AddWhereSecondVerse(key);
    const int32_t result = access.Execute();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::DeleteFailed, Title);
        return;
    }
    XX共通関数::ShowDoneMessage(XX共通関数::Deleted, Title);
    ShowClassifyGrid();
    RefreshMasterFlags();
}

void frmClassify::RefreshMasterFlags() {
    for (const auto& [table, flag] :
         {std::pair{"ClassifyMast_tbl", &MainModule::HasClassifications},
          std::pair{"TradeMast_tbl", &MainModule::HasProducts}}) {
        if (MasterDatabase::Count(QString::fromLatin1(table)) == 0) {
            *flag = false;
        }
    }
}

void frmClassify::btnPrint_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    ListOutput(ClassifyListOutput()).Print(storedList_);
}

void frmClassify::btnSave_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    ListOutput(ClassifyListOutput()).Save(this, storedList_);
}

void frmClassify::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
        EGrid.CommitCell();
        if (MasterCells::Differs(EGrid, gridSnapshot_, {true, false}) && !DiscardAsked()) {
            return;
        }
    }
    GoBackToMenu();
}
