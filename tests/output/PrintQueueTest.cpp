#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <QFile>

#include <QProcess>
#include <algorithm>

#include "OutputFolders.h"
#include "PrintQueue.h"
#include "core/MainModule.h"
#include "output/ExcelListPrintClass.h"
#include "output/LayoutBooks.h"
#include "output/ListOutput.h"
#include "platform/forms/TestHook.h"
#include "platform/runtime/Clock.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

// Everything these tests print goes to the tests' PDF print queue.
const bool queueUsed = (PrintQueue::use(), true);

constexpr int productCount = 50;

// The product list as its screen hands it over: the first product has a Japanese name
// with full-width brackets, the last one is "最後の商品".
ListOutputSettings productList() {
    ListOutputSettings settings = ListOutputSettings::ForTitle("商品一覧表");
    settings.layoutBook = LayoutBooks::Syouhin;
    settings.dataStartCell = 4;
    settings.columns = {{18, 0}, {30, 0}, {22, 0}, {60, 0}, {25, 1}, {25, 1}};
    settings.headings = {{"分類番号", "分類名", "商品番号", "商品名", "仕入単価", "売上単価"}};
    settings.printOutType = 1;
    return settings;
}

vb::VariantArray productRows() {
    vb::VariantArray rows(productCount, 6);
    for (int r = 0; r < productCount; ++r) {
        rows(r, 0) = "001";
        rows(r, 1) = "文具";
        rows(r, 2) = QString("%1").arg(r + 1, 4, 10, QLatin1Char('0'));
        rows(r, 3) = QString("商品%1").arg(r + 1);
        rows(r, 4) = "1,234.00";
        rows(r, 5) = QString::number(100 + r);
    }
    rows(0, 3) = "ボールペン（黒）";
    rows(productCount - 1, 3) = "最後の商品";
    return rows;
}

class PrintQueueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(queueUsed);
        forms::TestHook::enable();
        vb::setClock(vb::Date::fromYmdHms(2005, 3, 5, 14, 30, 0));
        MainModule::LayoutFolder = folders_.layouts();
    }
    void TearDown() override {
        forms::TestHook::disable();
        vb::setClock(std::nullopt);
        MainModule::PrintType = 0;
    }

    // Prints the product list and reads the PDF the queue made of it.
    std::vector<PdfPage> printed(QString& pdf) {
        const PrintQueue queue;
        EXPECT_GE(ListOutput(productList()).Print(productRows()), 0);
        EXPECT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        if (!forms::TestHook::msgBoxes().empty()) {
            EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "商品一覧表の印刷が完了しました。");
        }
        pdf = queue.waitForPdf();
        EXPECT_FALSE(pdf.isEmpty()) << "no PDF from the print queue";
        return pdf.isEmpty() ? std::vector<PdfPage>() : readPdf(pdf);
    }

    // Every page shows the title and its number of the page count.
    static void expectTitlesAndPageNumbers(const std::vector<PdfPage>& pages) {
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const QString text = pages[i].text();
            EXPECT_TRUE(text.contains("商品一覧表")) << "page " << i + 1;
            EXPECT_TRUE(text.contains(QString("%1 / %2").arg(i + 1).arg(pages.size())))
                << "page " << i + 1 << ": " << text.toStdString();
        }
        EXPECT_TRUE(pages.front().text().contains("ボールペン（黒）"));
        EXPECT_TRUE(pages.back().text().contains("最後の商品"));
    }

    OutputFolders folders_;
};

TEST_F(PrintQueueTest, TheProgramsOwnPrintingReachesTheDefaultPrinter) {
    MainModule::PrintType = 1;
    QString pdf;
    const std::vector<PdfPage> pages = printed(pdf);
    // Portrait A4, 46 rows to a page.
    ASSERT_EQ(pages.size(), 2u);
    for (const PdfPage& page : pages) {
        EXPECT_NEAR(page.width, 210, 1);
        EXPECT_NEAR(page.height, 297, 1);
    }
    expectTitlesAndPageNumbers(pages);
    EXPECT_TRUE(pages.front().text().contains("2005/03/05"));
    EXPECT_FALSE(pages.front().text().contains("最後の商品"));
    EXPECT_EQ(pdfTitle(pdf), "モルビク");  // the job is named after the program
}

TEST_F(PrintQueueTest, AWorkbookPrintsThroughTheSpreadsheetProgramToTheDefaultPrinter) {
    MainModule::PrintType = 0;
    QString pdf;
    const std::vector<PdfPage> pages = printed(pdf);
    ASSERT_GE(pages.size(), 2u);
    for (const PdfPage& page : pages) {
        EXPECT_NEAR(std::min(page.width, page.height), 210, 1);  // A4
        EXPECT_NEAR(std::max(page.width, page.height), 297, 1);
    }
    expectTitlesAndPageNumbers(pages);
    EXPECT_TRUE(pages.front().text().contains("1,234.00"));
    // Digits and Japanese alike print in the Japanese Gothic of the cells.
    EXPECT_TRUE(isInOneJapaneseGothic(pdf)) << pdfFontNames(pdf).join(", ").toStdString();
}

// A landscape list comes out whole and at full size: each A4 sheet carries the page
// turned a quarter, the date 15 mm from the sheet's long edge, every column on it.
TEST_F(PrintQueueTest, ALandscapeListComesOutWholeOnA4) {
    MainModule::PrintType = 1;
    ListOutputSettings settings = productList();
    settings.printOutType = 0;
    const PrintQueue queue;
    ASSERT_EQ(ListOutput(settings).PrintList(productRows()), 0);
    const QString pdf = queue.waitForPdf();
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the print queue";
    const std::vector<PdfPage> pages = readPdf(pdf);
    // 30 rows to a landscape page.
    ASSERT_EQ(pages.size(), 2u);
    expectTitlesAndPageNumbers(pages);
    for (const PdfPage& page : pages) {
        EXPECT_NEAR(std::min(page.width, page.height), 210, 1);
        EXPECT_NEAR(std::max(page.width, page.height), 297, 1);
        EXPECT_FALSE(page.find("売上単価").empty());
        ASSERT_EQ(page.find("2005/03/05").size(), 1u);
        const PdfWord date = page.find("2005/03/05").front();
        const double fromLongEdge =
            page.width < page.height ? std::min(date.xMin, page.width - date.xMax) : date.yMin;
        EXPECT_NEAR(fromLongEdge, 15, 1);
    }
    EXPECT_EQ(pages.back().find("149").size(), 1u);  // the last row's last column
}

// A print queue that takes no jobs: either way of printing reports the failure.
TEST_F(PrintQueueTest, APrinterThatRefusesTheJobIsAFailedPrint) {
    const auto setAccepting = [](const char* command) {
        return QProcess::execute(command, {"-h", MORVIK_PRINT_QUEUE_DIR "/cups.sock", "PDF"});
    };
    ASSERT_EQ(setAccepting("cupsreject"), 0);
    MainModule::PrintType = 1;
    const int32_t own = ListOutput(productList()).Print(productRows());
    MainModule::PrintType = 0;
    const int32_t workbook = ListOutput(productList()).Print(productRows());
    ASSERT_EQ(setAccepting("cupsaccept"), 0);
    EXPECT_EQ(own, -1);
    EXPECT_EQ(workbook, ExcelListPrintClass::PrintFailed);
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 2u);
    for (const auto& box : forms::TestHook::msgBoxes()) {
        EXPECT_EQ(box.text, "商品一覧表の印刷に失敗しました。");
    }
}

// A formula the user added to a layout prints its result over the written rows, not
// the result stored with the layout.
TEST_F(PrintQueueTest, AFormulaOfTheLayoutPrintsItsResultOverTheWrittenRows) {
    lxw_workbook* layout =
        workbook_new(QFile::encodeName(folders_.layouts() + "/formula.xlsx").constData());
    lxw_worksheet* sheet = workbook_add_worksheet(layout, "一覧");
    worksheet_write_string(sheet, 1, 2, "差引合計", nullptr);
    worksheet_write_formula_num(sheet, 1, 3, "=SUM(B4:B10)", nullptr, 0);
    ASSERT_EQ(workbook_close(layout), LXW_NO_ERROR);

    vb::VariantArray rows(2, 2);
    rows(0, 0) = "入庫";
    rows(0, 1) = "-4";
    rows(1, 0) = "出庫";
    rows(1, 1) = "-5";
    const PrintQueue queue;
    ExcelListPrintClass book;
    book.AppointFileName("formula.xlsx");
    book.FilePath(folders_.layouts());
    book.DataStartCell(4);
    book.Info(rows);
    ASSERT_EQ(book.OutputBook(), 0);
    const QString pdf = queue.waitForPdf();
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the print queue";
    const std::vector<PdfPage> pages = readPdf(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].find("-9").size(), 1u) << pages[0].text().toStdString();
}

}  // namespace
