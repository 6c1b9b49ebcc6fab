#include "frmZiko.h"

#include <QStringList>
#include <algorithm>
#include <array>

#include "InventoryList.h"
#include "controls/MonthView.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "output/ListOutput.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Clock.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/ScreenControls.h"

namespace {

const QString Title = QStringLiteral("在庫管理表");
constexpr int MinimumRows = 15;
constexpr int BodyCols = 9;
constexpr int NameLength = 18;
constexpr double ButtonTop = 7920;

}  // namespace

frmZiko::frmZiko() : MasterForm(Title) {
    forms::placeTwips(Image1, 3600, 240, 4800, 495);
    lblYear = ScreenControls::NewLabel(this, QString(), 480, 1080, 855, 255, 12);
    lblYear->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label2 = ScreenControls::NewLabel(this, QStringLiteral("年"), 1440, 1080, 255, 255, 12);
    lblMonth = ScreenControls::NewLabel(this, QString(), 1680, 1080, 495, 255, 12);
    lblMonth->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label3 = ScreenControls::NewLabel(this, QStringLiteral("月"), 2280, 1080, 255, 255, 12);
    btnSelect = ScreenControls::NewButton(this, QStringLiteral("月選択"));
    forms::placeTwips(btnSelect, 2760, 840, 2235, 555);
    Picture4 = NewPictureBox(8340, 960, 3315, 555);
    Picture1 = NewPictureBox(240, 1500, 11080, 600);
    Picture2 = NewPictureBox(240, 2100, 11080, 5000);
    Picture3 = NewPictureBox(240, 7140, 11080, 345);
    VScroll1 = NewScrollBar(11340, 2100, 315, 5000);
    forms::placeTwips(btnSave, 4560, ButtonTop, 2175, 615);
    forms::placeTwips(btnPrint, 6900, ButtonTop, 2235, 615);
    forms::placeTwips(btnEND, 9420, ButtonTop, 2235, 615);
    btnInsert->hide();
    btnDel->hide();

    HeadGrid.BodyPictureBox(Picture1);
    BodyGrid.BodyPictureBox(Picture2);
    BodyGrid.VScrollBar(VScroll1);
    BodyGrid.PagePictureBox(Picture4);
    TotalGrid.BodyPictureBox(Picture3);

    connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelect_Click(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
}

void frmZiko::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    fromDate_ = vb::Today().firstOfMonth();
    ShowMonth();
    ShowInventory();
}

void frmZiko::Form_Activate() {
    BodyGrid.SetFocus();
}

void frmZiko::ShowMonth() {
    lblYear->setText(QString::number(fromDate_.year()));
    lblMonth->setText(QString::number(fromDate_.month()));
}

void frmZiko::ShowInventory() {
    FormLock lock(*this);
    table_.Load(fromDate_, Title);
    const bool rows = table_.RowCount() > 0;
    btnPrint->setVisible(rows);
    btnSave->setVisible(rows && MainModule::PrintType != 1);
    ShowHeadGrid();
    ShowBodyGrid();
    ShowTotalGrid();
}

void frmZiko::ShowHeadGrid() {
    static const std::array<float, 8> widths = {1750, 2990, 960, 960, 960, 960, 960, 1540};
    static const QStringList top = {"商品番号", "商品名",   "前月末残", "仕入",
                                    "売上",     "今月末残", "単価",     "金額"};
    HeadGrid.Clear();
    HeadGrid.Rows(2);
    HeadGrid.Cols(8);
    HeadGrid.FontSize("9");
    HeadGrid.RowsHeight(0, 285);
    HeadGrid.RowsHeight(1, 300);
    for (int16_t col = 0; col < 8; ++col) {
        HeadGrid.ColsWidth(col, widths[col]);
        HeadGrid.ColsColor(col, 0xE0E0E0);
        HeadGrid.ColsAlign(col, 2);
        HeadGrid.ColsType(col, 1);
        HeadGrid.Value(0, col, top[col]);
        HeadGrid.Value(1, col, col >= 2 && col <= 5 ? QStringLiteral("数量") : QString());
    }
    HeadGrid.Redraw();
}

void frmZiko::ShowBodyGrid() {
    static const std::array<float, BodyCols> widths = {450, 1300, 2990, 960, 960,
                                                       960, 960,  960,  1540};
    const QString quantity = InventoryList::QuantityFormat();
    const std::array<QString, BodyCols> formats = {
        "000",    InventoryList::TradeNumberFormat(), QString(),    quantity, quantity, quantity,
        quantity, InventoryList::PriceFormat(),       "###,###,##0"};
    const int32_t count = table_.RowCount();
    BodyGrid.Clear();
    BodyGrid.Cols(BodyCols);
    BodyGrid.FontSize("9");
    for (int16_t col = 0; col < BodyCols; ++col) {
        BodyGrid.ColsWidth(col, widths[col]);
        BodyGrid.ColsFormat(col, formats[col]);
        BodyGrid.ColsColor(col, 0xFFFFC0);
        BodyGrid.ColsAlign(col, col <= 2 ? 0 : 1);
        BodyGrid.ColsType(col, count == 0 ? 1 : 2);
    }
    const int rows = std::max<int>(count, MinimumRows);
    BodyGrid.Rows(static_cast<int16_t>(rows));
    vb::VariantArray values(rows, BodyCols);
    for (int row = 0; row < rows; ++row) {
        BodyGrid.RowsHeight(static_cast<int16_t>(row), 333);
        for (int col = 0; col < BodyCols; ++col) {
            values(row, col) = row < count ? table_.Rows()(row, col) : vb::Variant(QString());
        }
        if (row < count) {
            values(row, InventoryTable::TradeName) =
                table_.Rows()(row, InventoryTable::TradeName).toString().left(NameLength);
        }
    }
    BodyGrid.ValueMatrix(values);
    if (count > 0) {
        BodyGrid.SelectCell(0, 0);
    } else {
        BodyGrid.Redraw();
    }
}

void frmZiko::ShowTotalGrid() {
    TotalGrid.Clear();
    TotalGrid.Rows(1);
    TotalGrid.Cols(2);
    TotalGrid.RowsHeight(0, 335);
    TotalGrid.ColsWidth(0, 8580);
    TotalGrid.ColsWidth(1, 2500);
    TotalGrid.ColsAlign(0, 2);
    TotalGrid.ColsAlign(1, 1);
    TotalGrid.ColsFormat(1, QStringLiteral("###,###,##0"));
    for (int16_t col = 0; col < 2; ++col) {
        TotalGrid.ColsColor(col, 0xFFC0C0);
        TotalGrid.ColsType(col, 1);
    }
    if (table_.RowCount() > 0) {
        TotalGrid.Value(0, 0, QStringLiteral("　合　計　"));
        TotalGrid.Value(0, 1, table_.Total().toString());
    }
    TotalGrid.Redraw();
}

void frmZiko::btnSelect_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    MonthView view;
    view.Value(fromDate_);
    view.Caption(QStringLiteral("参照したい月を選択してください。"));
    if (view.Show() != -1) {
        return;
    }
    fromDate_ = view.FromDate().dateOnly();
    ShowMonth();
    ShowInventory();
}

vb::VariantArray frmZiko::BuildInventoryList() const {
    return InventoryList::Build(table_);
}

ListOutputSettings frmZiko::Output() const {
    return InventoryList::Output(InventoryList::Title(fromDate_), Title);
}

void frmZiko::btnPrint_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    const ListOutput output(Output());
    const vb::VariantArray list = BuildInventoryList();
    output.ShowPrintResult(list.rows() > 0 ? output.PrintList(list) : -1);
}

void frmZiko::btnSave_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    const ListOutput output(Output());
    const vb::VariantArray list = BuildInventoryList();
    if (list.rows() < 1) {
        output.ShowSaveResult(-1);
        return;
    }
    output.Save(this, list);
}

void frmZiko::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
    }
    GoBackToMenu();
}
