#include <QPushButton>
#include <memory>

#include "CloseFixture.h"
#include "core/MainModule.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/MsgBox.h"
#include "screens/monthend/MonthClose.h"
#include "screens/monthend/frmZiko.h"
#include "tests/controls/PickerFixture.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

using vb::Date;

struct PickerSteps : PickerTest {
    using PickerTest::chooseMonth;
    using PickerTest::whenShown;
};

const QString LongName = "とても長い名前のノートブック二十文字を超える商品";

class frmZikoTest : public CloseFixture {
  protected:
    void SetUp() override {
        CloseFixture::SetUp();
        classify("001", "文具");
        product("001", "0001", LongName, "100", "120");
        product("001", "0002", "ペン", "10.5", "20");
        closeMonth(2024, 3, "001", "0001", 7);
        movement(4, 3, "001", "0001", "10", "100", "4", "480");
        movement(4, 9, "001", "0002", "0", "10.5", "3", "60");
        movement(5, 2, "001", "0001", "1", "101", "0", "0");
        MonthClose close(Date::fromYmd(2024, 4, 1));
        ASSERT_EQ(close.Calculate(), MonthClose::Ready);
        ASSERT_GE(close.Save(), 0);
        MainModule::LastCloseDate = Date::fromYmd(2024, 4, 1);
    }
    void TearDown() override {
        screen_.reset();
        CloseFixture::TearDown();
    }
    frmZiko& open() {
        screen_ = std::make_unique<frmZiko>();
        screen_->SetDeleteOnUnload(false);
        screen_->ReturnToMenu = [this] { ++menuReturns_; };
        screen_->Show();
        return *screen_;
    }
    static void chooseMonth(frmZiko& screen, int month) {
        PickerSteps::whenShown([month](PickerForm& picker) {
            PickerSteps::chooseMonth(picker, month);
            picker.OKButton_Click();
        });
        screen.btnSelect_Click();
    }

    std::unique_ptr<frmZiko> screen_;
    int menuReturns_ = 0;
};

TEST_F(frmZikoTest, ShowsTheCurrentOpenMonthInTheGrids) {
    frmZiko& screen = open();
    EXPECT_EQ(screen.lblYear->text(), "2024");
    EXPECT_EQ(screen.lblMonth->text(), "5");
    EXPECT_EQ(screen.BodyGrid.Rows(), 15);
    EXPECT_EQ(screen.BodyGrid.Value(0, 2), LongName.left(18));
    EXPECT_EQ(screen.BodyGrid.Value(0, 3), "13");
    EXPECT_EQ(screen.BodyGrid.Value(0, 6), "14");
    EXPECT_EQ(screen.BodyGrid.Value(0, 8), "1,414");
    EXPECT_EQ(screen.BodyGrid.Value(1, 8), "-32");
    EXPECT_EQ(screen.BodyGrid.Value(2, 2), "");
    EXPECT_EQ(screen.TotalGrid.Value(0, 0), "　合　計　");
    EXPECT_EQ(screen.TotalGrid.Value(0, 1), "1382");  // formatted when drawn
    EXPECT_TRUE(screen.btnPrint->isVisible());
    EXPECT_TRUE(screen.btnSave->isVisible());
    screen.btnEND_Click();
    EXPECT_EQ(menuReturns_, 1);
    EXPECT_FALSE(screen.Loaded());
}

TEST_F(frmZikoTest, AMonthBeforeTheDataShowsAnEmptyTableWithoutOutput) {
    frmZiko& screen = open();
    chooseMonth(screen, 1);
    EXPECT_EQ(screen.FromDate(), Date::fromYmd(2024, 1, 1));
    EXPECT_EQ(boxTexts(), std::vector<QString>{"指定された日付は初期Data前の日付です。"});
    EXPECT_EQ(screen.BodyGrid.Rows(), 15);
    EXPECT_EQ(screen.BodyGrid.Value(0, 2), "");
    EXPECT_EQ(screen.TotalGrid.Value(0, 0), "");
    EXPECT_FALSE(screen.btnPrint->isVisible());
    EXPECT_FALSE(screen.btnSave->isVisible());
}

TEST_F(frmZikoTest, TheScreenAndThePrintAfterACloseShowTheSameAmounts) {
    MainModule::PrintType = 1;
    frmZiko& screen = open();
    EXPECT_FALSE(screen.btnSave->isVisible());
    chooseMonth(screen, 4);
    EXPECT_EQ(screen.BodyGrid.Value(0, 8), "1,300");
    EXPECT_EQ(screen.TotalGrid.Value(0, 1), "1268");
    screen.btnPrint_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"在庫管理表の印刷が完了しました。"});
    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    const QString text = pages[0].text();
    for (const QString& part :
         {QString("表（2024年4月度）"), QString("1,268"), QString("-32"), LongName.left(20)}) {
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();
    }
}

TEST_F(frmZikoTest, SavesTheTableAsAWorkbook) {
    frmZiko& screen = open();
    const QString saved = path("在庫.xlsx");
    forms::TestHook::queueDialogAnswer(saved);
    screen.btnSave_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"在庫管理表の保存が完了しました。"});
    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(saved, error);
    ASSERT_NE(book, nullptr);
    const auto cell = [&book](int row, int col) { return book->FirstSheet().Value(row, col); };
    EXPECT_EQ(cell(1, 1), vb::Variant("在　庫　管　理　表（2024年5月度）"));
    // Codes and names stay texts, figures are number cells.
    const std::vector<vb::Variant> first = {"0010001", LongName, 13.0,  1.0,
                                            0.0,       14.0,     101.0, 1414.0};
    for (int col = 0; col < 8; ++col) {
        EXPECT_EQ(cell(5, col + 1), first[static_cast<size_t>(col)]) << col;
    }
    EXPECT_EQ(cell(7, 2), vb::Variant("　合　計　"));
    EXPECT_EQ(cell(7, 8), vb::Variant(1382.0));
}

TEST_F(frmZikoTest, AFailedPrintEndsWithTheHalfWidthStop) {
    MainModule::LayoutFolder = path("missing");
    frmZiko& screen = open();
    screen.btnPrint_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"在庫管理表の印刷に失敗しました｡"});
}

}  // namespace
