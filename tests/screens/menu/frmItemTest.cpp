#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "FocusKeys.h"
#include "MasterFixture.h"
#include "core/MainModule.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/MsgBox.h"
#include "screens/menu/frmItem.h"
#include "tests/platform/printer/PdfReader.h"
#include "tests/support/TestRows.h"

namespace {

class frmItemTest : public MasterFixture {
  protected:
    void SetUp() override {
        MasterFixture::SetUp();
        insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"},
               makeRows({{"'001'", "'文具'"}, {"'002'", "'食品'"}}));
        insert("TradeMast_tbl",
               {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price",
                "basic_Quantity"},
               makeRows({{"'001'", "'0001'", "'鉛筆'", "50", "80", "0"},
                         {"'001'", "'0002'", "'消しゴム'", "60", "100", "0"},
                         {"'002'", "'0001'", "'パン'", "1200", "1500", "0"},
                         {"'009'", "'0001'", "'分類なし'", "1", "2", "0"}}));
    }
    frmItem& open() {
        screen_ = std::make_unique<frmItem>();
        screen_->SetDeleteOnUnload(false);
        screen_->Show();
        return *screen_;
    }
    void chooseClass(int row) {
        screen_->FGrid.SelectCell(static_cast<int16_t>(row), 0);
        screen_->FGrid_Click();
    }
    void typeRow(int row, const QStringList& cells) {
        for (int col = 0; col < cells.size(); ++col) {
            screen_->EGrid.Value(static_cast<int16_t>(row), static_cast<int16_t>(col), cells[col]);
        }
    }
    std::vector<QString> products(const QString& classNo) const {
        return rows("TradeMast_tbl", {"Trade_No", "Trade_Name", "Unit_Price", "Sales_Price"},
                    "Trade_No", "Classify_No = '" + classNo + "'");
    }

    std::unique_ptr<frmItem> screen_;
};

TEST_F(frmItemTest, ShowsTheClassesAndTheProductsOfTheChosenClass) {
    frmItem& screen = open();
    EXPECT_EQ(screen.Caption(), "モルビク - 商品一覧表");
    EXPECT_EQ(screen.FGrid.Rows(), 15);
    EXPECT_EQ(screen.FGrid.Value(1, 1), "食品");
    EXPECT_EQ(screen.CurrentClass(), "001");
    EXPECT_EQ(screen.EGrid.Rows(), 17);
    EXPECT_EQ(screen.EGrid.Value(1, 1), "消しゴム");
    EXPECT_TRUE(screen.btnDel->isVisible());

    chooseClass(1);
    EXPECT_EQ(screen.CurrentClass(), "002");
    EXPECT_EQ(screen.EGrid.Rows(), 16);
    EXPECT_EQ(screen.EGrid.Value(0, 1), "パン");

    chooseClass(5);  // a blank class row
    EXPECT_EQ(screen.CurrentClass(), "");
    EXPECT_FALSE(screen.btnInsert->isVisible());
    EXPECT_FALSE(screen.btnDel->isVisible());
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(frmItemTest, TheFirstProductsCanBeRegisteredAfterABlankClassRow) {
    runSql("DELETE FROM TradeMast_tbl");
    frmItem& screen = open();
    EXPECT_TRUE(screen.btnInsert->isVisible());
    chooseClass(5);  // a blank class row
    EXPECT_FALSE(screen.btnInsert->isVisible());
    chooseClass(1);
    EXPECT_TRUE(screen.btnInsert->isVisible());
    EXPECT_FALSE(screen.btnDel->isVisible());
    EXPECT_FALSE(screen.btnSave->isVisible());
    EXPECT_FALSE(screen.btnPrint->isVisible());
    typeRow(0, {"1", "パン", "100", "150"});
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(products("002"), std::vector<QString>{"0001|パン|100|150"});
    EXPECT_TRUE(MainModule::HasProducts);
}

TEST_F(frmItemTest, TheFirstIncompleteRowInGridOrderIsRefusedAndNothingIsWritten) {
    struct Case {
        std::vector<QStringList> rows;  // from row 2 on
        QString message;
    };
    const std::vector<Case> cases = {
        {{{"", "筆", "1", "2"}}, "商品番号を入力して下さい｡"},
        {{{"3", "", "1", "2"}, {"", "筆"}}, "商品番号[0003]番の商品名を入力して下さい。"},
        {{{"", "", "", "5"}, {"3", "", "1", "2"}}, "商品番号を入力して下さい｡"},
        {{{"3", "筆", "", "2"}}, "商品番号[0003]番の仕入単価を入力して下さい。"},
        {{{"3", "筆", "1", " "}}, "商品番号[0003]番の売上単価を入力して下さい。"},
        {{{"-3", "筆", "1", "2"}}, "商品番号[-3]は数字だけで入力して下さい。"},
        {{{"12", "筆", "1", "2"}, {"0012", "墨", "1", "2"}},
         "商品番号[0012]番が重複しています。同じ商品番号は登録できません。"},
        {{{"2", "筆", "1", "2"}},
         "商品番号[0002]番が重複しています。同じ商品番号は登録できません。"},
    };
    for (const Case& c : cases) {
        forms::TestHook::enable();
        open();
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            typeRow(static_cast<int>(2 + i), c.rows[i]);
        }
        screen_->btnInsert_Click();
        EXPECT_EQ(boxTexts(), std::vector<QString>{c.message});
        EXPECT_EQ(products("001").size(), 2u);
        EXPECT_TRUE(screen_->Enabled());
    }
}

TEST_F(frmItemTest, RegisterReplacesTheProductsOfTheChosenClassOnly) {
    frmItem& screen = open();
    typeRow(0, {"1", "鉛筆 HB", "55", "90"});  // "1" is the stored 0001
    typeRow(2, {"12", " O'Neil's ペン", "120.5", "200"});
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();

    EXPECT_EQ(boxTexts(), (std::vector<QString>{"商品一覧のデータを登録してもよろしいですか？",
                                                "Dataが正常に登録されました。"}));
    EXPECT_EQ(products("001"), (std::vector<QString>{"0001|鉛筆 HB|55|90", "0002|消しゴム|60|100",
                                                     "0012| O'Neil's ペン|120.5|200"}));
    EXPECT_EQ(products("002"), (std::vector<QString>{"0001|パン|1200|1500"}));
    EXPECT_EQ(products("009").size(), 1u);
    EXPECT_TRUE(MainModule::HasProducts);
    EXPECT_EQ(screen.EGrid.Rows(), 18);
    EXPECT_EQ(screen.EGrid.Value(2, 1), " O'Neil's ペン");
}

TEST_F(frmItemTest, AChangedProductNumberIsRefused) {
    frmItem& screen = open();
    typeRow(1, {"7"});
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{
                              "商品番号を修正することは出来ません。画面を元の情報に戻しますか？"});
    EXPECT_EQ(screen.EGrid.Value(1, 0), "7");
    EXPECT_EQ(products("001").size(), 2u);
}

TEST_F(frmItemTest, SwitchingTheClassWithEditsAsksFirst) {
    frmItem& screen = open();
    typeRow(2, {"5", "定規"});
    forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
    chooseClass(1);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 49);
    EXPECT_EQ(screen.CurrentClass(), "001");
    EXPECT_EQ(screen.FGrid.Row(), 0);
    EXPECT_EQ(screen.EGrid.Value(2, 1), "定規");

    forms::TestHook::queueMsgBoxAnswer(forms::vbOK);
    chooseClass(1);
    EXPECT_EQ(screen.CurrentClass(), "002");
    EXPECT_EQ(screen.EGrid.Value(0, 1), "パン");
}

// The keys move the highlight and choose the class with it, asking as a click does; the
// registration goes to the class highlighted.
TEST_F(frmItemTest, TheArrowKeysChooseTheClassThatRegistrationStoresUnder) {
    frmItem& screen = open();
    QTest::keyClick(screen.Picture3, Qt::Key_Down);
    EXPECT_EQ(screen.CurrentClass(), "002");
    EXPECT_EQ(screen.EGrid.Value(0, 1), "パン");
    QTest::keyClick(screen.Picture3, Qt::Key_Up);
    EXPECT_EQ(screen.CurrentClass(), "001");
    EXPECT_EQ(screen.EGrid.Value(0, 1), "鉛筆");
    QTest::keyClick(screen.Picture3, Qt::Key_Down);
    typeRow(1, {"7", "牛乳", "150", "200"});

    forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
    QTest::keyClick(screen.Picture3, Qt::Key_Up);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 49);
    EXPECT_EQ(screen.FGrid.Row(), 1);
    EXPECT_EQ(screen.CurrentClass(), "002");
    EXPECT_EQ(screen.EGrid.Value(1, 1), "牛乳");

    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(products("002"), (std::vector<QString>{"0001|パン|1200|1500", "0007|牛乳|150|200"}));
    EXPECT_EQ(products("001").size(), 2u);
}

TEST_F(frmItemTest, DeleteChecksStockAndRemovesOnlyTheLoadedProductOfTheClass) {
    closeMonth(2005, 3, "001", "0002", 3);
    frmItem& screen = open();
    screen.EGrid.SelectCell(1, 1);
    screen.btnDel_Click();
    EXPECT_EQ(boxTexts(),
              std::vector<QString>{"指定商品は、在庫がまだ存在するため削除が出来ません。"});

    forms::TestHook::enable();
    dailyRecord(2005, 4, 1, "002", "0001");  // another class's movement
    typeRow(0, {"2"});                       // an unregistered edit of the number
    screen.EGrid.SelectCell(0, 1);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnDel_Click();
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"[0001]番の商品を削除してもよろしいですか？",
                                                "Dataが正常に削除されました。"}));
    EXPECT_EQ(products("001"), (std::vector<QString>{"0002|消しゴム|60|100"}));
    EXPECT_EQ(products("002").size(), 1u);
    EXPECT_EQ(screen.EGrid.Value(0, 0), "0002");
}

TEST_F(frmItemTest, MovementNotCarriedOverRefusesTheDelete) {
    closeMonth(2005, 3, "001", "0001", 0);
    dailyRecord(2005, 5, 20, "001", "0001");
    frmItem& screen = open();
    screen.EGrid.SelectCell(0, 1);
    screen.btnDel_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{
                              "指定商品は、在庫数繰越していない情報が存在します。\r\n"
                              "在庫数繰越を行った後、在庫が残っていないことを確認してから削除を"
                              "行ってください。"});
    EXPECT_EQ(products("001").size(), 2u);
}

TEST_F(frmItemTest, PrintsAndSavesAllProductsOfListedClasses) {
    MainModule::PrintType = 1;
    MainModule::UnitDecimal = 2;
    frmItem& screen = open();
    EXPECT_FALSE(screen.btnSave->isVisible());
    screen.btnPrint_Click();
    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].find("パン").empty());
    EXPECT_FALSE(pages[0].find("1,500.00").empty());
    EXPECT_TRUE(pages[0].find("分類なし").empty());

    const QString saved = path("商品.xlsx");
    forms::TestHook::queueDialogAnswer(saved);
    screen.btnSave_Click();
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"商品一覧の印刷が完了しました。",
                                                "商品一覧表の保存が完了しました。"}));
    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(saved, error);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->FirstSheet().Value(4, 1), vb::Variant("001"));
    EXPECT_EQ(book->FirstSheet().Value(5, 4), vb::Variant("消しゴム"));
    EXPECT_EQ(book->FirstSheet().Value(6, 2), vb::Variant("食品"));
    EXPECT_EQ(book->FirstSheet().Value(6, 5), vb::Variant(1200.0));
    EXPECT_TRUE(book->FirstSheet().Value(7, 1).isEmpty());  // no class 009 in the list
}

TEST_F(frmItemTest, LeavingWithEditsAsks) {
    int returned = 0;
    frmItem& screen = open();
    screen.ReturnToMenu = [&returned] { ++returned; };
    typeRow(0, {"0001", "鉛筆", "50", "81"});
    forms::TestHook::queueMsgBoxAnswer(forms::vbOK);
    screen.close();
    EXPECT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(returned, 1);
    EXPECT_FALSE(screen.Loaded());
}

// The class list goes on taking the arrow keys while each of them loads the class it
// reaches, a blank row included; a click on a class leaves the focus on the list too.
TEST_F(frmItemTest, TheClassListKeepsTheFocusWhileItsKeysAndClicksLoadClasses) {
    insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"},
           makeRows({{"'003'", "'飲料'"}, {"'004'", "'雑貨'"}}));
    frmItem& screen = open();
    ASSERT_TRUE(FocusKeys::ShowActive(screen));
    ASSERT_EQ(QApplication::focusWidget(), screen.Picture2);
    for (int tab = 0; tab < 10 && QApplication::focusWidget() != screen.Picture3; ++tab) {
        FocusKeys::Press(Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), screen.Picture3) << "Tab does not reach the list";
    EXPECT_EQ(screen.CurrentClass(), "001");
    const struct {
        Qt::Key key;
        const char* classNo;
    } walk[] = {{Qt::Key_Down, "002"}, {Qt::Key_Down, "003"}, {Qt::Key_Down, "004"},
                {Qt::Key_Up, "003"},   {Qt::Key_Up, "002"},   {Qt::Key_Up, "001"},
                {Qt::Key_Up, "001"},   {Qt::Key_Down, "002"}, {Qt::Key_Down, "003"},
                {Qt::Key_Down, "004"}, {Qt::Key_Down, ""},    {Qt::Key_Up, "004"}};
    for (const auto& step : walk) {
        EXPECT_EQ(FocusKeys::Press(step.key), screen.Picture3) << step.classNo;
        EXPECT_EQ(screen.CurrentClass(), step.classNo);
    }
    EXPECT_EQ(screen.EGrid.Value(0, 1), "");

    const QPoint secondRow(10, 5 + 22);  // rows of 330 twips
    EXPECT_EQ(FocusKeys::Click(screen.Picture3, secondRow), screen.Picture3);
    EXPECT_EQ(screen.CurrentClass(), "002");
    EXPECT_EQ(screen.EGrid.Value(0, 1), "パン");
    for (const char* classNo : {"003", "004", ""}) {
        EXPECT_EQ(FocusKeys::Press(Qt::Key_Down), screen.Picture3) << classNo;
        EXPECT_EQ(screen.CurrentClass(), classNo);
    }
    EXPECT_TRUE(boxTexts().empty());
}

// Register greys the screen out; the button keeps the focus when nothing is registered
// and after a registration, and a No to the question gives it to the product grid.
TEST_F(frmItemTest, RegisterLeavesTheFocusOnTheButtonOrOnTheGridAfterNo) {
    frmItem& screen = open();
    ASSERT_TRUE(FocusKeys::ShowActive(screen));
    EXPECT_EQ(FocusKeys::Click(screen.btnInsert), screen.btnInsert);
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(FocusKeys::Press(Qt::Key_Tab), screen.btnInsert->nextInFocusChain());

    const struct {
        int answer;
        QWidget* focus;
        size_t boxes;
    } cases[] = {{forms::vbNo, screen.Picture2, 1}, {forms::vbYes, screen.btnInsert, 3}};
    for (const auto& c : cases) {
        typeRow(2, {"0003", "定規", "90", "150"});
        forms::TestHook::queueMsgBoxAnswer(c.answer);
        EXPECT_EQ(FocusKeys::Click(screen.btnInsert), c.focus) << c.answer;
        EXPECT_EQ(boxTexts().size(), c.boxes);
    }
    EXPECT_EQ(products("001").size(), 3u);
    EXPECT_EQ(FocusKeys::Press(Qt::Key_Space), screen.btnInsert);  // nothing changed now
    EXPECT_EQ(boxTexts().size(), 3u);
}

// The screen is 800 x 600 with its frame, and a smaller window cuts no button off.
TEST_F(frmItemTest, TheScreenIsItsOuterSizeAndKeepsEveryButtonInside) {
    frmItem& screen = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    EXPECT_DOUBLE_EQ(screen.Width(), 12000);
    EXPECT_DOUBLE_EQ(screen.Height(), 9000);
    screen.resize(640, 480);
    for (QPushButton* button :
         {screen.btnInsert, screen.btnDel, screen.btnSave, screen.btnPrint, screen.btnEND}) {
        EXPECT_TRUE(screen.rect().contains(button->geometry())) << button->text().toStdString();
    }
}

}  // namespace
