#include <QPushButton>
#include <memory>

#include "AnalysisFixture.h"
#include "core/MainModule.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/TestHook.h"
#include "screens/analysis/frmRieki.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

class frmRiekiTest : public AnalysisFixture {
  protected:
    void SetUp() override {
        AnalysisFixture::SetUp();
        classify("001", "文具");
        product("001", "0001", "ノート", "100", "120");
        storedRow(4, "001", "文具", "0001", "ノート", "0", "0", "0");
    }
    void TearDown() override {
        screen_.reset();
        AnalysisFixture::TearDown();
    }
    frmRieki& open() {
        screen_ = std::make_unique<frmRieki>();
        screen_->SetDeleteOnUnload(false);
        screen_->ReturnToMenu = [this] { ++menuReturns_; };
        screen_->Show();
        return *screen_;
    }

    std::unique_ptr<frmRieki> screen_;
    int menuReturns_ = 0;
};

TEST_F(frmRiekiTest, TodayWithoutMovementShowsZerosAndNoOutput) {
    frmRieki& screen = open();
    EXPECT_EQ(screen.lblYear->text(), "2024");
    EXPECT_EQ(screen.lblMonth->text(), "5");
    EXPECT_EQ(screen.lblDay->text(), "15");
    EXPECT_EQ(screen.HeadGrid.Value(1, 1), "商品分類名");
    EXPECT_EQ(screen.BodyGrid.Rows(), 15);
    EXPECT_EQ(screen.BodyGrid.Value(0, 1), "文具");
    EXPECT_EQ(screen.BodyGrid.Value(0, 6), "0");
    EXPECT_EQ(screen.BodyGrid.Value(1, 1), "");
    EXPECT_EQ(screen.TotalGrid.Value(0, 0), "合　計");
    EXPECT_FALSE(screen.btnPrint->isVisible());
    EXPECT_FALSE(screen.btnSave->isVisible());
    screen.btnEND_Click();
    EXPECT_EQ(menuReturns_, 1);
    EXPECT_FALSE(screen.Loaded());
}

TEST_F(frmRiekiTest, PrintsAndSavesTheDaysTable) {
    movement(5, 15, "001", "0001", "2", "100", "3", "360");
    MainModule::PrintType = 2;
    frmRieki& screen = open();
    EXPECT_EQ(screen.BodyGrid.Value(0, 6), "160");
    ASSERT_TRUE(screen.btnSave->isVisible());
    screen.btnPrint_Click();
    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    for (const QString& part : {QString("売上利益表"), QString("文具"), QString("160")}) {
        EXPECT_TRUE(pages[0].text().contains(part)) << pages[0].text().toStdString();
    }
    const QString saved = path("rieki.xlsx");
    forms::TestHook::queueDialogAnswer(saved);
    screen.btnSave_Click();
    EXPECT_EQ(forms::TestHook::dialogs().at(0).fileName, "売上利益表_20240515.xlsx");
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"売上利益表の印刷が完了しました。",
                                                "売上利益表の保存が完了しました。"}));
    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(saved, error);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->FirstSheet().Value(2, 1), vb::Variant("2024年 5月 15日"));
    EXPECT_EQ(book->FirstSheet().Value(5, 1), vb::Variant("001"));
    EXPECT_EQ(book->FirstSheet().Value(5, 7), vb::Variant(160.0));  // a number cell
    EXPECT_EQ(book->FirstSheet().Value(6, 2), vb::Variant("合　計"));
}

TEST_F(frmRiekiTest, AFailedPrintEndsWithTheHalfWidthStop) {
    movement(5, 15, "001", "0001", "2", "100", "3", "360");
    MainModule::LayoutFolder = path("missing");
    frmRieki& screen = open();
    screen.btnPrint_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"売上利益表の印刷に失敗しました｡"});
}

}  // namespace
