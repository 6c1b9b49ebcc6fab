#include "frmRieki.h"

#include <QStringList>
#include <algorithm>
#include <array>

#include "controls/Calendar.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "output/LayoutBooks.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/ScreenControls.h"

namespace {

const QString Title = QStringLiteral("売上利益表");
constexpr int MinimumRows = 15;
constexpr int Cols = 7;
constexpr double ButtonTop = 7620;

}  // namespace

frmRieki::frmRieki() : MasterForm(Title) {
    forms::placeTwips(Image1, 3600, 240, 4800, 495);
    lblYear = ScreenControls::NewLabel(this, QString(), 300, 1080, 855, 255, 12);
    lblYear->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label2 = ScreenControls::NewLabel(this, QStringLiteral("年"), 1200, 1080, 255, 255, 12);
    lblMonth = ScreenControls::NewLabel(this, QString(), 1440, 1080, 495, 255, 12);
    lblMonth->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label3 = ScreenControls::NewLabel(this, QStringLiteral("月"), 1980, 1080, 255, 255, 12);
    lblDay = ScreenControls::NewLabel(this, QString(), 2220, 1080, 495, 255, 12);
    lblDay->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label4 = ScreenControls::NewLabel(this, QStringLiteral("日"), 2760, 1080, 255, 255, 12);
    btnSelect = new QPushButton(QStringLiteral("日付選択"), this);
    btnSelect->setStyleSheet(QStringLiteral("background-color: #C0C0FF;"));
    forms::placeTwips(btnSelect, 3240, 840, 2235, 555);
    Picture4 = NewPictureBox(8400, 960, 3315, 555);
    Picture1 = NewPictureBox(300, 1500, 11115, 615);
    Picture2 = NewPictureBox(300, 2100, 11115, 5055);
    Picture3 = NewPictureBox(300, 7140, 11115, 345);
    VScroll1 = NewScrollBar(11415, 2100, 315, 5055);
    forms::placeTwips(btnSave, 4860, ButtonTop + 120, 2175, 615);
    forms::placeTwips(btnPrint, 7200, ButtonTop + 120, 2175, 615);
    forms::placeTwips(btnEND, 9540, ButtonTop + 120, 2115, 615);
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

void frmRieki::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    SetDay(vb::Today());
    ShowProfitTable();
}

void frmRieki::Form_Activate() {
    BodyGrid.SetFocus();
}

void frmRieki::SetDay(const vb::Date& day) {
    showDay_ = day.dateOnly();
    lblYear->setText(QString::number(showDay_.year()));
    lblMonth->setText(QString::number(showDay_.month()));
    lblDay->setText(QString::number(showDay_.day()));
}

void frmRieki::ShowProfitTable() {
    FormLock lock(*this);
    table_.Load(showDay_, Title);
    const bool output = table_.DaySumRows() >= 1;
    btnPrint->setVisible(output);
    btnSave->setVisible(output && MainModule::PrintType != 1);
    ShowHeadGrid();
    ShowBodyGrid();
    ShowTotalGrid();
}

void frmRieki::ShowHeadGrid() {
    static const std::array<float, Cols> widths = {1000, 3680, 1280, 1280, 1280, 1280, 1280};
    static const QStringList top = {"商品分類", "", "仕入", "仕入", "売上", "売上", "利益"};
    static const QStringList bottom = {"番号", "商品分類名", "数量", "金額",
                                       "数量", "金額",       "金額"};
    HeadGrid.Clear();
    HeadGrid.Rows(2);
    HeadGrid.Cols(Cols);
    HeadGrid.FontSize("10");
    HeadGrid.RowsHeight(0, 285);
    HeadGrid.RowsHeight(1, 300);
    for (int16_t col = 0; col < Cols; ++col) {
        HeadGrid.ColsWidth(col, widths[col]);
        HeadGrid.ColsType(col, 1);
        HeadGrid.ColsColor(col, 0xE0E0E0);
        HeadGrid.ColsAlign(col, 2);
        HeadGrid.Value(0, col, top[col]);
        HeadGrid.Value(1, col, bottom[col]);
    }
    HeadGrid.Redraw();
}

void frmRieki::ShowBodyGrid() {
    const int count = table_.ClassCount();
    BodyGrid.Clear();
    BodyGrid.Cols(Cols);
    BodyGrid.FontSize("10");
    for (int16_t col = 0; col < Cols; ++col) {
        BodyGrid.ColsWidth(col, col == 0 ? 1000 : (col == 1 ? 3680 : 1280));
        BodyGrid.ColsAlign(col, col <= 1 ? 0 : 1);
        BodyGrid.ColsFormat(col, col == 0   ? QStringLiteral("000")
                                 : col == 1 ? QString()
                                            : ProfitTable::ColumnFormat(col));
        BodyGrid.ColsColor(col, 0xFFFFC0);
        BodyGrid.ColsType(col, count > 0 ? 2 : 1);
    }
    const int rows = std::max(count, MinimumRows);
    BodyGrid.Rows(static_cast<int16_t>(rows));
    vb::VariantArray values(rows, Cols);
    for (int row = 0; row < rows; ++row) {
        BodyGrid.RowsHeight(static_cast<int16_t>(row), 335);
        for (int col = 0; col < Cols; ++col) {
            values(row, col) = row < count ? table_.Values()(row, col) : vb::Variant(QString());
        }
    }
    BodyGrid.ValueMatrix(values);
    if (count > 0) {
        BodyGrid.SelectCell(0, 0);
    } else {
        BodyGrid.Redraw();
    }
}

void frmRieki::ShowTotalGrid() {
    TotalGrid.Clear();
    TotalGrid.Cols(6);
    TotalGrid.Rows(1);
    TotalGrid.RowsHeight(0, 335);
    TotalGrid.FontSize("10");
    for (int16_t col = 0; col < 6; ++col) {
        TotalGrid.ColsWidth(col, col == 0 ? 4680 : 1280);
        TotalGrid.ColsAlign(col, col == 0 ? 2 : 1);
        TotalGrid.ColsFormat(col, col == 0 ? QString() : ProfitTable::ColumnFormat(col + 1));
        TotalGrid.ColsColor(col, 0xFFC0C0);
        TotalGrid.ColsType(col, 1);
    }
    if (table_.ClassCount() > 0) {
        TotalGrid.ValueMatrix(table_.Totals());
    }
    TotalGrid.Redraw();
}

void frmRieki::btnSelect_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    Calendar calendar;
    calendar.Value(showDay_);
    if (calendar.Show() != -1) {
        return;
    }
    SetDay(calendar.Value());
    ShowProfitTable();
}

ListOutputSettings frmRieki::Output() const {
    ListOutputSettings settings = ListOutputSettings::ForTitle(Title);
    settings.texts.printFailed = Title + "の印刷に失敗しました｡";
    settings.texts.saveFailed = Title + "の保存に失敗しました｡";
    settings.layoutBook = LayoutBooks::Uriage;
    settings.dataStartCell = 5;
    settings.dataDay = vb::Format(showDay_, "yyyy年 m月 d日");
    settings.columns = {{18, 0}, {80, 0}, {32, 1}, {32, 1}, {32, 1}, {32, 1}, {32, 1}};
    settings.headings = {{"分類番号", "商　品　分　類　名", "仕入数量", "仕入金額", "売上数量",
                          "売上金額", "利益金額"}};
    settings.printOutType = 4;
    settings.selectDate = showDay_;
    return settings;
}

void frmRieki::btnPrint_Click() {
    BusyGuard guard(*this);
    if (guard.Busy() || table_.ClassCount() < 1) {
        return;
    }
    ListOutput(Output()).Print(table_.Texts());
}

void frmRieki::btnSave_Click() {
    BusyGuard guard(*this);
    if (guard.Busy() || table_.ClassCount() < 1) {
        return;
    }
    ListOutput(Output()).Save(this, table_.Texts());
}

void frmRieki::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
    }
    GoBackToMenu();
}
