#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Clock.h"
#include "screens/records/frmZanMentnans.h"
#include "tests/controls/PickerFixture.h"
#include "tests/platform/printer/PdfReader.h"
#include "tests/screens/menu/MasterFixture.h"
#include "tests/support/TestRows.h"

namespace {

using vb::Date;

const QString Title = "月間データメンテナンス";
const QStringList Stored = {
    "Classify_No", "Trade_No",    "Classify_Name",  "Trade_Name",  "Unit_Price",   "Cost_Quantity",
    "Cost_Money",  "Ｓale_Price", "Sales_Quantity", "Sales_Money", "Fix_Quantity", "Aver_Quantity",
    "ClasRankRi",  "ClasRankMo",  "ClasRankQu",     "TradeRankRi", "TradeRankMo",  "TradeRankQu"};
const QString LongName = "とても長い名前のノートブック二十文字を超える商品";

// The month picker driven as the picker tests drive it.
struct PickerSteps : PickerTest {
    using PickerTest::chooseMonth;
    using PickerTest::whenShown;
};

// One stored product of a month: number, name, prices and figures.
struct MonthRow {
    QString classNo;
    QString tradeNo;
    QString tradeName;
    QString unitPrice;
    QString costQuantity;
    QString salePrice;
    QString salesQuantity;
    QString salesMoney;
    QString fixQuantity;
    QString average;
};

class frmZanMentnansTest : public MasterFixture {
  protected:
    void SetUp() override {
        MasterFixture::SetUp();
        MainModule::SumDecimal = 0;
        vb::setClock(Date::fromYmdHms(2024, 5, 15, 9, 0, 0));
    }
    void TearDown() override {
        screen_.reset();
        vb::setClock(std::nullopt);
        MasterFixture::TearDown();
    }

    void addMasters() const {
        insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"},
               makeRows({{"'002'", "'食品'"}, {"'001'", "'文具'"}}));
        insert("TradeMast_tbl",
               {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price"},
               makeRows({{"'002'", "'0001'", "'りんご'", "80", "150"},
                         {"'001'", "'0002'", "'Bic''s ペン'", "60", "99.99"},
                         {"'001'", "'0001'", SqlValueText::Text(LongName), "100", "120"}}));
    }
    void storeMonth(int year, int month, const std::vector<MonthRow>& products) const {
        vb::VariantArray values(static_cast<int>(products.size()), Stored.size() + 1);
        for (int r = 0; r < values.rows(); ++r) {
            const MonthRow& p = products[static_cast<size_t>(r)];
            const QStringList row = {SqlValueText::DateValue(Date::fromYmd(year, month, 1)),
                                     SqlValueText::Text(p.classNo),
                                     SqlValueText::Text(p.tradeNo),
                                     "'分類'",
                                     SqlValueText::Text(p.tradeName),
                                     p.unitPrice,
                                     p.costQuantity,
                                     "0",
                                     p.salePrice,
                                     p.salesQuantity,
                                     p.salesMoney,
                                     p.fixQuantity,
                                     p.average,
                                     "1",
                                     "2",
                                     "3",
                                     "4",
                                     "5",
                                     "6"};
            for (int c = 0; c < row.size(); ++c) {
                values(r, c) = row[c];
            }
        }
        insert("FixDeta_tbl", QStringList{"FixDate"} + Stored, values);
        MainModule::HasCloseDate = true;
        MainModule::LastCloseDate =
            std::max(MainModule::LastCloseDate, Date::fromYmd(year, month, 1));
    }
    // April 2024 (30 days) with two products.
    void storeApril() const {
        storeMonth(2024, 4,
                   {{"001", "0001", "ノート", "100", "5", "120", "10", "1200", "7", "1.33"},
                    {"002", "0001", "りんご", "80", "0", "150", "0", "0", "3", "2"}});
    }
    void clearMonths() const {
        AccessADOClass access;
        database.configure(access);
        access.AccessFlag("5");
        access.AddFromVerse("FixDeta_tbl");
        ASSERT_GE(access.Execute(), 0) << access.ErrDetail().toStdString();
    }
    std::vector<QString> month(int year, int month, const QStringList& fields) const {
        return rows("FixDeta_tbl", fields, "Classify_No, Trade_No",
                    "FixDate = " + SqlValueText::DateValue(Date::fromYmd(year, month, 1)));
    }
    frmZanMentnans& open() {
        screen_ = std::make_unique<frmZanMentnans>();
        screen_->SetDeleteOnUnload(false);
        screen_->Show();
        return *screen_;
    }
    // Opens the screen on April 2024 through the month picker.
    frmZanMentnans& openApril() {
        frmZanMentnans& screen = open();
        chooseMonth(screen, 4);
        forms::TestHook::enable();
        return screen;
    }
    static void chooseMonth(frmZanMentnans& screen, int month) {
        PickerSteps::whenShown([month](PickerForm& picker) {
            PickerSteps::chooseMonth(picker, month);
            picker.OKButton_Click();
        });
        screen.btnSelect_Click();
    }
    static std::vector<bool> actionButtons(const frmZanMentnans& screen) {
        return {screen.btnInsert->isVisibleTo(&screen), screen.btnSave->isVisibleTo(&screen),
                screen.btnPrint->isVisibleTo(&screen)};
    }
    static std::vector<QString> gridRow(const frmZanMentnans& screen, int row) {
        std::vector<QString> cells;
        for (int16_t col = 0; col < 8; ++col) {
            cells.push_back(screen.EGrid.Value(static_cast<int16_t>(row), col));
        }
        return cells;
    }

    std::unique_ptr<frmZanMentnans> screen_;
};

TEST_F(frmZanMentnansTest, WithoutAnyMonthItShowsTheProductsOfTheCurrentMonthWithZeros) {
    addMasters();
    frmZanMentnans& screen = open();
    EXPECT_EQ(screen.Caption(), "モルビク - 月間データメンテナンス");
    EXPECT_EQ(screen.lblYear->text(), "2024");
    EXPECT_EQ(screen.lblMonth->text(), "5");
    EXPECT_EQ(screen.FromDate(), Date::fromYmd(2024, 5, 1));
    EXPECT_EQ(screen.ToDate(), Date::fromYmd(2024, 5, 31));
    EXPECT_EQ(screen.LoadMode(), frmZanMentnans::InitialMode);
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(screen.EGrid.Rows(), 16);
    EXPECT_EQ(gridRow(screen, 0),
              (std::vector<QString>{"001", "0001", LongName.left(20), "0", "0", "120", "0", "0"}));
    EXPECT_EQ(gridRow(screen, 1),
              (std::vector<QString>{"001", "0002", "Bic's ペン", "0", "0", "99.99", "0", "0"}));
    EXPECT_EQ(gridRow(screen, 2),
              (std::vector<QString>{"002", "0001", "りんご", "0", "0", "150", "0", "0"}));
    EXPECT_EQ(gridRow(screen, 3), std::vector<QString>(8));
    EXPECT_EQ(screen.MonthRows().at(0, 3).toString(), LongName);
    EXPECT_EQ(screen.MonthRows().at(1, 2).toString(), "文具");
    EXPECT_EQ(actionButtons(screen), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(screen.EGrid.Row(), 0);
    EXPECT_EQ(screen.EGrid.Col(), 3);
    EXPECT_TRUE(screen.Enabled());
}

TEST_F(frmZanMentnansTest, AMonthWithoutRowsShowsItsMessageAndOffersNothingToDo) {
    addMasters();
    storeApril();
    frmZanMentnans& screen = open();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"2024年　5月のDataは登録されていません。"});
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, forms::vbExclamation);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, Title);
    EXPECT_EQ(screen.MonthRowCount(), 0);
    EXPECT_EQ(screen.EGrid.Rows(), 16);
    EXPECT_EQ(actionButtons(screen), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(screen.btnSelect->isVisibleTo(&screen));

    // Nothing typed reaches a cell.
    screen.EGrid.SelectCell(0, 3);
    QTest::keyClicks(screen.Picture2, "5");
    EXPECT_EQ(screen.EGrid.Value(0, 3), "");
}

TEST_F(frmZanMentnansTest, AStoredMonthOffersEveryButtonAndPrintTypeOneDropsSave) {
    storeApril();
    for (const uint8_t printType : {0, 1}) {
        SCOPED_TRACE(printType);
        MainModule::PrintType = printType;
        frmZanMentnans& screen = openApril();
        EXPECT_EQ(screen.LoadMode(), frmZanMentnans::StoredMonth);
        EXPECT_EQ(screen.lblMonth->text(), "4");
        EXPECT_EQ(gridRow(screen, 0),
                  (std::vector<QString>{"001", "0001", "ノート", "5", "10", "120", "1200", "7"}));
        EXPECT_EQ(actionButtons(screen), (std::vector<bool>{true, printType == 0, true}));
        EXPECT_EQ(screen.btnInsert->x() * 15, printType == 0 ? 2100 : 4560);
    }
}

TEST_F(frmZanMentnansTest, TheRowsBelowTheLastProductCannotBeReached) {
    addMasters();
    frmZanMentnans& screen = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    screen.EGrid.SelectCell(9, 4);
    EXPECT_EQ(screen.EGrid.Row(), 2);
    EXPECT_EQ(screen.EGrid.Col(), 4);
    screen.EGrid.SetFocus();
    QTest::keyClick(screen.Picture2, Qt::Key_Down);
    EXPECT_EQ(screen.EGrid.Row(), 2);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(screen.EGrid.Value(2, 4), "7");
    EXPECT_EQ(screen.EGrid.Value(2, 6), "1050");
    for (int16_t row = 3; row < 16; ++row) {
        EXPECT_EQ(gridRow(screen, row), std::vector<QString>(8));
    }
}

TEST_F(frmZanMentnansTest, LeavingTheSalesQuantityComputesTheAmountBySumDecimal) {
    struct Case {
        uint8_t sumDecimal;
        QString quantity;
        int row;  // 1 has the price 99.99, 2 the price 150
        QString amount;
    };
    const std::vector<Case> cases = {
        {0, "12", 2, "1800"},     {0, "2.5", 1, "250"},       {1, "2.5", 1, "250"},
        {3, "2.5", 1, "249.975"}, {2, "-1.5", 1, "-149.985"}, {0, "-0.5", 2, "-75"},
    };
    addMasters();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quantity.toStdString() + " / " + std::to_string(c.sumDecimal));
        MainModule::SumDecimal = c.sumDecimal;
        frmZanMentnans& screen = open();
        screen.EGrid.SelectCell(static_cast<int16_t>(c.row), 4);
        screen.EGrid.Value(static_cast<int16_t>(c.row), 4, c.quantity);
        screen.EGrid.SelectCell(static_cast<int16_t>(c.row), 6);
        EXPECT_EQ(screen.EGrid.Value(static_cast<int16_t>(c.row), 6), c.amount);
    }
}

TEST_F(frmZanMentnansTest, AnUnchangedOrClearedQuantityLeavesTheAmount) {
    storeApril();
    frmZanMentnans& screen = openApril();
    screen.EGrid.SelectCell(0, 4);
    screen.EGrid.SelectCell(0, 6);
    EXPECT_EQ(screen.EGrid.Value(0, 6), "1200");
    screen.EGrid.SelectCell(0, 4);
    screen.EGrid.Value(0, 4, "");
    screen.EGrid.SelectCell(0, 6);
    EXPECT_EQ(screen.EGrid.Value(0, 6), "1200");
    // Changed and changed back within one visit of the cell: the amount follows.
    screen.EGrid.SelectCell(0, 4);
    screen.EGrid.Value(0, 4, "12");
    screen.EGrid.CommitCell();
    EXPECT_EQ(screen.EGrid.Value(0, 6), "1440");
    screen.EGrid.Value(0, 4, "10");
    screen.EGrid.SelectCell(0, 6);
    EXPECT_EQ(screen.EGrid.Value(0, 6), "1200");
}

TEST_F(frmZanMentnansTest, AnAmountBeyondTheCurrencyRangeIsRefused) {
    insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"}, makeRows({{"'001'", "'文具'"}}));
    insert("TradeMast_tbl", {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price"},
           makeRows({{"'001'", "'0001'", "'金'", "9999999.99", "9999999.99"}}));
    frmZanMentnans& screen = open();
    screen.EGrid.SelectCell(0, 4);
    screen.EGrid.Value(0, 4, "999999999.99");
    screen.EGrid.SelectCell(0, 6);
    EXPECT_EQ(boxTexts(), std::vector<QString>{"売上金額が計算できる範囲を超えています。"
                                               "売上数量を確認してください。"});
    EXPECT_EQ(screen.EGrid.Value(0, 4), "0");
    EXPECT_EQ(screen.EGrid.Value(0, 6), "0");

    forms::TestHook::enable();
    screen.EGrid.Value(0, 3, "999999999.99");
    screen.btnInsert_Click();
    EXPECT_EQ(
        boxTexts(),
        std::vector<QString>{"[金]の金額が計算できる範囲を超えています。数量を確認してください。"});
    EXPECT_EQ(database.count("FixDeta_tbl"), 0);
    EXPECT_FALSE(MainModule::HasCloseDate);
    EXPECT_TRUE(screen.Enabled());
}

TEST_F(frmZanMentnansTest, TheFirstRegistrationIsTheInitialDataAndUnlocksTheDailyScreens) {
    addMasters();
    frmZanMentnans& screen = open();
    screen.EGrid.Value(0, 3, "");  // blank cells are written as 0
    screen.EGrid.Value(0, 7, "12");
    screen.EGrid.Value(2, 3, "4");
    screen.EGrid.Value(2, 4, "62");
    screen.EGrid.Value(2, 6, "9300");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();

    EXPECT_EQ(boxTexts(),
              (std::vector<QString>{
                  "システムの初期データ（2024年5月のデータ）  を登録してもよろしいですか？\r\n\r\n"
                  "注）このまま登録されますと、登録後に追加された商品の在庫数などを2024年5月　\r\n"
                  "　　のデータとして入力することができなくなります。",
                  "2024年5月  のデータを登録しました。"}));
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 36);
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].style, 64);
    EXPECT_TRUE(MainModule::HasCloseDate);
    EXPECT_EQ(MainModule::LastCloseDate, Date::fromYmd(2024, 5, 1));
    EXPECT_EQ(
        month(2024, 5, Stored),
        (std::vector<QString>{"001|0001|文具|" + LongName + "|100|0|0|120|0|0|12|0|0|0|0|0|0|0",
                              "001|0002|文具|Bic's ペン|60|0|0|99.99|0|0|0|0|0|0|0|0|0|0",
                              "002|0001|食品|りんご|80|4|320|150|62|9300|0|2|0|0|0|0|0|0"}));
    // Reloaded from the table: the stored month with every button.
    EXPECT_EQ(screen.LoadMode(), frmZanMentnans::StoredMonth);
    EXPECT_EQ(actionButtons(screen), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(screen.EGrid.Value(0, 3), "0");
    EXPECT_EQ(screen.EGrid.Value(2, 6), "9300");
}

TEST_F(frmZanMentnansTest, TheAverageAndTheAmountsFollowSumDecimal) {
    struct Case {
        uint8_t sumDecimal;
        QString costQuantity;
        QString salesQuantity;
        QString costMoney;  // at the unit price 99.99
        QString average;    // over the 30 days of April
        QString storedAverage = "1.33";
    };
    const std::vector<Case> cases = {
        {0, "2.5", "40", "250", "1"},
        {1, "2.5", "40", "250", "1.33"},
        {2, "2.5", "40", "249.975", "1"},
        {3, "2.5", "40", "249.975", "1.33"},
        {0, "1", "45", "100", "2"},
        {1, "1", "0.15", "100", "0.01"},
        // Without sales the stored average, rounded to a whole number, whatever the setting.
        {0, "0", "0", "0", "1"},
        {1, "0", "0", "0", "1"},
        {2, "0", "0", "0", "1"},
        {3, "0", "0", "0", "1"},
        {1, "0", "-2", "0", "3", "2.5"},
        {3, "0", "0", "0", "0", "0.49"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.salesQuantity.toStdString() + " / " + std::to_string(c.sumDecimal) + " / " +
                     c.storedAverage.toStdString());
        storeMonth(
            2024, 4,
            {{"001", "0001", "ノート", "99.99", "0", "120", "0", "0", "0", c.storedAverage}});
        MainModule::SumDecimal = c.sumDecimal;
        frmZanMentnans& screen = openApril();
        screen.EGrid.Value(0, 3, c.costQuantity);
        screen.EGrid.Value(0, 4, c.salesQuantity);
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
        screen.btnInsert_Click();
        EXPECT_EQ(boxTexts()[0], "2024年4月  のデータを登録してもよろしいですか？");
        EXPECT_EQ(month(2024, 4, {"Cost_Money", "Aver_Quantity", "ClasRankRi", "TradeRankQu"}),
                  std::vector<QString>{c.costMoney + "|" + c.average + "|1|6"});
        clearMonths();
    }
}

TEST_F(frmZanMentnansTest, RegisteringAnOlderMonthLeavesTheLastClosedMonth) {
    storeApril();
    storeMonth(2024, 5, {{"001", "0001", "ノート", "100", "0", "120", "0", "0", "7", "0"}});
    frmZanMentnans& screen = openApril();
    screen.EGrid.Value(1, 7, "9");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts().back(), "2024年4月  のデータを登録しました。");
    EXPECT_EQ(MainModule::LastCloseDate, Date::fromYmd(2024, 5, 1));
    EXPECT_TRUE(MainModule::HasCloseDate);
    EXPECT_EQ(month(2024, 4, {"Trade_No", "Fix_Quantity", "Aver_Quantity"}),
              (std::vector<QString>{"0001|7|0", "0001|9|2"}));
    EXPECT_EQ(month(2024, 5, {"Fix_Quantity"}), std::vector<QString>{"7"});
}

TEST_F(frmZanMentnansTest, AFailedReplaceLeavesTheStoredMonthAndTheEdits) {
    storeApril();
    addTrigger(
        "refuse BEFORE INSERT ON FixDeta_tbl WHEN NEW.Trade_Name = 'りんご' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    frmZanMentnans& screen = openApril();
    screen.EGrid.Value(0, 7, "");
    screen.EGrid.Value(1, 7, "30");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts().back(), "Dataの登録に失敗しました。");
    EXPECT_EQ(month(2024, 4, {"Trade_Name", "Fix_Quantity"}),
              (std::vector<QString>{"ノート|7", "りんご|3"}));
    EXPECT_EQ(screen.EGrid.Value(0, 7), "0");
    EXPECT_EQ(screen.EGrid.Value(1, 7), "30");
    EXPECT_TRUE(screen.Enabled());
    EXPECT_EQ(screen.MousePointer(), forms::vbDefault);
}

TEST_F(frmZanMentnansTest, WithoutAMaximumAfterwardsThereIsNoLastClosedMonth) {
    storeApril();
    addTrigger("empty AFTER INSERT ON FixDeta_tbl BEGIN DELETE FROM FixDeta_tbl; END");
    frmZanMentnans& screen = openApril();
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts()[1], "2024年4月  のデータを登録しました。");
    EXPECT_FALSE(MainModule::HasCloseDate);
    EXPECT_EQ(MainModule::LastCloseDate, Date::fromYmd(2024, 4, 1));
    EXPECT_EQ(screen.LoadMode(), frmZanMentnans::InitialMode);
}

TEST_F(frmZanMentnansTest, AnsweringNoWritesNothing) {
    storeApril();
    frmZanMentnans& screen = openApril();
    screen.EGrid.Value(1, 3, "");
    screen.EGrid.Value(1, 7, "30");
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(month(2024, 4, {"Fix_Quantity"}), (std::vector<QString>{"7", "3"}));
    EXPECT_EQ(screen.EGrid.Value(1, 3), "0");
    EXPECT_EQ(screen.EGrid.Value(1, 7), "30");
}

TEST_F(frmZanMentnansTest, AButtonPressedDuringAnEditTakesTheEditedValue) {
    addMasters();
    frmZanMentnans& screen = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    screen.EGrid.SelectCell(2, 4);
    screen.EGrid.SetFocus();
    for (const QChar c : QString("12")) {
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
    ASSERT_TRUE(screen.Text1->isVisible());
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(month(2024, 5, {"Sales_Quantity", "Sales_Money"}),
              (std::vector<QString>{"0|0", "0|0", "12|1800"}));
}

TEST_F(frmZanMentnansTest, PrintsAndSavesTheMonthAsStored) {
    storeApril();
    MainModule::PrintType = 1;
    MainModule::UnitDecimal = 2;
    frmZanMentnans& screen = openApril();
    screen.EGrid.Value(0, 7, "654321");
    screen.btnPrint_Click();
    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    const QString text = pages[0].text();
    EXPECT_TRUE(text.contains("月間データメンテナンス（2024年4月）")) << text.toStdString();
    EXPECT_TRUE(text.contains("0010001")) << text.toStdString();
    EXPECT_TRUE(text.contains("120.00")) << text.toStdString();
    EXPECT_FALSE(text.contains("654,321")) << text.toStdString();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"月間データメンテナンスの印刷が完了しました。"});

    MainModule::PrintType = 0;
    const QString saved = path("月間.xlsx");
    forms::TestHook::queueDialogAnswer(saved);
    screen.btnSave_Click();
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_EQ(boxTexts().back(), "月間データメンテナンスの保存が完了しました。");
    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(saved, error);
    ASSERT_NE(book, nullptr);
    const auto cell = [&book](int row, int col) { return book->FirstSheet().Value(row, col); };
    EXPECT_EQ(cell(1, 1), vb::Variant("月間データメンテナンス（2024年4月）"));
    // Codes and names stay texts, figures are number cells.
    const std::vector<vb::Variant> first = {"0010001", "ノート", 5.0,    100.0, 0.0,
                                            10.0,      120.0,    1200.0, 7.0};
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(cell(4, col + 1), first[static_cast<size_t>(col)]) << col;
    }
    EXPECT_EQ(cell(5, 1), vb::Variant("0020001"));
}

TEST_F(frmZanMentnansTest, AFailedPrintAndSaveEndWithTheHalfWidthStop) {
    storeApril();
    MainModule::LayoutFolder = path("missing");
    frmZanMentnans& screen = openApril();
    screen.btnPrint_Click();
    forms::TestHook::queueDialogAnswer(path("月間.xlsx"));
    screen.btnSave_Click();
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"月間データメンテナンスの印刷に失敗しました｡",
                                                "月間データメンテナンスの保存に失敗しました｡"}));
}

TEST_F(frmZanMentnansTest, LeavingAsksAboutAnyChangeAndTheFrameTakesTheSamePath) {
    MainModule::SumDecimal = 1;
    storeApril();
    int returned = 0;
    frmZanMentnans& screen = openApril();
    screen.ReturnToMenu = [&returned] { ++returned; };
    screen.EGrid.Value(0, 3, "5.4");  // below one unit
    forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
    screen.close();
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(boxTexts()[0],
              "入力情報が登録されていません。メンテナンスメニュー画面に戻ってもよろしいですか？"
              "\r\n(注)メンテナンスメニュー画面に戻った場合、入力されたデータは登録されません。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 49);
    EXPECT_TRUE(screen.Loaded());
    EXPECT_EQ(screen.EGrid.Value(0, 3), "5.4");
    EXPECT_EQ(returned, 0);

    forms::TestHook::queueMsgBoxAnswer(forms::vbOK);
    screen.btnEND_Click();
    EXPECT_EQ(returned, 1);
    EXPECT_FALSE(screen.Loaded());
}

TEST_F(frmZanMentnansTest, LeavingWithoutChangesAsksNothing) {
    storeApril();
    int returned = 0;
    frmZanMentnans& screen = openApril();
    screen.ReturnToMenu = [&returned] { ++returned; };
    screen.EGrid.Value(0, 3, "5.00");
    screen.EGrid.Value(1, 3, "");  // blank is 0, as stored
    screen.btnEND_Click();
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(returned, 1);
}

TEST_F(frmZanMentnansTest, ChoosingAnotherMonthAsksAboutChangesAndCancelKeepsThem) {
    storeApril();
    storeMonth(2024, 3, {{"003", "0009", "はさみ", "10", "1", "20", "2", "40", "3", "0"}});
    frmZanMentnans& screen = openApril();
    screen.EGrid.Value(0, 4, "10.5");
    forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
    screen.btnSelect_Click();
    EXPECT_EQ(boxTexts(),
              std::vector<QString>{
                  "入力情報が登録されていません。このまま日付選択処理を行ってもよろしいですか？"
                  "\r\n(注)日付選択処理を行った場合、入力されたデータは登録されません。"});
    EXPECT_EQ(screen.FromDate(), Date::fromYmd(2024, 4, 1));
    EXPECT_EQ(screen.EGrid.Value(0, 4), "10.5");

    forms::TestHook::queueMsgBoxAnswer(forms::vbOK);
    chooseMonth(screen, 3);
    EXPECT_EQ(screen.FromDate(), Date::fromYmd(2024, 3, 1));
    EXPECT_EQ(screen.ToDate(), Date::fromYmd(2024, 3, 31));
    EXPECT_EQ(screen.lblMonth->text(), "3");
    EXPECT_EQ(screen.MonthRowCount(), 1);
    EXPECT_EQ(gridRow(screen, 0)[2], "はさみ");
}

TEST_F(frmZanMentnansTest, AClickWhileBusyDoesNothing) {
    storeApril();
    frmZanMentnans& screen = openApril();
    screen.EGrid.Value(0, 3, "9");
    screen.SetMousePointer(forms::vbHourglass);
    screen.btnInsert_Click();
    screen.btnSelect_Click();
    screen.btnPrint_Click();
    screen.btnEND_Click();
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_TRUE(screen.Loaded());
    EXPECT_EQ(month(2024, 4, {"Cost_Quantity"}), (std::vector<QString>{"5", "0"}));
}

TEST_F(frmZanMentnansTest, ALongProductNumberShowsItsZeros) {
    MainModule::TradeFigure = 9;
    insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"}, makeRows({{"'001'", "'文具'"}}));
    insert("TradeMast_tbl", {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price"},
           makeRows({{"'001'", "'0000000000042'", "'のり'", "1", "2"}}));
    frmZanMentnans& screen = open();
    EXPECT_EQ(screen.EGrid.Value(0, 1), "0000000000042");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(month(2024, 5, {"Trade_No"}), std::vector<QString>{"0000000000042"});
    EXPECT_EQ(screen.BuildPrintList().at(0, 0).toString(), "0010000000000042");
}

}  // namespace
