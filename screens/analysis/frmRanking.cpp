#include "frmRanking.h"

#include <QStringList>
#include <algorithm>
#include <vector>

#include "controls/MonthView.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/ScreenControls.h"
#include "screens/records/RecordFormats.h"

namespace {

const QString Title = QStringLiteral("ランキング");
constexpr int MinimumRows = 15;
constexpr double TabTop = 6900;

const std::array<ScreenControls::TabLook, 6> Tabs = {{
    {"分類　売上数量", 300, 300},
    {"分類　売上金額", 2040, 1948},
    {"分類　利益金額", 3720, 3565},
    {"商品　売上数量", 6300, 6300},
    {"商品　売上金額", 7980, 7888},
    {"商品　利益金額", 9720, 9565},
}};

// Quantities by the quantity flag of SumDecimal, amounts and profits by the amount flag;
// no format for a setting above 3.
QString ValueFormat(int kind) {
    if (MainModule::SumDecimal > 3) {
        return QString();
    }
    return kind == RankingTables::Quantity ? RecordFormats::Quantity() : RecordFormats::Amount();
}

}  // namespace

frmRanking::frmRanking() : MasterForm(Title) {
    forms::placeTwips(Image1, 4620, 180, 2400, 465);
    btnSelect = new QPushButton(QStringLiteral("日付選択"), this);
    btnSelect->setStyleSheet(QStringLiteral("background-color: #C0C0FF;"));
    forms::placeTwips(btnSelect, 2580, 780, 2235, 555);
    lblYear = ScreenControls::NewLabel(this, QString(), 360, 960, 855, 255, 12);
    lblYear->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label2 = ScreenControls::NewLabel(this, QStringLiteral("年"), 1320, 1080, 255, 255, 12);
    lblMonth = ScreenControls::NewLabel(this, QString(), 1560, 960, 495, 255, 12);
    lblMonth->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Label3 = ScreenControls::NewLabel(this, QStringLiteral("月"), 2160, 1080, 255, 255, 12);
    Picture3 = NewPictureBox(8340, 900, 3315, 555);
    Picture1 = NewPictureBox(240, 1440, 11115, 405);
    Picture1->SetBackColor(0xC0C0C0);
    Picture2 = NewPictureBox(240, 1830, 11115, 5045);
    VScroll1 = NewScrollBar(11360, 1425, 315, 5445);
    for (int tab = 0; tab < 6; ++tab) {
        Commands[tab] = ScreenControls::NewTabButton(this, Tabs[tab], TabTop);
        connect(Commands[tab], &QPushButton::clicked, this, [this, tab] { SelectTab(tab); });
    }
    ResetRankButtons();
    forms::placeTwips(btnEND, 9540, 7620, 2115, 615);
    btnInsert->hide();
    btnDel->hide();
    btnSave->hide();
    btnPrint->hide();

    HeadGrid.BodyPictureBox(Picture1);
    BodyGrid.BodyPictureBox(Picture2);
    BodyGrid.VScrollBar(VScroll1);
    BodyGrid.PagePictureBox(Picture3);

    connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelect_Click(); });
}

void frmRanking::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    SetMonth(vb::Today().firstOfMonth());
    LoadRankings();
}

void frmRanking::Form_Activate() {
    BodyGrid.SetFocus();
}

void frmRanking::SetMonth(const vb::Date& from) {
    fromDate_ = from.dateOnly().firstOfMonth();
    toDate_ = XX共通関数::GetMonthEndDate(fromDate_).dateOnly();
    lblYear->setText(QString::number(fromDate_.year()));
    lblMonth->setText(QString::number(fromDate_.month()));
}

void frmRanking::btnSelect_Click() {
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
    SetMonth(view.FromDate());
    LoadRankings();
}

void frmRanking::LoadRankings() {
    if (vb::Format(fromDate_, "yyyy/mm/dd") > vb::Format(vb::Today(), "yyyy/mm/dd")) {
        tables_.Clear();
        XX共通関数::ShowErrorMessage(XX共通関数::AfterToday, Title, 0);
    } else {
        tables_.Load(fromDate_, toDate_, Title);
    }
    SelectTab(0);
}

void frmRanking::ResetRankButtons() {
    ScreenControls::ChooseTab(Commands, Tabs, -1, TabTop);
}

void frmRanking::SelectTab(int tab) {
    ScreenControls::ChooseTab(Commands, Tabs, tab, TabTop);
    if (tab < 3) {
        ShowClassRanking(tab);
    } else {
        ShowProductRanking(tab - 3);
    }
}

void frmRanking::ShowClassRanking(int kind) {
    ShowRanking(tables_.Classes(kind), kind, false);
}

void frmRanking::ShowProductRanking(int kind) {
    ShowRanking(tables_.Products(kind), kind, true);
}

void frmRanking::ShowRanking(const RankingTables::Ranking& ranking, int kind, bool products) {
    FormLock lock(*this);
    const int count = ranking.count;
    const QString valueHeading =
        kind == RankingTables::Quantity ? QStringLiteral("数量") : QStringLiteral("金額");
    const QStringList headings =
        products ? QStringList{"　", "番  号", "商 品 名", valueHeading}
                 : QStringList{"　", "商品分類番号", "商品分類名", valueHeading};
    HeadGrid.Clear();
    HeadGrid.Rows(1);
    HeadGrid.Cols(4);
    HeadGrid.RowsHeight(0, 375);
    const std::array<float, 4> headWidths = {2000, 2000, 5105, 2000};
    for (int16_t col = 0; col < 4; ++col) {
        HeadGrid.ColsWidth(col, headWidths[col]);
        HeadGrid.ColsType(col, 1);
        HeadGrid.ColsColor(col, 0xE0E0E0);
        HeadGrid.ColsAlign(col, 2);
        HeadGrid.Value(0, col, headings[col]);
    }
    HeadGrid.Redraw();

    const std::vector<float> widths = products ? std::vector<float>{2000, 500, 1500, 5105, 2000}
                                               : std::vector<float>{2000, 2000, 5105, 2000};
    const std::vector<QString> formats =
        products ? std::vector<QString>{QString(), "000", RecordFormats::TradeNumber(), QString(),
                                        ValueFormat(kind)}
                 : std::vector<QString>{QString(), "000", QString(), ValueFormat(kind)};
    const int cols = static_cast<int>(widths.size());
    BodyGrid.Clear();
    BodyGrid.Cols(static_cast<int16_t>(cols));
    for (int16_t col = 0; col < cols; ++col) {
        BodyGrid.ColsWidth(col, widths[col]);
        BodyGrid.ColsFormat(col, formats[col]);
        BodyGrid.ColsAlign(col, col == 0 ? 2 : (col == cols - 1 ? 1 : 0));
        BodyGrid.ColsType(col, count > 0 ? 2 : 1);
        BodyGrid.ColsColor(col, 0xFFFFC0);
    }
    BodyGrid.ColsType(0, 1);
    BodyGrid.ColsColor(0, 0xE0E0E0);
    const int rows = std::max(count, MinimumRows);
    BodyGrid.Rows(static_cast<int16_t>(rows));
    vb::VariantArray values(rows, cols);
    for (int row = 0; row < rows; ++row) {
        BodyGrid.RowsHeight(static_cast<int16_t>(row), 335);
        for (int col = 0; col < cols; ++col) {
            values(row, col) = row < count ? ranking.rows(row, col) : vb::Variant(QString());
        }
    }
    BodyGrid.ValueMatrix(values);
    if (count > 0) {
        BodyGrid.SelectCell(0, 1);
    } else {
        BodyGrid.Redraw();
    }
}

void frmRanking::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
    }
    GoBackToMenu();
}
