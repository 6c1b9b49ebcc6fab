#include "frmSyosuList.h"

#include <QLabel>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "output/LayoutBooks.h"
#include "platform/forms/Twips.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/ScreenControls.h"
#include "screens/monthend/InventoryList.h"

namespace {

const QString Title = QStringLiteral("在庫少数リスト");
constexpr int MinimumRows = 15;
constexpr double TabTop = 6900;

const std::array<ScreenControls::TabLook, 3> Tabs = {{
    {"平均以下在庫数", 300, 300},
    {"在庫数 『0』 リスト", 2040, 1948},
    {"平均売上数量", 3720, 3565},
}};

}  // namespace

frmSyosuList::frmSyosuList() : MasterForm(Title) {
    forms::placeTwips(Image1, 4080, 300, 3720, 480);
    Picture3 = NewPictureBox(8340, 900, 3315, 555);
    Picture1 = NewPictureBox(240, 1440, 11115, 405);
    Picture1->SetBackColor(0xC0C0C0);
    Picture2 = NewPictureBox(240, 1830, 11115, 5045);
    VScroll1 = NewScrollBar(11360, 1425, 315, 5445);
    for (int tab = 0; tab < 3; ++tab) {
        Commands[tab] = ScreenControls::NewTabButton(this, Tabs[tab], TabTop);
        connect(Commands[tab], &QPushButton::clicked, this, [this, tab] { SelectTab(tab); });
    }
    forms::placeTwips(btnSave, 4860, 7620, 2175, 615);
    forms::placeTwips(btnPrint, 7200, 7620, 2175, 615);
    forms::placeTwips(btnEND, 9540, 7620, 2115, 615);
    btnInsert->hide();
    btnDel->hide();

    HeadGrid.BodyPictureBox(Picture1);
    BodyGrid.BodyPictureBox(Picture2);
    BodyGrid.VScrollBar(VScroll1);
    BodyGrid.PagePictureBox(Picture3);

    connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
}

void frmSyosuList::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    lists_.Load(Title);
    SelectTab(0);
}

void frmSyosuList::Form_Activate() {
    BodyGrid.SetFocus();
}

void frmSyosuList::SelectTab(int tab) {
    ScreenControls::ChooseTab(Commands, Tabs, tab, TabTop);
    if (tab < 2) {
        ListKind = tab;
    }
    ShowStockList(tab);
    const int16_t count = tab == 0 ? lists_.LowStockCount() : lists_.ZeroStockCount();
    const bool output = tab < 2 && count > 0;
    btnPrint->setVisible(output);
    btnSave->setVisible(output && MainModule::PrintType != 1);
}

void frmSyosuList::ShowStockList(int kind) {
    FormLock lock(*this);
    const bool all = kind == 2;
    const int count = kind == 0   ? lists_.LowStockCount()
                      : kind == 1 ? lists_.ZeroStockCount()
                                  : lists_.AllStockCount();
    const vb::VariantArray& list = kind == 0   ? lists_.LowStockList()
                                   : kind == 1 ? lists_.ZeroStockList()
                                               : lists_.AllStockList();

    const std::vector<float> headWidths =
        all ? std::vector<float>{3000, 5105, 3000} : std::vector<float>{3000, 5105, 1500, 1500};
    const QStringList headings = {"番号", "商 品 名", "平均売上数量", "在庫数"};
    HeadGrid.Clear();
    HeadGrid.Rows(1);
    HeadGrid.Cols(static_cast<int16_t>(headWidths.size()));
    HeadGrid.RowsHeight(0, 375);
    for (int16_t col = 0; col < static_cast<int16_t>(headWidths.size()); ++col) {
        HeadGrid.ColsWidth(col, headWidths[col]);
        HeadGrid.ColsType(col, 1);
        HeadGrid.ColsColor(col, 0xE0E0E0);
        HeadGrid.ColsAlign(col, 2);
        HeadGrid.Value(0, col, headings[col]);
    }
    HeadGrid.Redraw();

    const std::vector<float> widths = all ? std::vector<float>{1000, 2000, 5105, 3000}
                                          : std::vector<float>{1000, 2000, 5105, 1500, 1500};
    const QString quantity = InventoryList::QuantityFormat();
    const std::vector<QString> formats = {"000", InventoryList::TradeNumberFormat(), QString(),
                                          quantity, quantity};
    const int cols = static_cast<int>(widths.size());
    BodyGrid.Clear();
    BodyGrid.Cols(static_cast<int16_t>(cols));
    for (int16_t col = 0; col < cols; ++col) {
        BodyGrid.ColsWidth(col, widths[col]);
        BodyGrid.ColsFormat(col, formats[col]);
        BodyGrid.ColsAlign(col, col <= 2 ? 0 : 1);
        BodyGrid.ColsType(col, count > 0 ? 2 : 1);
        BodyGrid.ColsColor(col, 0xFFFFC0);
    }
    const int rows = std::max(count, MinimumRows);
    BodyGrid.Rows(static_cast<int16_t>(rows));
    vb::VariantArray values(rows, cols);
    for (int row = 0; row < rows; ++row) {
        BodyGrid.RowsHeight(static_cast<int16_t>(row), 335);
        for (int col = 0; col < cols; ++col) {
            values(row, col) = row < count ? list(row, col) : vb::Variant(QString());
        }
    }
    BodyGrid.ValueMatrix(values);
    if (count > 0) {
        BodyGrid.SelectCell(0, 0);
    } else {
        BodyGrid.Redraw();
    }
}

QString frmSyosuList::ListName() const {
    return ListKind == 0 ? Title : QStringLiteral("在庫数「0」リスト");
}

vb::VariantArray frmSyosuList::BuildOutputArray() const {
    const int count = ListKind == 0 ? lists_.LowStockCount() : lists_.ZeroStockCount();
    if (count < 1) {
        return {};
    }
    const vb::VariantArray& list = ListKind == 0 ? lists_.LowStockList() : lists_.ZeroStockList();
    vb::VariantArray out(count, 4);
    for (int row = 0; row < count; ++row) {
        out(row, 0) = list(row, StockLists::ClassifyNo).toString() +
                      list(row, StockLists::TradeNo).toString();
        out(row, 1) = list(row, StockLists::TradeName);
        out(row, 2) = list(row, StockLists::Average);
        out(row, 3) = list(row, StockLists::Stock);
    }
    return out;
}

ListOutputSettings frmSyosuList::Output() const {
    const QString name = ListName();
    ListOutputSettings settings = ListOutputSettings::ForTitle(name);
    settings.texts.boxTitle = Title;
    settings.texts.noDocumentsFolderTitle = Title;
    settings.texts.dialogTitle = Title + "の保存";
    settings.layoutBook = LayoutBooks::Zaikolist;
    settings.dataStartCell = 4;
    settings.outputTitle = name;
    settings.columns = {{32, 0}, {88, 0}, {26, 1}, {26, 1}};
    settings.headings = {{"番 号", "商　品　名", "平均売上数量", "在庫数量"}};
    settings.printOutType = 1;
    return settings;
}

void frmSyosuList::btnPrint_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    const vb::VariantArray list = BuildOutputArray();
    if (list.rows() < 1) {
        return;
    }
    ListOutput(Output()).Print(list);
}

void frmSyosuList::btnSave_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    const vb::VariantArray list = BuildOutputArray();
    if (list.rows() < 1) {
        return;
    }
    ListOutput(Output()).Save(this, list);
}

void frmSyosuList::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
    }
    GoBackToMenu();
}
