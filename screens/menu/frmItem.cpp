#include "frmItem.h"

#include <QLabel>
#include <QStringList>
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
#include "platform/runtime/Currency.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Strings.h"

namespace {

const QString Title = QStringLiteral("商品一覧表");
constexpr int BlankRows = 15;
constexpr double ButtonTop = 7680;
const std::vector<float> ProductWidths = {1485, 4405, 1010, 1010};

int NumberWidth() {
    return MainModule::TradeFigure + 4;
}

bool PurchaseDecimals() {
    return (MainModule::UnitDecimal & 1) != 0;
}

bool SalesDecimals() {
    return (MainModule::UnitDecimal & 2) != 0;
}

QString PriceFormat(bool decimals) {
    return decimals ? QStringLiteral("###,###,##0.00") : QStringLiteral("###,###,##0");
}

float PriceLength(bool decimals) {
    return decimals ? 7.2f : 7.0f;
}

QString ClassNumber(const QString& number) {
    return MasterCells::IsDigits(number) ? MasterCells::Zeros(number, 3) : QString();
}

QString ClassKey(const QString& classNo) {
    return "Classify_No = " + SqlValueText::Text(classNo);
}

ListOutputSettings ProductListOutput() {
    ListOutputSettings settings = ListOutputSettings::ForTitle(Title);
    settings.texts.printDone = QStringLiteral("商品一覧の印刷が完了しました。");
    settings.texts.printFailed = QStringLiteral("商品一覧の印刷に失敗しました｡");
    settings.layoutBook = LayoutBooks::Syouhin;
    settings.dataStartCell = 4;
    settings.columns = {{15, 0}, {67, 0}, {27, 0}, {94, 0}, {28, 1}, {28, 1}};
    settings.headings = {
        {"分類番号", "分　類　名", "商品番号", "商　品　名", "仕入単価", "売上単価"}};
    settings.printOutType = 0;
    return settings;
}

}  // namespace

frmItem::frmItem() : MasterForm(Title) {
    forms::placeTwips(Image1, 4740, 360, 3120, 495);
    Picture1 = NewPictureBox(180, 1560, 11295, 435);
    Picture3 = NewPictureBox(180, 1965, 3105, 4980);
    VScroll2 = NewScrollBar(3240, 1980, 315, 4965);
    Picture2 = NewPictureBox(3540, 1965, 7980, 4980);
    VScroll1 = NewScrollBar(11460, 1560, 315, 5385);
    Picture4 = NewPictureBox(8460, 1020, 3315, 555);
    ShowAllButtons();

    TitleGrid.BodyPictureBox(Picture1);
    FGrid.BodyPictureBox(Picture3);
    FGrid.VScrollBar(VScroll2);
    EGrid.BodyPictureBox(Picture2);
    EGrid.VScrollBar(VScroll1);
    EGrid.PagePictureBox(Picture4);
    EGrid.EditTextBox(Text1);
    enterCell_ = EGrid.EnterCell.connect([this] { EGrid_EnterCell(); });
    classClick_ = FGrid.Click.connect([this] { FGrid_Click(); });
    // After the grid has moved its highlight, so that a key chooses a class as a click does.
    classKeys_ = Picture3->KeyDown.connect([this](int, int) { Picture3_KeyDown(); });

    connect(btnInsert, &QPushButton::clicked, this, [this] { btnInsert_Click(); });
    connect(btnDel, &QPushButton::clicked, this, [this] { btnDel_Click(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
}

void frmItem::Form_Load() {
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    loadFailed_ = false;
    if (LoadClassifyList()) {
        ShowTradeGrid();
    } else {
        loadFailed_ = true;
    }
}

void frmItem::Form_Activate() {
    EGrid.SetFocus();
}

bool frmItem::LoadClassifyList() {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    access.AddField("Classify_No");
    access.AddField("Classify_Name");
    access.AddFromVerse("ClassifyMast_tbl");
    access.AddOrderVerse("Classify_No");
    const int32_t count = access.Execute();
    if (count < 0) {
        MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
        loadFailed_ = true;
        ShowFailedGrids();
        return false;
    }
    const vb::VariantArray classes = access.DBInfo();
    FGrid.AutoSize(2);
    FGrid.Cols(2);
    FGrid.FontSize(8);
    FGrid.ColsWidth(0, 1000);
    FGrid.ColsWidth(1, count > 15 ? 2055 : 2365);
    for (int16_t col = 0; col < 2; ++col) {
        FGrid.ColsColor(col, 0xFFFFC0);
        FGrid.ColsType(col, 2);
    }
    if (count < 16) {
        Picture3->SetWidth(3350);
    }
    const int rows = std::max(count, BlankRows);
    FGrid.Rows(static_cast<int16_t>(rows));
    vb::VariantArray values(rows, 2);
    for (int row = 0; row < rows; ++row) {
        FGrid.RowsHeight(static_cast<int16_t>(row), 330);
        for (int col = 0; col < 2; ++col) {
            values(row, col) = row < count ? MasterCells::Text(classes.at(row, col)) : QString();
        }
    }
    FGrid.ValueMatrix(values);
    currentClass_ = count > 0 ? ClassNumber(MasterCells::Text(classes.at(0, 0))) : QString();
    currentClassRow_ = 0;
    FGrid.SelectCell(0, 0);
    return true;
}

void frmItem::ShowTitleGrid() {
    TitleGrid.Clear();
    TitleGrid.Rows(1);
    TitleGrid.Cols(6);
    TitleGrid.FontSize(9);
    TitleGrid.RowsHeight(0, 390);
    const std::vector<float> widths = {1000, 2350, 1500, 4410, 1000, 1000};
    const QStringList headings = {"分類番号", "分類名",   "商品番号",
                                  "商品名",   "仕入単価", "売上単価"};
    for (int16_t col = 0; col < 6; ++col) {
        TitleGrid.ColsWidth(col, widths[col]);
        TitleGrid.ColsColor(col, 0xE0E0E0);
        TitleGrid.ColsAlign(col, 2);
        TitleGrid.ColsType(col, 1);
        TitleGrid.Value(0, col, headings[col]);
    }
    TitleGrid.AutoSize(-1);
    TitleGrid.Redraw();
}

bool frmItem::ReadTradeList(vb::VariantArray& products) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    access.AddField("Trade_No");
    access.AddField("Trade_Name");
    access.AddField("Unit_Price");
    access.AddField("Sales_Price");
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse(ClassKey(currentClass_));
    access.AddOrderVerse("Trade_No");
    const int32_t count = access.Execute();
    if (count < 0) {
        MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
        return false;
    }
    productCount_ = count;
    products = access.DBInfo();
    const int32_t all = CountAllProducts();
    if (all < 0) {
        return false;
    }
    if (all == 0) {
        // A class is chosen: its first products can be registered, also after a blank
        // class row hid the register button.
        btnInsert->setVisible(true);
        HideListButtons();
    } else {
        ShowAllButtons();
    }
    if (MainModule::PrintType == 1) {
        HideSaveButton();
    }
    if (productCount_ == 0) {
        btnDel->setVisible(false);
    }
    return true;
}

int32_t frmItem::CountAllProducts() {
    const int32_t count = MasterDatabase::Count("TradeMast_tbl");
    if (count < 0) {
        MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
    }
    return count;
}

void frmItem::ShowTradeGrid() {
    FormLock lock(*this);
    ShowTitleGrid();
    if (currentClass_.isEmpty()) {
        ShowEmptyTradeGrid();
        return;
    }
    vb::VariantArray products;
    if (!ReadTradeList(products)) {
        loadFailed_ = true;
        ShowFailedGrids();
        return;
    }
    EGrid.Clear();
    EGrid.AutoSize(2);
    EGrid.Cols(4);
    EGrid.FontSize(8);
    EGrid.ColsEditMaxLength(0, static_cast<float>(NumberWidth()));
    EGrid.ColsFormat(0, QString(NumberWidth(), QLatin1Char('0')));
    EGrid.ColsFormat(2, PriceFormat(PurchaseDecimals()));
    EGrid.ColsEditMaxLength(2, PriceLength(PurchaseDecimals()));
    EGrid.ColsFormat(3, PriceFormat(SalesDecimals()));
    EGrid.ColsEditMaxLength(3, PriceLength(SalesDecimals()));
    const std::vector<int16_t> modes = {2, 1, 2, 2};
    const std::vector<int16_t> aligns = {0, 0, 1, 1};
    for (int16_t col = 0; col < 4; ++col) {
        EGrid.ColsWidth(col, ProductWidths[col]);
        EGrid.ColsColor(col, 0xFFFFFF);
        EGrid.ColsType(col, 16);
        EGrid.ColsEditMode(col, modes[col]);
        EGrid.ColsAlign(col, aligns[col]);
    }
    EGrid.ColsEditMaxLength(1, 25);
    const int rows = productCount_ + BlankRows;
    EGrid.Rows(static_cast<int16_t>(rows));
    gridSnapshot_ = vb::VariantArray(rows, 4);
    for (int row = 0; row < rows; ++row) {
        EGrid.RowsHeight(static_cast<int16_t>(row), 330);
        for (int col = 0; col < 4; ++col) {
            gridSnapshot_(row, col) =
                row < productCount_ ? MasterCells::Text(products.at(row, col)) : QString();
        }
    }
    EGrid.ValueMatrix(gridSnapshot_);
    EGrid.SelectCell(0, 0);
}

void frmItem::LockedGrid(ExpandGrid2& grid, const std::vector<float>& widths) {
    grid.Clear();
    grid.Cols(static_cast<int16_t>(widths.size()));
    for (int16_t col = 0; col < grid.Cols(); ++col) {
        grid.ColsWidth(col, widths[col]);
        grid.ColsColor(col, 0xFFFFC0);
        grid.ColsType(col, 1);
    }
    grid.Rows(BlankRows);
    for (int16_t row = 0; row < BlankRows; ++row) {
        grid.RowsHeight(row, 330);
    }
    grid.Redraw();
}

void frmItem::ShowFailedGrids() {
    HideAllButtons();
    ShowTitleGrid();
    LockedGrid(FGrid, {1000, 2365});
    LockedGrid(EGrid, ProductWidths);
    productCount_ = 0;
    gridSnapshot_ = vb::VariantArray(BlankRows, 4);
}

void frmItem::ShowEmptyTradeGrid() {
    LockedGrid(EGrid, {1500, 4420, 1010, 1010});
    productCount_ = 0;
    gridSnapshot_ = vb::VariantArray(BlankRows, 4);
    btnInsert->setVisible(false);
    btnDel->setVisible(false);
}

void frmItem::ShowAllButtons() {
    forms::placeTwips(btnInsert, 180, ButtonTop, 2235, 615);
    forms::placeTwips(btnDel, 2580, ButtonTop, 2175, 615);
    forms::placeTwips(btnSave, 4920, ButtonTop, 2175, 615);
    forms::placeTwips(btnPrint, 7260, ButtonTop, 2175, 615);
    forms::placeTwips(btnEND, 9600, ButtonTop, 2175, 615);
    for (QPushButton* button : {btnInsert, btnDel, btnSave, btnPrint}) {
        button->setVisible(true);
    }
    btnDel->setEnabled(true);
}

void frmItem::HideSaveButton() {
    btnSave->setVisible(false);
    forms::placeTwips(btnDel, 4920, ButtonTop, 2175, 615);
    forms::placeTwips(btnInsert, 2580, ButtonTop, 2235, 615);
}

bool frmItem::HasEdits() const {
    return MasterCells::Differs(EGrid, gridSnapshot_, {true, false, true, true});
}

void frmItem::FGrid_Click() {
    if (loadFailed_) {
        return;
    }
    ChooseClass();
}

void frmItem::Picture3_KeyDown() {
    if (!loadFailed_ && FGrid.Row() != currentClassRow_) {
        ChooseClass();
    }
}

void frmItem::ChooseClass() {
    EGrid.CommitCell();
    if (HasEdits() &&
        forms::MsgBox("入力情報が登録されていません。商品分類を切り替えてもよろしいですか？\r\n"
                      "(注)商品分類を切り替えた場合、入力されたデータは登録されません。",
                      forms::vbOKCancel + forms::vbExclamation, Title) != forms::vbOK) {
        FGrid.SelectCell(static_cast<int16_t>(currentClassRow_), 0);
        return;
    }
    currentClassRow_ = FGrid.Row();
    currentClass_ = ClassNumber(vb::Trim(FGrid.Value(FGrid.Row(), 0)));
    ShowTradeGrid();
}

void frmItem::EGrid_EnterCell() {
    if (productCount_ > 0) {
        btnDel->setEnabled(MasterCells::Stored(gridSnapshot_, EGrid.Row()));
    }
}

bool frmItem::CollectRows(vb::VariantArray& rows, bool& changed) const {
    std::vector<std::vector<vb::Variant>> filled;
    QStringList numbers;
    changed = false;
    const auto refuse = [](const QString& text) {
        forms::MsgBox(text, forms::vbExclamation, Title);
        return false;
    };
    for (int row = 0; row < gridSnapshot_.rows(); ++row) {
        const auto cell = [&](int col) { return EGrid.Value(static_cast<int16_t>(row), col); };
        const QString number = vb::Trim(cell(0));
        const QString name = cell(1);
        const QString purchase = vb::Trim(cell(2));
        const QString sales = vb::Trim(cell(3));
        if (cell(0).isEmpty() && vb::Trim(name).isEmpty() && purchase.isEmpty() &&
            sales.isEmpty()) {
            continue;
        }
        if (number.isEmpty()) {
            return refuse(QStringLiteral("商品番号を入力して下さい｡"));
        }
        if (!MasterCells::IsDigits(number)) {
            return refuse("商品番号[" + number + "]は数字だけで入力して下さい。");
        }
        const QString formatted = MasterCells::Zeros(number, NumberWidth());
        if (vb::Trim(name).isEmpty()) {
            return refuse("商品番号[" + formatted + "]番の商品名を入力して下さい。");
        }
        if (purchase.isEmpty()) {
            return refuse("商品番号[" + formatted + "]番の仕入単価を入力して下さい。");
        }
        if (sales.isEmpty()) {
            return refuse("商品番号[" + formatted + "]番の売上単価を入力して下さい。");
        }
        if (numbers.contains(formatted)) {
            return refuse("商品番号[" + formatted +
                          "]番が重複しています。同じ商品番号は登録できません。");
        }
        numbers.append(formatted);
        filled.push_back({SqlValueText::Text(currentClass_), SqlValueText::Text(formatted),
                          SqlValueText::Text(name), vb::Currency::fromDouble(vb::Val(purchase)),
                          vb::Currency::fromDouble(vb::Val(sales)), vb::Currency()});
        const auto snapshot = [&](int col) {
            return MasterCells::Text(gridSnapshot_.at(row, col));
        };
        if (!MasterCells::SameNumber(number, snapshot(0)) || name != snapshot(1) ||
            vb::Val(purchase) != vb::Val(snapshot(2)) || vb::Val(sales) != vb::Val(snapshot(3))) {
            changed = true;
        }
    }
    rows = vb::VariantArray(static_cast<int>(filled.size()), 6);
    for (int row = 0; row < rows.rows(); ++row) {
        for (int col = 0; col < 6; ++col) {
            rows(row, col) = filled[row][col];
        }
    }
    return true;
}

void frmItem::btnInsert_Click() {
    BusyGuard guard(*this);
    if (guard.Busy() || loadFailed_ || currentClass_.isEmpty()) {
        return;
    }
    FormLock lock(*this);
    EGrid.CommitCell();
    if (MasterCells::NumberChanged(EGrid, gridSnapshot_, gridSnapshot_.rows())) {
        if (forms::MsgBox("商品番号を修正することは出来ません。画面を元の情報に戻しますか？",
                          forms::vbYesNo + forms::vbExclamation, Title) == forms::vbYes) {
            ShowTradeGrid();
        }
        return;
    }
    vb::VariantArray rows;
    bool changed = false;
    if (!CollectRows(rows, changed) || rows.rows() == 0 || !changed) {
        return;
    }
    if (forms::MsgBox(QStringLiteral("商品一覧のデータを登録してもよろしいですか？"),
                      forms::vbYesNo + forms::vbQuestion, Title) != forms::vbYes) {
        EGrid.SetFocus();
        return;
    }
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("7");
    access.DBInfo(rows);
    access.AddFromVerse("TradeMast_tbl");
    for (const char* field :
         {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price", "basic_Quantity"}) {
        access.AddField(field);
    }
    access.AddWhereVerse(ClassKey(currentClass_));
    const int32_t result = access.Execute();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::RegisterFailed, Title);
        return;
    }
    XX共通関数::ShowDoneMessage(XX共通関数::Registered, Title);
    MainModule::HasProducts = true;
    ShowTradeGrid();
}

void frmItem::btnDel_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    FormLock lock(*this);
    const int row = EGrid.Row();
    if (loadFailed_ || productCount_ == 0 || !MasterCells::Stored(gridSnapshot_, row)) {
        return;
    }
    // The number as loaded: an unregistered edit of the cell names no other product.
    const QString number =
        MasterCells::Zeros(vb::Trim(MasterCells::Text(gridSnapshot_.at(row, 0))), NumberWidth());
    const QStringList keys = {ClassKey(currentClass_), "Trade_No = " + SqlValueText::Text(number)};
    const MasterDeleteCheck check{
        Title, keys, QStringLiteral("指定商品は、在庫がまだ存在するため削除が出来ません。"),
        QStringLiteral("指定商品は、在庫数繰越していない情報が存在します。\r\n"
                       "在庫数繰越を行った後、在庫が残っていないことを確認してから削除を行って"
                       "ください。")};
    if (check.Run() != 1) {
        return;
    }
    if (forms::MsgBox("[" + number + "]番の商品を削除してもよろしいですか？",
                      forms::vbYesNo + forms::vbQuestion, Title) != forms::vbYes) {
        EGrid.SetFocus();
        return;
    }
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("5");
    access.AddFromVerse("TradeMast_tbl");
    for (const QString& key : keys) {
        access.AddWhereVerse(key);
    }
    const int32_t result = access.Execute();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::DeleteFailed, Title);
        return;
    }
    XX共通関数::ShowDoneMessage(XX共通関数::Deleted, Title);
    const int32_t remaining = CountAllProducts();
    if (remaining == 0) {
        MainModule::HasProducts = false;
    }
    if (remaining >= 0) {
        ShowTradeGrid();
    }
}

int32_t frmItem::ReadPrintList(vb::VariantArray& list) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    for (const char* field :
         {"TradeMast_tbl.Classify_No", "ClassifyMast_tbl.Classify_Name", "TradeMast_tbl.Trade_No",
          "TradeMast_tbl.Trade_Name", "TradeMast_tbl.Unit_Price", "TradeMast_tbl.Sales_Price"}) {
        access.AddField(field);
    }
    access.AddFromVerse("TradeMast_tbl");
    access.AddFromVerse("ClassifyMast_tbl");
    access.AddWhereVerse("ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No");
    access.AddOrderVerse("TradeMast_tbl.Classify_No");
    access.AddOrderVerse("TradeMast_tbl.Trade_No");
    const int32_t count = access.Execute();
    if (count < 0) {
        return MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
    }
    const vb::VariantArray read = access.DBInfo();
    list = vb::VariantArray(count, 6);
    for (int row = 0; row < count; ++row) {
        list(row, 0) = ClassNumber(MasterCells::Text(read.at(row, 0)));
        list(row, 1) = MasterCells::Text(read.at(row, 1));
        list(row, 2) = MasterCells::Zeros(MasterCells::Text(read.at(row, 2)), NumberWidth());
        list(row, 3) = MasterCells::Text(read.at(row, 3));
        list(row, 4) = vb::Format(read.at(row, 4), PriceFormat(PurchaseDecimals()));
        list(row, 5) = vb::Format(read.at(row, 5), PriceFormat(SalesDecimals()));
    }
    return count;
}

void frmItem::btnPrint_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    vb::VariantArray list;
    const ListOutput output(ProductListOutput());
    const int32_t count = ReadPrintList(list);
    if (count == 0) {
        output.ShowPrintResult(-1);
    } else if (count > 0) {
        output.Print(list);
    }
}

void frmItem::btnSave_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    vb::VariantArray list;
    const ListOutput output(ProductListOutput());
    const int32_t count = ReadPrintList(list);
    if (count == 0) {
        output.ShowSaveResult(-1);
    } else if (count > 0) {
        output.Save(this, list);
    }
}

void frmItem::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
        EGrid.CommitCell();
        if (HasEdits() && !DiscardAsked()) {
            return;
        }
    }
    GoBackToMenu();
}
