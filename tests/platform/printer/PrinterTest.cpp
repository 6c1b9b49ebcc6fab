#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "PdfReader.h"
#include "platform/printer/Printer.h"

namespace {

using printer::Printer;

class PrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        pdf_ = folder_.filePath("out.pdf");
        printer::setOutputFileName(pdf_);
    }
    void TearDown() override { printer::setOutputFileName(QString()); }

    QTemporaryDir folder_;
    QString pdf_;
};

TEST_F(PrinterTest, TextAndLinesLandInMillimetresOnA4Pages) {
    Printer p;
    ASSERT_TRUE(p.SetScaleMode(printer::vbMillimeters));
    ASSERT_TRUE(p.SetOrientation(printer::vbPRORLandscape));
    p.SetFontName("MSゴシック");
    p.SetFontSize(10);
    p.SetCurrentX(20);
    p.SetCurrentY(30);
    p.Print("商品ABC");
    EXPECT_DOUBLE_EQ(p.CurrentX(), 0);
    EXPECT_NEAR(p.CurrentY(), 30 + p.TextHeight("商品ABC"), 1e-9);
    const double width = p.TextWidth("商品ABC");
    p.Line(20, 50, 280, 50);
    p.Line(100, 60, 100, 180);
    EXPECT_DOUBLE_EQ(p.CurrentX(), 100);
    EXPECT_DOUBLE_EQ(p.CurrentY(), 180);
    p.NewPage();
    ASSERT_TRUE(p.SetOrientation(printer::vbPRORPortrait));
    p.SetCurrentX(150);
    p.SetCurrentY(250);
    p.Print("二枚目");
    ASSERT_TRUE(p.EndDoc());

    const std::vector<PdfPage> pages = readPdf(pdf_);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NEAR(pages[0].width, 297, 0.5);
    EXPECT_NEAR(pages[0].height, 210, 0.5);
    EXPECT_NEAR(pages[1].width, 210, 0.5);
    const std::vector<PdfWord> text = pages[0].find("商品ABC");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_NEAR(text[0].xMin, 20, 0.3);
    EXPECT_NEAR(text[0].xMax - text[0].xMin, width, 0.3);
    EXPECT_NEAR(text[0].yMin, 30, 0.6);
    ASSERT_EQ(pages[1].find("二枚目").size(), 1u);
    EXPECT_NEAR(pages[1].find("二枚目")[0].xMin, 150, 0.3);

    const QImage first = renderPdfPage(pdf_, 1, 254);
    EXPECT_TRUE(isDarkLine(first, 254, 21, 50, 279, 50));
    EXPECT_TRUE(isDarkLine(first, 254, 100, 61, 100, 179));
    EXPECT_FALSE(isDarkLine(first, 254, 21, 55, 279, 55));
}

TEST_F(PrinterTest, TwipsAreTheScaleUnlessChanged) {
    Printer p;
    EXPECT_EQ(p.ScaleMode(), printer::vbTwips);
    p.SetCurrentX(1440);
    ASSERT_TRUE(p.SetScaleMode(printer::vbMillimeters));
    EXPECT_NEAR(p.CurrentX(), 25.4, 1e-9);
    EXPECT_FALSE(p.SetScaleMode(3));
    EXPECT_FALSE(p.SetPaperSize(8));
    EXPECT_FALSE(p.SetOrientation(3));
    EXPECT_EQ(p.ScaleMode(), printer::vbMillimeters);
}

TEST_F(PrinterTest, AKilledDocumentLeavesNoFile) {
    Printer p;
    p.Print("途中");
    p.NewPage();
    p.Print("破棄");
    p.KillDoc();
    ASSERT_TRUE(p.EndDoc());
    EXPECT_FALSE(QFile::exists(pdf_));
}

TEST_F(PrinterTest, AFileThatCannotBeWrittenFailsTheEnd) {
    printer::setOutputFileName(folder_.filePath("missing/out.pdf"));
    Printer p;
    p.Print("印刷");
    EXPECT_FALSE(p.EndDoc());
}

}  // namespace
