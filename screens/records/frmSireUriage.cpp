#include "frmSireUriage.h"

#include "ClosedDay.h"
#include "DayAmounts.h"
#include "DayListOutput.h"
#include "DayRecords.h"
#include "RecordFormats.h"
#include "controls/Calendar.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "output/BusyGuard.h"
#include "output/ListOutput.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"
#include "screens/menu/FormLock.h"
#include "screens/menu/MasterCells.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/menu/ScreenControls.h"

namespace {

const QString Title = QStringLiteral("仕入/売上管理表");
// Rows of the empty grid shown when there is no product to list.
constexpr int BlankRows = 15;
constexpr double ButtonTop = 7680;
constexpr int16_t PurchaseQtyCol = 3;
constexpr int16_t SalesQtyCol = 4;
constexpr int16_t SalesPriceCol = 5;
constexpr int16_t SalesMoneyCol = 6;

QString DayKey(const vb::Date& day) {
    return "Input_Date = " + SqlValueText::DateValue(day);
}

QString ProductText(const vb::VariantArray& dayRows, int row) {
    return MasterCells::Text(dayRows.at(row, 0)) + "-" + MasterCells::Text(dayRows.at(row, 1));
}

}  // namespace

frmSireUriage::frmSireUriage() {
    SetBackColor(0xE0E0E0);
    Image1 = ScreenControls::NewLabel(this, Title, 3600, 300, 4800, 480);
    QFont font = Image1->font();
    font.setPointSize(18);
    font.setBold(true);
    Image1->setFont(font);
    Image1->setAlignment(Qt::AlignCenter);
    lblYear = ScreenControls::NewLabel(this, QString(), 600, 1080, 795, 255);
    Label2 = ScreenControls::NewLabel(this, QStringLiteral("年"), 1500, 1200, 255, 255);
    lblMonth = ScreenControls::NewLabel(this, QString(), 1740, 1080, 495, 255);
    Label3 = ScreenControls::NewLabel(this, QStringLiteral("月"), 2340, 1200, 255, 255);
    lblDay = ScreenControls::NewLabel(this, QString(), 2580, 1080, 495, 255);
    Label4 = ScreenControls::NewLabel(this, QStringLiteral("日"), 3180, 1200, 255, 255);
    QFont dateFont = lblYear->font();
    dateFont.setPointSize(14);
    for (QLabel* label : {lblYear, lblMonth, lblDay}) {
        label->setFont(dateFont);
        label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    }

    btnSelect = ScreenControls::NewButton(this, QStringLiteral("日付選択"));
    forms::placeTwips(btnSelect, 3540, 900, 2235, 555);
    btnInsert = ScreenControls::NewButton(this, QStringLiteral("登録"));
    btnSave = ScreenControls::NewButton(this, QStringLiteral("保存"));
    btnPrint = ScreenControls::NewButton(this, QStringLiteral("印刷"));
    btnEND = ScreenControls::NewButton(this, QStringLiteral("戻る"));
    forms::placeTwips(btnEND, 9420, ButtonTop, 2235, 615);

    const auto newBox = [this](double left, double top, double width, double height) {
        auto* box = new forms::PictureBox(this);
        box->Move(left, top, width, height);
        return box;
    };
    Picture4 = newBox(8340, 1020, 3315, 555);
    Picture1 = newBox(240, 1560, 11115, 615);
    Picture2 = newBox(240, 2160, 11115, 5055);
    Picture3 = newBox(240, 7200, 11115, 345);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    forms::placeTwips(VScroll1, 11340, 1545, 315, 6030);
    Text1 = new QLineEdit(this);
    Text1->hide();

    TitleGrid.BodyPictureBox(Picture1);
    EGrid.BodyPictureBox(Picture2);
    EGrid.VScrollBar(VScroll1);
    EGrid.PagePictureBox(Picture4);
    EGrid.EditTextBox(Text1);
    TotalGrid.BodyPictureBox(Picture3);
    gridEvents_.push_back(EGrid.EnterCell.connect([this] { EGrid_EnterCell(); }));
    gridEvents_.push_back(EGrid.LeaveCell.connect([this] { EGrid_LeaveCell(); }));

    connect(btnSelect, &QPushButton::clicked, this, [this] { btnSelect_Click(); });
    connect(btnInsert, &QPushButton::clicked, this, [this] { btnInsert_Click(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
    connect(btnEND, &QPushButton::clicked, this, [this] { btnEND_Click(); });
}

void frmSireUriage::Form_Load() {
    SetCaption(forms::App::Title() + " - " + Title);
    XX共通関数::SetFormClientSize(*this, 800, 600);
    XX共通関数::CenterForm(*this);
    shownDay_ = vb::Today().dateOnly();
    ShowDayLabels();
    ShowDayGrid();
}

void frmSireUriage::Form_Activate() {
    EGrid.SetFocus();
}

void frmSireUriage::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode == forms::vbFormControlMenu) {
        cancel = 1;
        btnEND_Click();
    }
}

void frmSireUriage::ShowDayLabels() {
    lblYear->setText(QString::number(shownDay_.year()));
    lblMonth->setText(QString::number(shownDay_.month()));
    lblDay->setText(QString::number(shownDay_.day()));
}

void frmSireUriage::ShowTitleGrid() {
    TitleGrid.Clear();
    TitleGrid.Rows(2);
    TitleGrid.Cols(6);
    TitleGrid.RowsHeight(0, 285);
    TitleGrid.RowsHeight(1, 300);
    const float widths[] = {1950, 4330, 1175, 1175, 1175, 1275};
    const QString top[] = {"", "", "仕入", "売上", "売上", "売上"};
    const QString bottom[] = {"商品番号", "商品名", "数量", "数量", "単価", "金額"};
    for (int16_t col = 0; col < 6; ++col) {
        TitleGrid.ColsWidth(col, widths[col]);
        TitleGrid.ColsType(col, 1);
        TitleGrid.ColsColor(col, 0xE0E0E0);
        TitleGrid.ColsAlign(col, 2);
        TitleGrid.Value(0, col, top[col]);
        TitleGrid.Value(1, col, bottom[col]);
    }
    TitleGrid.Redraw();
}

void frmSireUriage::ShowDayGrid() {
    FormLock lock(*this);
    dayRowCount_ = 0;
    salesQtyOnEnter_.Set(QString());
    ShowTitleGrid();

    vb::VariantArray rows;
    vb::VariantArray totals;
    if (!LoadDayData(rows, totals)) {
        HideAllButtons();
        dayRowCount_ = 0;
        dayRows_ = vb::VariantArray();
        orphanRows_ = vb::VariantArray();
    }
    const bool listed = dayRowCount_ >= 1;
    // Nothing to register without a product, nor on a closed day.
    if (closed_ || !listed) {
        btnInsert->setVisible(false);
    }

    EGrid.Clear();
    EGrid.Cols(7);
    const float widths[] = {450, 1500, 4330, 1175, 1175, 1175, 1275};
    const QString formats[] = {"000",
                               RecordFormats::TradeNumber(),
                               "",
                               RecordFormats::Quantity(),
                               RecordFormats::Quantity(),
                               RecordFormats::SalesPrice(),
                               RecordFormats::Amount()};
    for (int16_t col = 0; col < 7; ++col) {
        EGrid.ColsWidth(col, widths[col]);
        EGrid.ColsFormat(col, formats[col]);
        EGrid.ColsAlign(col, col < PurchaseQtyCol ? 0 : 1);
        EGrid.ColsColor(col, 0xFFFFC0);
        EGrid.ColsType(col, closed_ ? 2 : 1);
    }
    for (const int16_t col : {PurchaseQtyCol, SalesQtyCol, SalesMoneyCol}) {
        EGrid.ColsEditMode(col, 2);
        EGrid.ColsEditMaxLength(col, col == SalesMoneyCol
                                         ? RecordFormats::EditLength(8, RecordFormats::Amount())
                                         : RecordFormats::EditLength(7, RecordFormats::Quantity()));
        if (!closed_ && listed) {
            EGrid.ColsType(col, 16);
            EGrid.ColsColor(col, 0xFFFFFF);
        }
    }
    const int shownRows = listed ? dayRowCount_ : BlankRows;
    EGrid.Rows(static_cast<int16_t>(shownRows));
    for (int row = 0; row < shownRows; ++row) {
        EGrid.RowsHeight(static_cast<int16_t>(row), 333);
    }
    if (listed) {
        EGrid.ValueMatrix(rows);
        EGrid.SelectCell(0, PurchaseQtyCol);
    } else {
        EGrid.Redraw();
    }
    ShowTotalGrid(listed ? totals : vb::VariantArray());
}

void frmSireUriage::ShowTotalGrid(const vb::VariantArray& totals) {
    TotalGrid.Clear();
    TotalGrid.Cols(4);
    TotalGrid.Rows(1);
    TotalGrid.RowsHeight(0, 335);
    const float widths[] = {6280, 1175, 1175, 2450};
    const QString formats[] = {"", RecordFormats::Quantity(), RecordFormats::Quantity(),
                               RecordFormats::Amount()};
    for (int16_t col = 0; col < 4; ++col) {
        TotalGrid.ColsWidth(col, widths[col]);
        TotalGrid.ColsAlign(col, col == 0 ? 2 : 1);
        TotalGrid.ColsColor(col, 0xFFC0C0);
        TotalGrid.ColsType(col, 1);
        TotalGrid.ColsFormat(col, formats[col]);
    }
    TotalGrid.ValueMatrix(totals);
    TotalGrid.Redraw();
}

bool frmSireUriage::LoadDayData(vb::VariantArray& rows, vb::VariantArray& totals) {
    closed_ = ClosedDay::IsClosed(MainModule::LastCloseDate, shownDay_);
    vb::VariantArray products;
    if (!(closed_ ? LoadFixProducts(products) : LoadMasterProducts(products))) {
        return false;
    }
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    for (const char* field : {"Classify_No", "Trade_No", "Cost_Quantity", "Unit_Price",
                              "Cost_Money", "Sales_Quantity", "Sales_Money"}) {
        access.AddField(field);
    }
    access.AddFromVerse("Management_Tbl");
    access.AddWhereVerse(DayKey(shownDay_));
    access.AddOrderVerse("Classify_No");
    access.AddOrderVerse("Trade_No");
    const int32_t count = access.Execute();
    if (count < 0) {
        MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
        dayRowCount_ = 0;
        return false;
    }
    const LoadedDay day = DayRecords::Match(products, dayRowCount_, access.DBInfo(), count);
    rows = day.rows;
    totals = day.totals;
    dayRows_ = day.dayRows;
    orphanRows_ = day.orphans;

    ShowAllButtons();
    if (MainModule::PrintType == 1) {
        HideSaveButton();
    }
    if (count == 0) {
        ShowInsertButtonOnly();
    }
    return true;
}

bool frmSireUriage::LoadMasterProducts(vb::VariantArray& list) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    for (const char* field :
         {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No", "TradeMast_tbl.Trade_Name",
          "TradeMast_tbl.Unit_Price", "TradeMast_tbl.Sales_Price"}) {
        access.AddField(field);
    }
    access.AddFromVerse("ClassifyMast_tbl");
    access.AddFromVerse("TradeMast_tbl");
    access.AddWhereVerse("ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No");
    access.AddOrderVerse("TradeMast_tbl.Classify_No");
    access.AddOrderVerse("TradeMast_tbl.Trade_No");
    const int32_t count = access.Execute();
    if (count < 0) {
        MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
        dayRowCount_ = 0;
        return false;
    }
    dayRowCount_ = count;
    list = access.DBInfo();
    return true;
}

bool frmSireUriage::LoadFixProducts(vb::VariantArray& list) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    for (const char* field : {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price"}) {
        access.AddField(field);
    }
    access.AddField(QStringLiteral("Ｓale_Price"));
    access.AddFromVerse("FixDeta_tbl");
    access.AddWhereVerse("FixDate = " + SqlValueText::DateValue(shownDay_.firstOfMonth()));
    access.AddOrderVerse("Classify_No");
    access.AddOrderVerse("Trade_No");
    const int32_t count = access.Execute();
    if (count < 0) {
        MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
    }
    // A closed month without frozen rows shows the empty grid, without a message.
    if (count <= 0) {
        dayRowCount_ = 0;
        return false;
    }
    dayRowCount_ = count;
    list = access.DBInfo();
    return true;
}

void frmSireUriage::ShowAllButtons() {
    forms::placeTwips(btnInsert, 1860, ButtonTop, 2235, 615);
    forms::placeTwips(btnSave, 4380, ButtonTop, 2175, 615);
    forms::placeTwips(btnPrint, 6720, ButtonTop, 2235, 615);
    for (QPushButton* button : {btnInsert, btnSave, btnPrint}) {
        button->setVisible(true);
    }
}

void frmSireUriage::HideSaveButton() {
    btnSave->setVisible(false);
    forms::placeTwips(btnInsert, 4380, ButtonTop, 2235, 615);
}

void frmSireUriage::ShowInsertButtonOnly() {
    btnSave->setVisible(false);
    btnPrint->setVisible(false);
}

void frmSireUriage::HideAllButtons() {
    for (QPushButton* button : {btnInsert, btnSave, btnPrint}) {
        button->setVisible(false);
    }
}

void frmSireUriage::EGrid_EnterCell() {
    if (EGrid.Col() == SalesQtyCol) {
        salesQtyOnEnter_.Set(EGrid.Value(EGrid.Row(), SalesQtyCol));
    }
}

void frmSireUriage::EGrid_LeaveCell() {
    const int16_t row = EGrid.Row();
    const QString quantity = EGrid.Value(row, SalesQtyCol);
    if (EGrid.Col() != SalesQtyCol || !salesQtyOnEnter_.Changed(quantity)) {
        return;
    }
    const auto q = DayAmounts::CellNumber(quantity);
    const auto p = DayAmounts::CellNumber(EGrid.Value(row, SalesPriceCol));
    if (!q || !p) {
        return;
    }
    try {
        const vb::Currency amount = DayAmounts::SalesAmount(*q, *p, MainModule::SumDecimal);
        EGrid.Value(row, SalesMoneyCol, amount.toString());
        salesQtyOnEnter_.Set(quantity);
    } catch (const vb::RuntimeError&) {
        // The quantity goes back, so that the row's quantity and amount still agree.
        EGrid.Value(row, SalesQtyCol, salesQtyOnEnter_.Value());
        amountRefused_ = true;
        forms::MsgBox("商品番号[" + ProductText(dayRows_, row) +
                          "]の売上金額が大きすぎるため計算できません。",
                      forms::vbExclamation, Title);
    }
}

bool frmSireUriage::CommitEdit() {
    amountRefused_ = false;
    EGrid.CommitCell();
    return !amountRefused_;
}

std::vector<DayCells> frmSireUriage::ShownCells() const {
    std::vector<DayCells> cells;
    for (int row = 0; row < dayRowCount_; ++row) {
        const auto r = static_cast<int16_t>(row);
        cells.push_back({EGrid.Value(r, PurchaseQtyCol), EGrid.Value(r, SalesQtyCol),
                         EGrid.Value(r, SalesMoneyCol)});
    }
    return cells;
}

bool frmSireUriage::DiscardAsked(const QString& question) const {
    if (!DayRegistration::Changed(ShownCells(), dayRows_)) {
        return true;
    }
    return forms::MsgBox(question, forms::vbOKCancel + forms::vbExclamation, Title) == forms::vbOK;
}

void frmSireUriage::ShowRefusal(const DayWrite& write) const {
    const QString product = "商品番号[" + ProductText(dayRows_, write.refusedRow) + "]";
    const QString text = write.refusal == DayWrite::TooLarge
                             ? product + "の金額が大きすぎるため登録できません。"
                             : product + "の数量または金額が数値ではありません。";
    forms::MsgBox(text, forms::vbExclamation, Title);
}

void frmSireUriage::btnSelect_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    EGrid.CommitCell();
    if (!DiscardAsked("入力情報が登録されていません。このまま日付選択処理を行ってもよろしいですか？"
                      "\r\n(注)日付選択処理を行った場合、入力されたデータは登録されません。")) {
        return;
    }
    Calendar calendar;
    calendar.Value(shownDay_);
    if (calendar.Show() != -1) {
        return;
    }
    shownDay_ = calendar.Value().dateOnly();
    ShowDayLabels();
    ShowDayGrid();
}

void frmSireUriage::btnInsert_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    FormLock lock(*this);
    if (!CommitEdit() || closed_ || dayRowCount_ < 1) {
        return;
    }
    for (int row = 0; row < dayRowCount_; ++row) {
        for (const int16_t col : {PurchaseQtyCol, SalesQtyCol, SalesMoneyCol}) {
            if (vb::Trim(EGrid.Value(static_cast<int16_t>(row), col)).isEmpty()) {
                EGrid.Value(static_cast<int16_t>(row), col, QStringLiteral("0"));
            }
        }
    }
    EGrid.Redraw();
    const DayWrite write = DayRegistration::Build(ShownCells(), dayRows_, orphanRows_, shownDay_,
                                                  MainModule::SumDecimal);
    if (write.refusal != DayWrite::None) {
        ShowRefusal(write);
        return;
    }
    if (write.selected == 0) {
        return;
    }
    const QString question =
        QString::number(shownDay_.year()) + "年" + QString::number(shownDay_.month()) + "月" +
        QString::number(shownDay_.day()) + "日 のデータを登録してもよろしいですか？";
    if (forms::MsgBox(question, forms::vbYesNo + forms::vbQuestion, Title) != forms::vbYes) {
        EGrid.SetFocus();
        return;
    }
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag(write.AccessFlag());
    if (write.rows.rows() > 0) {
        for (const char* field : DayRegistration::Fields) {
            access.AddField(field);
        }
        access.DBInfo(write.rows);
    }
    access.AddFromVerse("Management_Tbl");
    access.AddWhereVerse(DayKey(shownDay_));
    const int32_t result = access.Execute();
    access.ExecuteClear();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::RegisterFailed, Title);
        return;
    }
    XX共通関数::ShowDoneMessage(XX共通関数::Registered, Title);
    ShowDayGrid();
}

int32_t frmSireUriage::BuildPrintList(vb::VariantArray& list) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("1");
    for (const char* field :
         {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No", "TradeMast_tbl.Trade_Name",
          "Management_Tbl.Cost_Quantity", "Management_Tbl.Cost_Money",
          "Management_Tbl.Sales_Quantity", "Management_Tbl.Sales_Money"}) {
        access.AddField(field);
    }
    access.AddFromVerse("TradeMast_tbl");
    access.AddFromVerse("Management_Tbl");
    access.AddWhereVerse("TradeMast_tbl.Classify_No = Management_Tbl.Classify_No");
    access.AddWhereVerse("TradeMast_tbl.Trade_No = Management_Tbl.Trade_No");
    access.AddWhereVerse("Management_Tbl." + DayKey(shownDay_));
    access.AddOrderVerse("Management_Tbl.Classify_No");
    access.AddOrderVerse("Management_Tbl.Trade_No");
    const int32_t count = access.Execute();
    if (count < 0) {
        return MasterDatabase::ShowFailure(count, XX共通関数::ReadFailed, Title);
    }
    list = DayListOutput::Rows(access.DBInfo(), count);
    return count;
}

void frmSireUriage::btnPrint_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    EGrid.CommitCell();
    vb::VariantArray list;
    const int32_t count = BuildPrintList(list);
    if (count == 0) {
        forms::MsgBox(QStringLiteral("印刷するDataがありません。"), forms::vbInformation, Title);
    } else if (count > 0) {
        ListOutput(DayListOutput::Settings(shownDay_)).Print(list);
    }
}

void frmSireUriage::btnSave_Click() {
    BusyGuard guard(*this);
    if (guard.Busy()) {
        return;
    }
    EGrid.CommitCell();
    vb::VariantArray list;
    const int32_t count = BuildPrintList(list);
    if (count == 0) {
        forms::MsgBox(QStringLiteral("保存するDataがありません。"), forms::vbInformation, Title);
    } else if (count > 0) {
        ListOutput(DayListOutput::Settings(shownDay_)).Save(this, list);
    }
}

void frmSireUriage::btnEND_Click() {
    {
        BusyGuard guard(*this);
        if (guard.Busy()) {
            return;
        }
        EGrid.CommitCell();
        if (!DiscardAsked("入力情報が登録されていません。メニュー画面に戻ってもよろしいですか？"
                          "\r\n(注)メニュー画面に戻った場合、入力されたデータは登録されません。")) {
            return;
        }
    }
    if (ReturnToMenu) {
        ReturnToMenu();
    }
    Unload();
}
