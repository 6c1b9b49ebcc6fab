#include <QPushButton>
#include <memory>

#include "AnalysisFixture.h"
#include "core/MainModule.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/TestHook.h"
#include "platform/runtime/Clock.h"
#include "screens/analysis/frmSyosuList.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

class frmSyosuListTest : public AnalysisFixture {
  protected:
    void SetUp() override {
        AnalysisFixture::SetUp();
        classify("001", "文具");
        product("001", "0001", "ノート", "100", "120");
        product("001", "0002", "ペン", "10", "20");
        product("001", "0003", "定規", "10", "20");
        storedRow(4, "001", "文具", "0001", "ノート", "0", "0", "0", "3", "2");
        storedRow(4, "001", "文具", "0002", "ペン", "0", "0", "0", "9", "1");
    }
    void TearDown() override {
        screen_.reset();
        AnalysisFixture::TearDown();
    }
    frmSyosuList& open() {
        screen_ = std::make_unique<frmSyosuList>();
        screen_->SetDeleteOnUnload(false);
        screen_->ReturnToMenu = [this] { ++menuReturns_; };
        screen_->Show();
        return *screen_;
    }

    std::unique_ptr<frmSyosuList> screen_;
    int menuReturns_ = 0;
};

TEST_F(frmSyosuListTest, TabsShowTheListsAndOnlyTheFirstTwoHaveOutput) {
    MainModule::PrintType = 1;
    frmSyosuList& screen = open();
    EXPECT_EQ(screen.HeadGrid.Value(0, 3), "在庫数");
    EXPECT_EQ(screen.BodyGrid.Rows(), 15);
    EXPECT_EQ(screen.BodyGrid.Value(0, 2), "ノート");
    EXPECT_EQ(screen.BodyGrid.Value(0, 4), "3");
    EXPECT_EQ(screen.BodyGrid.Value(1, 2), "");
    EXPECT_TRUE(screen.btnPrint->isVisible());
    EXPECT_FALSE(screen.btnSave->isVisible());
    screen.Command3_Click();
    EXPECT_EQ(screen.HeadGrid.Cols(), 3);
    EXPECT_EQ(screen.BodyGrid.Value(2, 2), "定規");
    EXPECT_FALSE(screen.btnPrint->isVisible());
    screen.Command2_Click();
    EXPECT_EQ(screen.BodyGrid.Value(0, 2), "定規");
    EXPECT_TRUE(screen.btnPrint->isVisible());
    EXPECT_EQ(screen.BuildOutputArray()(0, 0).toString(), "0010003");
    screen.btnPrint_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"在庫数「0」リストの印刷が完了しました。"});
    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].text().contains("0010003")) << pages[0].text().toStdString();
    screen.btnEND_Click();
    EXPECT_EQ(menuReturns_, 1);
    EXPECT_FALSE(screen.Loaded());
}

TEST_F(frmSyosuListTest, SavesTheZeroStockListUnderItsName) {
    frmSyosuList& screen = open();
    screen.Command2_Click();
    const QString saved = path("zero.xlsx");
    forms::TestHook::queueDialogAnswer(saved);
    screen.btnSave_Click();
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_EQ(forms::TestHook::dialogs()[0].title, "在庫少数リストの保存");
    EXPECT_EQ(forms::TestHook::dialogs()[0].fileName, "在庫数「0」リスト_20240515.xlsx");
    EXPECT_EQ(boxTexts(), std::vector<QString>{"在庫数「0」リストの保存が完了しました。"});
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "在庫少数リスト");
    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(saved, error);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->FirstSheet().Value(1, 1), vb::Variant("在庫数「0」リスト"));
    EXPECT_EQ(book->FirstSheet().Value(4, 1), vb::Variant("0010003"));
    EXPECT_EQ(book->FirstSheet().Value(4, 2), vb::Variant("定規"));
}

TEST_F(frmSyosuListTest, AnEmptyListHidesTheOutputButtons) {
    product("001", "0004", "消しゴム", "10", "20");
    storedRow(4, "001", "文具", "0003", "定規", "0", "0", "0", "1", "0");
    storedRow(4, "001", "文具", "0004", "消しゴム", "0", "0", "0", "1", "0");
    frmSyosuList& screen = open();
    screen.Command2_Click();
    EXPECT_EQ(screen.Lists().ZeroStockCount(), 0);
    EXPECT_FALSE(screen.btnPrint->isVisible());
    EXPECT_FALSE(screen.btnSave->isVisible());
    EXPECT_EQ(screen.BodyGrid.Value(0, 2), "");
    screen.Command1_Click();
    EXPECT_TRUE(screen.btnPrint->isVisible());
    EXPECT_TRUE(screen.btnSave->isVisible());
}

}  // namespace
