#include <QPushButton>
#include <memory>

#include "CloseFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "screens/monthend/frmFix.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

using vb::Date;

class frmFixTest : public CloseFixture {
  protected:
    void TearDown() override {
        screen_.reset();
        CloseFixture::TearDown();
    }
    void addMasters() const {
        classify("001", "文具");
        product("001", "0001", "O'Brien ノート", "100", "120");
        product("001", "0002", "ペン", "10.5", "20");
        closeMonth(2024, 4, "001", "0001", 7);
        movement(5, 3, "001", "0001", "10", "100", "4", "480");
        movement(5, 9, "001", "0002", "0", "10.5", "3", "60");
    }
    frmFix& open() {
        screen_ = std::make_unique<frmFix>();
        screen_->SetDeleteOnUnload(false);
        screen_->ReturnToMenu = [this] { ++menuReturns_; };
        screen_->Show();
        return *screen_;
    }

    std::unique_ptr<frmFix> screen_;
    int menuReturns_ = 0;
};

TEST_F(frmFixTest, AFutureMonthIsRefusedWithoutTheConfirmButton) {
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = Date::fromYmd(2024, 5, 1);
    frmFix& screen = open();
    EXPECT_EQ(screen.TargetDate(), Date::fromYmd(2024, 6, 1));
    EXPECT_TRUE(screen.Label1->text().startsWith("2024年 6月の締め処理はできません。"));
    EXPECT_FALSE(screen.OKButton->isVisible());
    screen.btnEND_Click();
    EXPECT_FALSE(screen.Loaded());
    EXPECT_EQ(menuReturns_, 1);
}

TEST_F(frmFixTest, ClosesTheMonthAndPrintsItsInventoryTable) {
    addMasters();
    MainModule::PrintType = 1;
    frmFix& screen = open();
    ASSERT_TRUE(screen.OKButton->isVisible());
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.OKButton_Click();
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"2024年5月のデータを確定してもよろしいですか？",
                                                "2024年5月のDataを確定しました。\r\n"
                                                "在庫管理表を出力します。よろしいですか？",
                                                "在庫管理表の印刷が完了しました。"}));
    for (const auto& box : forms::TestHook::msgBoxes()) {
        EXPECT_EQ(box.title, "次月繰越");
    }
    EXPECT_EQ(stored(5, {"Trade_Name", "Fix_Quantity"}),
              (std::vector<QString>{"O'Brien ノート|13", "ペン|-3"}));
    EXPECT_TRUE(MainModule::HasCloseDate);
    EXPECT_EQ(MainModule::LastCloseDate, Date::fromYmd(2024, 5, 1));
    EXPECT_FALSE(screen.Loaded());
    EXPECT_EQ(menuReturns_, 1);

    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    const QString text = pages[0].text();
    // -3 at the shown price 11
    for (const char* part : {"表（2024年5月度）", "0010001", "O'Brien", "1,300", "-33", "1,267"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << "\n" << text.toStdString();
    }
}

// The widest number the settings allow, class and 13 digits, stays inside its printed
// column, left of the product name.
TEST_F(frmFixTest, TheWidestProductNumberStaysInItsPrintedColumn) {
    MainModule::TradeFigure = 9;
    MainModule::PrintType = 1;
    classify("001", "文具");
    product("001", "9876543210123", "ノート", "100", "120");
    movement(5, 3, "001", "9876543210123", "10", "100", "4", "480");
    frmFix& screen = open();
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.OKButton_Click();
    ASSERT_EQ(boxTexts().back(), "在庫管理表の印刷が完了しました。");

    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<PdfWord> number = pages[0].find("0019876543210123");
    const std::vector<PdfWord> name = pages[0].find("ノート");
    ASSERT_EQ(number.size(), 1u) << pages[0].text().toStdString();
    ASSERT_EQ(name.size(), 1u);
    // Columns from the 5 mm margin: the number 33 mm wide, then the name.
    constexpr double nameColumn = 5 + 33;
    EXPECT_NEAR(number[0].xMin, 5 + 2, 0.5);
    EXPECT_LT(number[0].xMax, nameColumn);
    EXPECT_NEAR(name[0].xMin, nameColumn + 2, 0.5);
    MainModule::TradeFigure = 0;
}

TEST_F(frmFixTest, AnsweringNoStoresNothing) {
    addMasters();
    frmFix& screen = open();
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen.OKButton_Click();
    EXPECT_TRUE(stored(5, {"Trade_No"}).empty());
    EXPECT_EQ(MainModule::LastCloseDate, Date::fromYmd(2024, 4, 1));
    EXPECT_FALSE(screen.Loaded());
    EXPECT_EQ(menuReturns_, 1);
}

TEST_F(frmFixTest, DecliningTheOutputKeepsTheClose) {
    addMasters();
    frmFix& screen = open();
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen.OKButton_Click();
    EXPECT_EQ(boxTexts().size(), 2u);
    EXPECT_EQ(stored(5, {"Trade_No"}).size(), 2u);
}

TEST_F(frmFixTest, WithoutProductsTheCloseIsRefusedWithAMessage) {
    classify("001", "文具");
    frmFix& screen = open();
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.OKButton_Click();
    ASSERT_EQ(boxTexts().size(), 2u);
    EXPECT_EQ(boxTexts()[1],
              "2024年5月の締め処理を行う商品がありません。\r\n"
              "分類と商品を登録してから締め処理を行ってください。");
    EXPECT_FALSE(MainModule::HasCloseDate);
}

TEST_F(frmFixTest, AFailedReplaceShowsTheFailureAndKeepsTheOldRows) {
    addMasters();
    addTrigger(
        "refuse BEFORE INSERT ON FixDeta_tbl WHEN NEW.Trade_Name = 'ペン' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    frmFix& screen = open();
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.OKButton_Click();
    ASSERT_EQ(boxTexts().size(), 2u);
    EXPECT_EQ(boxTexts()[1], "2024年5月のDataの確定に失敗しました。");
    EXPECT_TRUE(stored(5, {"Trade_No"}).empty());
    EXPECT_EQ(MainModule::LastCloseDate, Date::fromYmd(2024, 4, 1));
}

}  // namespace
