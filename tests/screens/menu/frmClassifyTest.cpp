#include <QApplication>
#include <QPushButton>
#include <memory>

#include "FocusKeys.h"
#include "MasterFixture.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/MsgBox.h"
#include "screens/menu/frmClassify.h"
#include "tests/platform/printer/PdfReader.h"
#include "tests/support/TestRows.h"

namespace {

const QString StockRefused = "指定商品分類番号は、在庫がまだ存在するため削除が出来ません。";
const QString CarryRefused =
    "指定商品分類番号は、在庫数繰越していない情報が存在します。\r\n"
    "在庫数繰越を行った後、在庫が残っていないことを確認してから削除を行ってください。";

class frmClassifyTest : public MasterFixture {
  protected:
    void addClasses() const {
        insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"},
               makeRows({{"'001'", "'文具'"}, {"'002'", "'食品'"}, {"'003'", "'雑貨'"}}));
    }
    frmClassify& open() {
        screen_ = std::make_unique<frmClassify>();
        screen_->SetDeleteOnUnload(false);
        screen_->Show();
        return *screen_;
    }
    void addProducts() const {
        insert("TradeMast_tbl",
               {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price",
                "basic_Quantity"},
               makeRows({{"'001'", "'0001'", "'鉛筆'", "50", "80", "0"},
                         {"'002'", "'0001'", "'パン'", "100", "150", "0"},
                         {"'002'", "'0002'", "'牛乳'", "120", "180", "0"}}));
    }
    std::vector<QString> products() const {
        return rows("TradeMast_tbl", {"Classify_No", "Trade_No"}, "Classify_No, Trade_No");
    }
    std::vector<QString> classes() const {
        return rows("ClassifyMast_tbl", {"Classify_No", "Classify_Name"}, "Classify_No");
    }

    std::unique_ptr<frmClassify> screen_;
};

TEST_F(frmClassifyTest, ShowsTheStoredClassesAndFifteenBlankRows) {
    addClasses();
    frmClassify& screen = open();
    EXPECT_EQ(screen.Caption(), "モルビク - 商品分類一覧表");
    EXPECT_EQ(screen.EGrid.Rows(), 18);
    EXPECT_EQ(screen.EGrid.Value(2, 0), "003");
    EXPECT_EQ(screen.EGrid.Value(2, 1), "雑貨");
    EXPECT_EQ(screen.EGrid.Value(3, 0), "");
    for (QPushButton* button :
         {screen.btnInsert, screen.btnDel, screen.btnSave, screen.btnPrint, screen.btnEND}) {
        EXPECT_TRUE(button->isVisible());
    }
    screen.EGrid.SelectCell(4, 1);
    EXPECT_FALSE(screen.btnDel->isEnabled());
    screen.EGrid.SelectCell(1, 1);
    EXPECT_TRUE(screen.btnDel->isEnabled());
}

TEST_F(frmClassifyTest, AnEmptyTableOffersOnlyRegisterAndBack) {
    MainModule::PrintType = 1;
    frmClassify& screen = open();
    EXPECT_EQ(screen.EGrid.Rows(), 15);
    EXPECT_TRUE(screen.btnInsert->isVisible());
    EXPECT_TRUE(screen.btnEND->isVisible());
    EXPECT_FALSE(screen.btnDel->isVisible());
    EXPECT_FALSE(screen.btnSave->isVisible());
    EXPECT_FALSE(screen.btnPrint->isVisible());
    EXPECT_EQ(screen.btnInsert->x() * 15, 2520);
}

TEST_F(frmClassifyTest, TheFirstIncompleteRowInGridOrderIsRefusedAndNothingIsWritten) {
    struct Case {
        std::vector<std::pair<QString, QString>> rows;  // number, name from row 3 on
        QString message;
    };
    const std::vector<Case> cases = {
        {{{"5", ""}, {"", "紙"}}, "商品分類番号[005]番の分類名を入力して下さい。"},
        {{{"", "紙"}, {"5", ""}}, "商品分類名[紙]の商品分類番号を入力して下さい｡"},
        {{{"-5", "紙"}}, "商品分類番号[-5]は数字だけで入力して下さい。"},
        {{{"4", "紙"}, {"  ", "布"}}, "商品分類名[布]の商品分類番号を入力して下さい｡"},
        {{{"4", "紙"}, {"04", "布"}},
         "商品分類番号[004]番が重複しています。同じ商品分類番号は登録できません。"},
        {{{"1", "紙"}}, "商品分類番号[001]番が重複しています。同じ商品分類番号は登録できません。"},
    };
    addClasses();
    const std::vector<QString> before = classes();
    for (const Case& c : cases) {
        forms::TestHook::enable();
        frmClassify& screen = open();
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            screen.EGrid.Value(static_cast<int16_t>(3 + i), 0, c.rows[i].first);
            screen.EGrid.Value(static_cast<int16_t>(3 + i), 1, c.rows[i].second);
        }
        screen.btnInsert_Click();
        EXPECT_EQ(boxTexts(), std::vector<QString>{c.message});
        EXPECT_EQ(classes(), before);
        EXPECT_EQ(screen.EGrid.Value(3, 1), c.rows[0].second);  // the edits stay
        EXPECT_TRUE(screen.Enabled());
    }
}

TEST_F(frmClassifyTest, RegistersTheWholeListAndReloadsIt) {
    addClasses();
    frmClassify& screen = open();
    screen.EGrid.Value(0, 0, "1");  // the same number as the stored 001
    screen.EGrid.Value(0, 1, "O'Neil's 文具");
    screen.EGrid.Value(3, 0, "12");
    screen.EGrid.Value(3, 1, " 布 ");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();

    EXPECT_EQ(boxTexts(), (std::vector<QString>{"商品分類一覧表のDataを登録してもよろしいですか？",
                                                "Dataが正常に登録されました。"}));
    EXPECT_EQ(classes(),
              (std::vector<QString>{"001|O'Neil's 文具", "002|食品", "003|雑貨", "012|布"}));
    EXPECT_TRUE(MainModule::HasClassifications);
    EXPECT_EQ(screen.EGrid.Rows(), 19);
    EXPECT_EQ(screen.EGrid.Value(0, 1), "O'Neil's 文具");
    EXPECT_EQ(screen.StoredList().at(3, 0).toString(), "012");
}

TEST_F(frmClassifyTest, NothingChangedOrAnsweredNoWritesNothing) {
    addClasses();
    frmClassify& screen = open();
    screen.btnInsert_Click();
    EXPECT_TRUE(boxTexts().empty());
    screen.EGrid.Value(1, 1, "飲料");
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(classes()[1], "002|食品");
    EXPECT_EQ(screen.EGrid.Value(1, 1), "飲料");
}

// Every way register ends gives the keyboard a place: the button keeps the focus when
// nothing is registered, after a refusal and after a registration; No gives it to the grid.
TEST_F(frmClassifyTest, RegisterGivesTheFocusBackOnEveryWayOut) {
    addClasses();
    frmClassify& screen = open();
    ASSERT_TRUE(FocusKeys::ShowActive(screen));
    ASSERT_EQ(QApplication::focusWidget(), screen.Picture2);
    EXPECT_EQ(FocusKeys::Press(Qt::Key_Down), screen.Picture2);
    EXPECT_EQ(screen.EGrid.Row(), 1);

    const struct {
        QString number;
        QString name;
        int answer;  // 0: no question
        QWidget* focus;
        std::vector<QString> boxes;
    } cases[] = {
        {"", "", 0, screen.btnInsert, {}},
        {"5", "", 0, screen.btnInsert, {"商品分類番号[005]番の分類名を入力して下さい。"}},
        {"5",
         "紙",
         forms::vbNo,
         screen.Picture2,
         {"商品分類一覧表のDataを登録してもよろしいですか？"}},
        {"5",
         "紙",
         forms::vbYes,
         screen.btnInsert,
         {"商品分類一覧表のDataを登録してもよろしいですか？", "Dataが正常に登録されました。"}},
    };
    for (const auto& c : cases) {
        forms::TestHook::enable();
        screen.EGrid.Value(3, 0, c.number);
        screen.EGrid.Value(3, 1, c.name);
        if (c.answer != 0) {
            forms::TestHook::queueMsgBoxAnswer(c.answer);
        }
        EXPECT_EQ(FocusKeys::Click(screen.btnInsert), c.focus) << c.number.toStdString();
        EXPECT_EQ(boxTexts(), c.boxes);
    }
    EXPECT_EQ(classes().back(), "005|紙");
    forms::TestHook::enable();
    EXPECT_EQ(FocusKeys::Press(Qt::Key_Space), screen.btnInsert);  // nothing left to register
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(frmClassifyTest, AChangedClassNumberIsRefusedAndYesRestoresTheList) {
    addClasses();
    frmClassify& screen = open();
    screen.EGrid.Value(0, 0, "");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "商品分類番号を修正することは出来ません。画面を元の情報に戻しますか？");
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 52);
    EXPECT_EQ(screen.EGrid.Value(0, 0), "001");
    EXPECT_EQ(classes().size(), 3u);
}

struct DeleteCase {
    const char* name;
    void (*prepare)(const MasterFixture& t);
    QString refusal;  // empty: deleted
};

void PrintTo(const DeleteCase& c, std::ostream* os) {
    *os << c.name;
}

class frmClassifyDeleteTest : public frmClassifyTest,
                              public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(frmClassifyDeleteTest, FollowsTheStockAndCarryOverRules) {
    addClasses();
    addProducts();
    GetParam().prepare(*this);
    frmClassify& screen = open();
    screen.EGrid.SelectCell(1, 1);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnDel_Click();
    if (GetParam().refusal.isEmpty()) {
        // The question names the products that go along.
        EXPECT_EQ(boxTexts(), (std::vector<QString>{
                                  "[002]番の商品分類を削除してもよろしいですか？\r\n"
                                  "(注)商品分類を削除した場合、この分類の商品2件も削除されます。",
                                  "Dataが正常に削除されました。"}));
        EXPECT_EQ(classes(), (std::vector<QString>{"001|文具", "003|雑貨"}));
        EXPECT_EQ(products(), std::vector<QString>{"001|0001"});  // its products went with it
        EXPECT_EQ(screen.EGrid.Value(1, 0), "003");
    } else {
        EXPECT_EQ(boxTexts(), std::vector<QString>{GetParam().refusal});
        EXPECT_EQ(classes().size(), 3u);
        EXPECT_EQ(products().size(), 3u);
    }
    EXPECT_TRUE(screen.Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, frmClassifyDeleteTest,
    ::testing::Values(DeleteCase{"StockInTheLastClosedMonth",
                                 [](const MasterFixture& t) {
                                     t.closeMonth(2005, 2, "002", "0001", 0);
                                     t.closeMonth(2005, 3, "002", "0001", 4);
                                 },
                                 StockRefused},
                      DeleteCase{"StockOnlyInAnEarlierMonth",
                                 [](const MasterFixture& t) {
                                     t.closeMonth(2005, 2, "002", "0001", 4);
                                     t.closeMonth(2005, 3, "002", "0001", 0);
                                     t.dailyRecord(2005, 3, 31, "002", "0001");
                                 },
                                 ""},
                      DeleteCase{"MovementAfterTheLastClosedMonth",
                                 [](const MasterFixture& t) {
                                     t.closeMonth(2005, 3, "002", "0001", 0);
                                     t.dailyRecord(2005, 4, 2, "002", "0001");
                                 },
                                 CarryRefused},
                      DeleteCase{"MovementOfAnotherClassOnly",
                                 [](const MasterFixture& t) {
                                     t.closeMonth(2005, 3, "002", "0001", 0);
                                     t.dailyRecord(2005, 4, 2, "001", "0001");
                                 },
                                 ""},
                      DeleteCase{
                          "NoClosedMonthWithDailyRecords",
                          [](const MasterFixture& t) { t.dailyRecord(2005, 1, 5, "002", "0001"); },
                          CarryRefused},
                      DeleteCase{"NoClosedMonthNoRecords", [](const MasterFixture&) {}, ""}),
    [](const ::testing::TestParamInfo<DeleteCase>& info) { return info.param.name; });

TEST_F(frmClassifyTest, AFailedDeleteOfItsProductsKeepsTheClassAndTheProducts) {
    addClasses();
    addProducts();
    addTrigger("refuse BEFORE DELETE ON TradeMast_tbl BEGIN SELECT RAISE(ABORT, 'refused'); END");
    frmClassify& screen = open();
    screen.EGrid.SelectCell(1, 1);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnDel_Click();
    EXPECT_EQ(boxTexts().back(), "Dataの削除に失敗しました。");
    EXPECT_EQ(classes().size(), 3u);
    EXPECT_EQ(products().size(), 3u);
    EXPECT_EQ(screen.EGrid.Value(1, 0), "002");
}

TEST_F(frmClassifyTest, DeletingTheClassOfTheLastProductsClearsTheProductFlag) {
    addClasses();
    insert("TradeMast_tbl",
           {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price", "basic_Quantity"},
           makeRows({{"'002'", "'0001'", "'パン'", "100", "150", "0"}}));
    MainModule::HasClassifications = true;
    MainModule::HasProducts = true;
    frmClassify& screen = open();
    screen.EGrid.SelectCell(1, 1);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnDel_Click();
    EXPECT_TRUE(products().empty());
    EXPECT_TRUE(MainModule::HasClassifications);
    EXPECT_FALSE(MainModule::HasProducts);
}

TEST_F(frmClassifyTest, DeleteTakesTheNumberAsLoadedAndClearsTheFlagWithTheLastClass) {
    insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"}, makeRows({{"'001'", "'文具'"}}));
    MainModule::HasClassifications = true;
    frmClassify& screen = open();
    screen.EGrid.Value(0, 0, "7");
    screen.EGrid.SelectCell(0, 1);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnDel_Click();
    EXPECT_EQ(boxTexts()[0], "[001]番の商品分類を削除してもよろしいですか？");
    EXPECT_TRUE(classes().empty());
    EXPECT_FALSE(MainModule::HasClassifications);
    EXPECT_FALSE(screen.btnDel->isVisible());
}

TEST_F(frmClassifyTest, PrintsAndSavesTheStoredListNotTheEdits) {
    addClasses();
    MainModule::PrintType = 1;
    frmClassify& screen = open();
    screen.EGrid.Value(1, 1, "編集中");
    screen.btnPrint_Click();
    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].find("雑貨").empty());
    EXPECT_FALSE(pages[0].find("食品").empty());
    EXPECT_TRUE(pages[0].find("編集中").empty());

    const QString saved = path("分類.xlsx");
    forms::TestHook::queueDialogAnswer(saved);
    screen.btnSave_Click();
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"商品分類一覧表の印刷が完了しました。",
                                                "商品分類一覧表の保存が完了しました。"}));
    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(saved, error);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->FirstSheet().Value(4, 1), vb::Variant("001"));
    EXPECT_EQ(book->FirstSheet().Value(5, 2), vb::Variant("食品"));
    EXPECT_EQ(book->FirstSheet().Value(6, 2), vb::Variant("雑貨"));
}

TEST_F(frmClassifyTest, LeavingWithEditsAsksAndTheFrameTakesTheSamePath) {
    addClasses();
    int returned = 0;
    frmClassify& screen = open();
    screen.ReturnToMenu = [&returned] { ++returned; };
    screen.EGrid.Value(5, 0, "0");
    forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
    screen.close();
    EXPECT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 49);
    EXPECT_TRUE(screen.Loaded());
    EXPECT_EQ(returned, 0);

    forms::TestHook::queueMsgBoxAnswer(forms::vbOK);
    screen.btnEND_Click();
    EXPECT_EQ(returned, 1);
    EXPECT_FALSE(screen.Loaded());
}

TEST_F(frmClassifyTest, LeavingWithoutEditsAsksNothing) {
    addClasses();
    int returned = 0;
    frmClassify& screen = open();
    screen.ReturnToMenu = [&returned] { ++returned; };
    screen.EGrid.Value(0, 0, "1");
    screen.btnEND_Click();
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(returned, 1);
}

TEST_F(frmClassifyTest, AClickWhileBusyDoesNothing) {
    addClasses();
    frmClassify& screen = open();
    screen.EGrid.Value(0, 1, "飲料");
    screen.SetMousePointer(forms::vbHourglass);
    screen.btnInsert_Click();
    screen.EGrid.SelectCell(1, 1);
    screen.btnDel_Click();
    screen.btnEND_Click();
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(classes().size(), 3u);
    EXPECT_TRUE(screen.Loaded());
    EXPECT_EQ(screen.MousePointer(), forms::vbHourglass);
}

}  // namespace
