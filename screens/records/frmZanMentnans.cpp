#include "frmZanMentnans.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <utility>

#include "MonthlyColumns.h"
#include "MonthlyFigures.h"
#include "MonthlyList.h"
#include "MonthlyStore.h"
#include "RecordFormats.h"
#include "controls/MonthView.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/MasterCells.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/menu/ScreenControls.h"

using namespace MonthlyColumns;

namespace {

const QString Title = QStringLiteral("月間データメンテナンス");
constexpr int MinimumRows = 16;
constexpr int GridCols = 8;
constexpr int NameLength = 20;
constexpr double ButtonTop = 7680;

// The read columns shown in the grid columns 0 to 7.
constexpr std::array<int, GridCols> GridSource = {ClassifyNo,   TradeNo,       TradeName,
                                                  CostQuantity, SalesQuantity, SalePrice,
                                                  SalesMoney,   FixQuantity};

// The editable grid columns and the read columns they correct.
constexpr std::array<std::pair<int, int>, 4> Corrections = {
    {{3, CostQuantity}, {4, SalesQuantity}, {6, SalesMoney}, {7, FixQuantity}}};

constexpr int SalesQtyCol = 4;
constexpr int SalesPriceCol = 5;
constexpr int SalesMoneyCol = 6;

QString YearOf(const vb::Date& date) {
    return QString::number(date.year());
}

QString MonthOf(const vb::Date& date) {
    return QString::number(date.month());
}

}  // namespace

frmZanMentnans::frmZanMentnans() : MasterForm(Title) {
    forms::placeTwips(Image1, 3600, 240, 4800, 495);
    lblYear = ScreenControls::NewLabel(this, QString(), 480, 1080, 855, 255, 12);
    lblYear->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label2 = ScreenControls::NewLabel(this, QStringLiteral("年"), 1440, 1200, 255, 255, 12);
    lblMonth = ScreenControls::NewLabel(this, QString(), 1680, 1080, 495, 255, 12);
    lblMonth->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label3 = ScreenControls::NewLabel(this, QStringLiteral("月"), 2280, 1200, 255, 255, 12);
    btnSelect = ScreenControls::NewButton(this, QStringLiteral("月選択"));
    forms::placeTwips(btnSelect, 2760, 840, 2235, 555);
    Picture3 = NewPictureBox(8340, 960, 3315, 555);
    Picture1 = NewPictureBox(240, 1500, 11115, 615);
    Picture2 = NewPictureBox(240, 2100, 11100, 5365);
    VScroll1 = NewScrollBar(11340, 1490, 315, 6000);
    forms::placeTwips(btnInsert, 2100, ButtonTop, 2235, 615);
    forms::placeTwips(btnSave, 4560, ButtonTop, 2175, 615);
    forms::placeTwips(btnPrint, 6900, ButtonTop, 2235, 615);
    forms::placeTwips(btnEND, 9420, ButtonTop, 2235, 615);
    btnDel->hide();

    TitleGrid.BodyPictureBox(Picture1);
    EGrid.BodyPictureBox(Picture2);
    EGrid.VScrollBar(VScroll1);
    EGrid.EditTextBox(Text1);
    EGrid.PagePictureBox(Picture3);
    enterCell_ = EGrid.EnterCell.connect([this] { EGrid_EnterCell(); });
    leaveCell_ = EGrid.LeaveCell.connect([this] { EGrid_LeaveCell(); });

    connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelect_Click(); });
    connect(btnInsert, &QPushButton::clicked, this, [this] { btnInsert_Click(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
}

void frmZanMentnans::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    fromDate_ = vb::Today().firstOfMonth();
    toDate_ = fromDate_.lastOfMonth();
    ShowMonth();
    ShowMonthGrid();
}

void frmZanMentnans::Form_Activate() {
    EGrid.SetFocus();
}

void frmZanMentnans::ShowMonth() {
    lblYear->setText(YearOf(fromDate_));
    lblMonth->setText(MonthOf(fromDate_));
}

void frmZanMentnans::ShowMonthGrid() {
    FormLock lock(*this);
    if (MainModule::HasCloseDate) {
        loadMode_ = LoadMonthData() ? StoredMonth : NothingRead;
    } else {
        loadMode_ = LoadMasterForMonth() ? InitialMode : NothingRead;
    }
    if (loadMode_ == NothingRead) {
        monthRowCount_ = 0;
        monthRows_ = vb::VariantArray();
        monthGridRows_ = vb::VariantArray();
    }

    if (monthRowCount_ == 0) {
        HideAllButtons();
    } else if (loadMode_ == StoredMonth) {
        ShowAllButtons();
    } else {
        ShowInsertButtonOnly();
    }
    if (MainModule::PrintType == 1) {
        HideSaveButton();
    }

    ShowTitleGrid();
    ShowBodyGrid();
    if (monthRowCount_ < 1 && loadMode_ == NothingRead) {
        EGrid.Redraw();
    } else {
        EGrid.SelectCell(0, 3);
    }
}

void frmZanMentnans::ShowTitleGrid() {
    static const std::array<float, 7> widths = {1900, 3320, 1170, 1170, 1170, 1170, 1170};
    static const QStringList top = {"番　号", "商品名", "仕　入", "売　上",
                                    "売　上", "売　上", "今　月"};
    static const QStringList bottom = {"", "", "数　量", "数　量", "単　価", "金　額", "数量残"};
    TitleGrid.Clear();
    TitleGrid.Rows(2);
    TitleGrid.Cols(7);
    TitleGrid.FontSize("9");
    TitleGrid.RowsHeight(0, 285);
    TitleGrid.RowsHeight(1, 300);
    for (int16_t col = 0; col < 7; ++col) {
        TitleGrid.ColsWidth(col, widths[col]);
        TitleGrid.ColsColor(col, 0xE0E0E0);
        TitleGrid.ColsAlign(col, 2);
        TitleGrid.ColsType(col, 1);
        TitleGrid.Value(0, col, top[col]);
        TitleGrid.Value(1, col, bottom[col]);
    }
    TitleGrid.Redraw();
}

void frmZanMentnans::ShowBodyGrid() {
    static const std::array<float, GridCols> widths = {400,  1500, 3320, 1170,
                                                       1170, 1170, 1170, 1170};
    const std::array<QString, GridCols> formats = {"000",
                                                   RecordFormats::TradeNumber(),
                                                   QString(),
                                                   RecordFormats::Quantity(),
                                                   RecordFormats::Quantity(),
                                                   RecordFormats::SalesPrice(),
                                                   RecordFormats::Amount(),
                                                   RecordFormats::Quantity()};
    EGrid.Clear();
    EGrid.Cols(GridCols);
    EGrid.FontSize("8");
    for (int16_t col = 0; col < GridCols; ++col) {
        EGrid.ColsWidth(col, widths[col]);
        EGrid.ColsFormat(col, formats[col]);
        EGrid.ColsColor(col, 0xFFFFC0);
        EGrid.ColsType(col, 1);
        EGrid.ColsAlign(col, 0);
    }
    EGrid.ColsEditMaxLength(2, NameLength);
    for (const auto& correction : Corrections) {
        const auto col = static_cast<int16_t>(correction.first);
        EGrid.ColsEditMaxLength(col, RecordFormats::EditLength(9, formats[col]));
    }
    if (monthRowCount_ > 0) {
        for (int16_t col = 3; col < GridCols; ++col) {
            EGrid.ColsAlign(col, 1);
            EGrid.ColsType(col, 16);
            EGrid.ColsColor(col, 0xFFFFFF);
            EGrid.ColsEditMode(col, 2);
        }
        EGrid.ColsColor(SalesPriceCol, 0xFFFFC0);
        EGrid.ColsType(SalesPriceCol, 1);
    }

    const int rows = std::max<int>(monthRowCount_, MinimumRows);
    EGrid.Rows(static_cast<int16_t>(rows));
    vb::VariantArray values(rows, GridCols);
    for (int row = 0; row < rows; ++row) {
        EGrid.RowsHeight(static_cast<int16_t>(row), 335);
        for (int col = 0; col < GridCols; ++col) {
            values(row, col) = row < monthRowCount_ ? monthGridRows_(row, col) : QString();
        }
        if (row < monthRowCount_) {
            values(row, 2) = MasterCells::Text(monthGridRows_(row, 2)).left(NameLength);
        }
    }
    EGrid.ValueMatrix(values);
}

bool frmZanMentnans::LoadMonthData() {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    for (const QString& field : MonthlyColumns::Fields) {
        access.AddField(field);
    }
    access.AddFromVerse("FixDeta_tbl");
    access.AddWhereVerse("FixDate = " + SqlValueText::DateValue(fromDate_));
    access.AddOrderVerse("Classify_No");
    access.AddOrderVerse("Trade_No");
    const int32_t result = access.Execute();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::ReadFailed, Title);
        return false;
    }
    monthRowCount_ = result;
    if (result == 0) {
        forms::MsgBox(
            YearOf(fromDate_) + "年　" + MonthOf(fromDate_) + "月のDataは登録されていません。",
            forms::vbExclamation, Title);
    }
    monthRows_ = result > 0 ? access.DBInfo() : vb::VariantArray();
    TakeGridRows();
    return true;
}

bool frmZanMentnans::LoadMasterForMonth() {
    btnSave->hide();
    btnPrint->hide();
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    for (const char* field :
         {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No", "ClassifyMast_tbl.Classify_Name",
          "TradeMast_tbl.Trade_Name", "TradeMast_tbl.Unit_Price", "TradeMast_tbl.Sales_Price"}) {
        access.AddField(field);
    }
    access.AddFromVerse("ClassifyMast_tbl");
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse("ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No");
    access.AddOrderVerse("TradeMast_tbl.Classify_No");
    access.AddOrderVerse("TradeMast_tbl.Trade_No");
    const int32_t result = access.Execute();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::ReadFailed, Title);
        return false;
    }
    monthRowCount_ = result;
    if (result == 0) {
        forms::MsgBox(
            YearOf(fromDate_) + "年　" + MonthOf(fromDate_) + "月のDataは登録されていません。",
            forms::vbExclamation, Title);
    }
    const vb::VariantArray products = access.DBInfo();
    monthRows_ = vb::VariantArray(result, static_cast<int>(MonthlyColumns::Fields.size()));
    for (int row = 0; row < result; ++row) {
        for (int col = ClassifyNo; col <= UnitPrice; ++col) {
            monthRows_(row, col) = products(row, col);
        }
        monthRows_(row, SalePrice) = products(row, 5);
        for (int col :
             {CostQuantity, CostMoney, SalesQuantity, SalesMoney, FixQuantity, AverQuantity}) {
            monthRows_(row, col) = vb::Currency();
        }
        for (int rank = 0; rank < RankColumns; ++rank) {
            monthRows_(row, FirstRank + rank) = int32_t{0};
        }
    }
    TakeGridRows();
    return true;
}

void frmZanMentnans::TakeGridRows() {
    monthGridRows_ = vb::VariantArray(monthRowCount_, GridCols);
    for (int row = 0; row < monthRowCount_; ++row) {
        for (int col = 0; col < GridCols; ++col) {
            monthGridRows_(row, col) = monthRows_(row, GridSource[col]);
        }
    }
}

void frmZanMentnans::ShowAllButtons() {
    for (QPushButton* button : {btnInsert, btnSave, btnPrint}) {
        button->setVisible(true);
    }
}

void frmZanMentnans::ShowInsertButtonOnly() {
    btnInsert->setVisible(true);
    btnSave->setVisible(false);
    btnPrint->setVisible(false);
}

void frmZanMentnans::HideSaveButton() {
    btnSave->setVisible(false);
    forms::placeTwips(btnInsert, 4560, ButtonTop, 2235, 615);
}

void frmZanMentnans::EGrid_EnterCell() {
    const int row = EGrid.Row();
    // The blank rows after the products are never registered: input goes to the last
    // product instead.
    if (monthRowCount_ > 0 && row >= monthRowCount_) {
        EGrid.SelectCell(static_cast<int16_t>(monthRowCount_ - 1), EGrid.Col());
        return;
    }
    if (EGrid.Col() == SalesQtyCol) {
        salesQtyOnEnter_.Set(EGrid.Value(static_cast<int16_t>(row), SalesQtyCol));
    }
}

void frmZanMentnans::EGrid_LeaveCell() {
    const auto row = EGrid.Row();
    if (EGrid.Col() != SalesQtyCol || row < 0 || row >= monthRowCount_) {
        return;
    }
    const QString quantity = EGrid.Value(row, SalesQtyCol);
    if (!salesQtyOnEnter_.Changed(quantity)) {
        return;
    }
    try {
        const vb::Currency amount =
            MonthlyFigures::Amount(MonthlyFigures::CellNumber(quantity),
                                   MonthlyFigures::CellNumber(EGrid.Value(row, SalesPriceCol)));
        EGrid.Value(row, SalesMoneyCol, amount.toString());
        salesQtyOnEnter_.Set(quantity);
    } catch (const vb::RuntimeError&) {
        forms::MsgBox(QStringLiteral("売上金額が計算できる範囲を超えています。"
                                     "売上数量を確認してください。"),
                      forms::vbExclamation, Title);
        EGrid.Value(row, SalesQtyCol, salesQtyOnEnter_.Value());
    }
}

bool frmZanMentnans::MonthChanged() const {
    for (int row = 0; row < monthRowCount_; ++row) {
        for (const auto& [gridCol, monthCol] : Corrections) {
            try {
                const vb::Currency shown = MonthlyFigures::CellNumber(
                    EGrid.Value(static_cast<int16_t>(row), static_cast<int16_t>(gridCol)));
                if (shown != MonthlyFigures::Stored(monthRows_(row, monthCol))) {
                    return true;
                }
            } catch (const vb::RuntimeError&) {
                return true;
            }
        }
    }
    return false;
}

void frmZanMentnans::btnSelect_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    EGrid.CommitCell();
    if (MonthChanged() &&
        forms::MsgBox("入力情報が登録されていません。このまま日付選択処理を行ってもよろしいですか？"
                      "\r\n(注)日付選択処理を行った場合、入力されたデータは登録されません。",
                      forms::vbOKCancel + forms::vbExclamation, Title) != forms::vbOK) {
        return;
    }
    MonthView view;
    view.Value(fromDate_);
    view.Caption(QStringLiteral("参照したい月を選択してください。"));
    if (view.Show() != -1) {
        return;
    }
    fromDate_ = view.FromDate().dateOnly();
    toDate_ = view.ToDate().dateOnly();
    ShowMonth();
    ShowMonthGrid();
}

bool frmZanMentnans::BuildMonthRows(vb::VariantArray& rows) const {
    const int days = toDate_.day();
    const QString dateValue = SqlValueText::DateValue(fromDate_);
    const QString tradeZeros = RecordFormats::TradeNumber();
    rows = vb::VariantArray(monthRowCount_, static_cast<int>(MonthlyColumns::Fields.size()) + 1);
    for (int row = 0; row < monthRowCount_; ++row) {
        const auto cell = [this, row](int col) {
            return MonthlyFigures::CellNumber(
                EGrid.Value(static_cast<int16_t>(row), static_cast<int16_t>(col)));
        };
        const auto stored = [this, row](int col) -> const vb::Variant& {
            return monthRows_(row, col);
        };
        try {
            const vb::Currency costQuantity = cell(3);
            const vb::Currency salesQuantity = cell(SalesQtyCol);
            rows(row, 0) = dateValue;
            rows(row, 1) = SqlValueText::Text(vb::Format(stored(ClassifyNo), "000"));
            rows(row, 2) = SqlValueText::Text(vb::Format(stored(TradeNo), tradeZeros));
            rows(row, 3) = SqlValueText::Text(MasterCells::Text(stored(ClassifyName)));
            rows(row, 4) = SqlValueText::Text(MasterCells::Text(stored(TradeName)));
            rows(row, 5) = stored(UnitPrice);
            rows(row, 6) = costQuantity;
            rows(row, 7) =
                MonthlyFigures::Amount(costQuantity, MonthlyFigures::Stored(stored(UnitPrice)));
            rows(row, 8) = stored(SalePrice);
            rows(row, 9) = salesQuantity;
            rows(row, 10) = cell(SalesMoneyCol);
            rows(row, 11) = cell(7);
            rows(row, 12) = MonthlyFigures::AverageSales(
                salesQuantity, days, MonthlyFigures::Stored(stored(AverQuantity)));
        } catch (const vb::RuntimeError&) {
            forms::MsgBox("[" + MasterCells::Text(stored(TradeName)) +
                              "]の金額が計算できる範囲を超えています。数量を確認してください。",
                          forms::vbExclamation, Title);
            return false;
        }
        for (int rank = 0; rank < RankColumns; ++rank) {
            rows(row, 13 + rank) = stored(FirstRank + rank);
        }
    }
    return true;
}

void frmZanMentnans::btnInsert_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    FormLock lock(*this);
    EGrid.CommitCell();
    if (monthRowCount_ < 1) {
        return;
    }
    for (int row = 0; row < monthRowCount_; ++row) {
        for (const auto& correction : Corrections) {
            const auto r = static_cast<int16_t>(row);
            const auto col = static_cast<int16_t>(correction.first);
            if (vb::Trim(EGrid.Value(r, col)).isEmpty()) {
                EGrid.Value(r, col, QStringLiteral("0"));
            }
        }
    }
    EGrid.Redraw();
    vb::VariantArray rows;
    if (!BuildMonthRows(rows)) {
        return;
    }
    const QString year = YearOf(fromDate_);
    const QString month = MonthOf(fromDate_);
    const QString question =
        MainModule::HasCloseDate
            ? year + "年" + month + "月  のデータを登録してもよろしいですか？"
            : "システムの初期データ（" + year + "年" + month +
                  "月のデータ）  を登録してもよろしいですか？\r\n\r\n"
                  "注）このまま登録されますと、登録後に追加された商品の在庫数などを" +
                  year + "年" + month +
                  "月　\r\n　　のデータとして入力することができなくなります。";
    if (forms::MsgBox(question, forms::vbYesNo + forms::vbQuestion, Title) != forms::vbYes) {
        return;
    }

    const int32_t result = MonthlyStore::Replace(fromDate_, rows);
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::RegisterFailed, Title);
        return;
    }
    forms::MsgBox(year + "年" + month + "月  のデータを登録しました。", forms::vbInformation,
                  Title);
    MonthlyStore::ReadLastFixDate(Title);
    ShowMonthGrid();
}

QString frmZanMentnans::Heading() const {
    return Title + "（" + YearOf(fromDate_) + "年" + MonthOf(fromDate_) + "月" + "）";
}

vb::VariantArray frmZanMentnans::BuildPrintList() const {
    return MonthlyList::Build(monthRows_, monthRowCount_);
}

void frmZanMentnans::btnPrint_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    EGrid.CommitCell();
    if (monthRowCount_ < 1) {
        return;
    }
    ListOutput(MonthlyList::Output(Heading())).Print(BuildPrintList());
}

void frmZanMentnans::btnSave_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    EGrid.CommitCell();
    if (monthRowCount_ < 1) {
        return;
    }
    ListOutput(MonthlyList::Output(Heading())).Save(this, BuildPrintList());
}

void frmZanMentnans::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
        EGrid.CommitCell();
        if (MonthChanged() && !DiscardAsked()) {
            return;
        }
    }
    GoBackToMenu();
}
