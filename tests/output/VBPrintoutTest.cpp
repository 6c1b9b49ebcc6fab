#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "output/VBPrintout.h"
#include "platform/printer/Printer.h"
#include "platform/runtime/Clock.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

// Rows "R0", "R1", ... in column 0 and "N0", "N1", ... in column 1.
vb::VariantArray numberedRows(int count) {
    vb::VariantArray rows(count, 2);
    for (int r = 0; r < count; ++r) {
        rows(r, 0) = QString("R%1").arg(r);
        rows(r, 1) = QString("N%1").arg(r);
    }
    return count == 0 ? vb::VariantArray() : rows;
}

class VBPrintoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        pdf_ = folder_.filePath("list.pdf");
        printer::setOutputFileName(pdf_);
        vb::setClock(vb::Date::fromYmdHms(2005, 3, 5, 9, 0, 0));
    }
    void TearDown() override {
        printer::setOutputFileName(QString());
        vb::setClock(std::nullopt);
    }

    // Two columns of 40 and 60 mm, left and right aligned, headings per row.
    void twoColumns(VBPrintout& p, uint8_t layout, uint8_t headingRows) {
        p.TitleCol(2);
        p.TitleRec(headingRows);
        p.ColWidth(0, 40);
        p.ColWidth(1, 60);
        p.ColAlign(0, 0);
        p.ColAlign(1, 1);
        for (int r = 0; r < headingRows; ++r) {
            p.TitleName(r, 0, QString("番号%1").arg(r));
            p.TitleName(r, 1, QString("名前%1").arg(r));
        }
        p.ListFileName("一覧表");
        p.PrintOutType(layout);
    }

    std::vector<PdfPage> printed(VBPrintout& p) {
        EXPECT_EQ(p.Execute(), 0);
        return readPdf(pdf_);
    }

    QTemporaryDir folder_;
    QString pdf_;
};

// The page on which a row's text stands, and its top.
struct Found {
    int page = 0;
    double y = 0;
};

Found findRow(const std::vector<PdfPage>& pages, const QString& text) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::vector<PdfWord> words = pages[i].find(text);
        if (!words.empty()) {
            return Found{static_cast<int>(i) + 1, words[0].yMin};
        }
    }
    return Found{};
}

TEST_F(VBPrintoutTest, RowsFillPagesByLayoutAndHeadingRows) {
    struct Case {
        uint8_t layout;
        uint8_t headingRows;
        int rows;
        int pages;
        int rowsPerPage;
    };
    const std::vector<Case> cases{
        {0, 1, 30, 1, 30}, {0, 1, 31, 2, 30}, {1, 1, 46, 1, 46}, {3, 1, 47, 2, 46},
        {2, 2, 29, 1, 29}, {4, 2, 30, 2, 29}, {1, 2, 46, 2, 45}, {0, 1, 0, 1, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << int(c.layout) << ", " << c.rows << " rows");
        VBPrintout p;
        twoColumns(p, c.layout, c.headingRows);
        p.Info(numberedRows(c.rows));
        const std::vector<PdfPage> pages = printed(p);
        ASSERT_EQ(static_cast<int>(pages.size()), c.pages);
        const double firstRowTop = c.headingRows * 5 + 36;
        if (c.rows > 0) {
            const Found first = findRow(pages, "R0");
            EXPECT_EQ(first.page, 1);
            EXPECT_NEAR(first.y, firstRowTop, 0.6);
            const Found last = findRow(pages, QString("R%1").arg(c.rows - 1));
            EXPECT_EQ(last.page, c.pages);
            EXPECT_NEAR(last.y, firstRowTop + 5 * ((c.rows - 1) % c.rowsPerPage), 0.6);
        }
        if (c.rows > c.rowsPerPage) {
            const Found next = findRow(pages, QString("R%1").arg(c.rowsPerPage));
            EXPECT_EQ(next.page, 2);
            EXPECT_NEAR(next.y, firstRowTop, 0.6);
        }
        for (int page = 1; page <= c.pages; ++page) {
            const PdfPage& shown = pages[page - 1];
            EXPECT_TRUE(shown.text().contains(QString("%1 / %2").arg(page).arg(c.pages)));
            EXPECT_FALSE(shown.find("一覧表").empty());
            EXPECT_FALSE(shown.find(QString("名前%1").arg(c.headingRows - 1)).empty());
            const bool landscape = c.layout != 1 && c.layout != 3;
            EXPECT_NEAR(shown.width, landscape ? 297 : 210, 0.5);
            const std::vector<PdfWord> number = shown.find("/");
            ASSERT_FALSE(number.empty());
            EXPECT_NEAR(number[0].yMin, landscape ? 195 : 275, 0.6);
        }
    }
}

TEST_F(VBPrintoutTest, HeaderTitleAndCellsStandWhereTheLayoutPutsThem) {
    VBPrintout p;
    p.TitleCol(3);
    p.TitleRec(1);
    for (int c = 0; c < 3; ++c) {
        p.ColWidth(c, 50);
    }
    p.ColAlign(0, 0);
    p.ColAlign(1, 1);
    p.ColAlign(2, 2);
    p.ColFormat(0, "");
    p.ColFormat(1, "#,##0");
    p.TitleName(0, 0, "左");
    p.TitleName(0, 1, "右");
    p.TitleName(0, 2, "中");
    p.ListFileName("商品一覧表");
    p.PrintOutType(0);
    vb::VariantArray rows(1, 3);
    rows(0, 0) = "001";
    rows(0, 1) = 1234567.0;
    rows(0, 2) = "中央";
    p.Info(rows);
    const std::vector<PdfPage> pages = printed(p);
    ASSERT_EQ(pages.size(), 1u);
    const PdfPage& page = pages[0];

    ASSERT_EQ(page.find("2005/03/05").size(), 1u);
    EXPECT_NEAR(page.find("2005/03/05")[0].xMin, 260, 0.3);
    EXPECT_NEAR(page.find("2005/03/05")[0].yMin, 15, 0.6);
    const PdfWord title = page.find("商品一覧表").at(0);
    EXPECT_NEAR((title.xMin + title.xMax) / 2, 295.0 / 2, 0.3);
    EXPECT_NEAR(title.yMin, 22, 0.8);
    const PdfWord heading = page.find("中").at(0);
    EXPECT_NEAR((heading.xMin + heading.xMax) / 2, 145, 0.3);
    EXPECT_NEAR(heading.yMin, 36, 0.6);

    EXPECT_NEAR(page.find("001").at(0).xMin, 22, 0.3);
    // Right-aligned by the width of the text printed, thousands separators included.
    EXPECT_NEAR(page.find("1,234,567").at(0).xMax, 118, 0.3);
    const PdfWord centred = page.find("中央").at(0);
    EXPECT_NEAR((centred.xMin + centred.xMax) / 2, 145, 0.3);

    const QImage image = renderPdfPage(pdf_, 1, 254);
    EXPECT_TRUE(isDarkLine(image, 254, 21, 20, 279, 20));
    EXPECT_TRUE(isDarkLine(image, 254, 21, 27, 279, 27));
    EXPECT_TRUE(isDarkLine(image, 254, 21, 35, 169, 35));
    EXPECT_TRUE(isDarkLine(image, 254, 21, 190, 169, 190));
    EXPECT_TRUE(isDarkLine(image, 254, 20, 36, 20, 189));
    EXPECT_TRUE(isDarkLine(image, 254, 170, 36, 170, 189));
    EXPECT_TRUE(isDarkLine(image, 254, 21, 185, 169, 185));  // the last row's rule
    EXPECT_FALSE(isDarkLine(image, 254, 171, 35, 200, 35));
}

TEST_F(VBPrintoutTest, TheSelectedDateLayoutsPrintTheDayAndNoHeaderRules) {
    VBPrintout p;
    twoColumns(p, 4, 1);
    p.SelectDate(vb::Date::fromYmd(2005, 3, 5));
    p.Info(numberedRows(1));
    const std::vector<PdfPage> pages = printed(p);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].text().contains("2005年"));
    const std::vector<PdfWord> year = pages[0].find("2005年");
    ASSERT_FALSE(year.empty());
    EXPECT_NEAR(year[0].xMin, 20, 0.3);
    EXPECT_NEAR(year[0].yMin, 30, 0.6);
    EXPECT_TRUE(pages[0].find("2005/03/05").empty());
    const QImage image = renderPdfPage(pdf_, 1, 254);
    EXPECT_FALSE(isDarkLine(image, 254, 21, 20, 279, 20));

    // CreateClear keeps the date; the narrow-margin layout starts at 5 mm.
    p.CreateClear();
    twoColumns(p, 2, 1);
    p.Info(numberedRows(1));
    const std::vector<PdfPage> narrow = printed(p);
    EXPECT_NEAR(narrow[0].find("R0").at(0).xMin, 7, 0.3);
}

TEST_F(VBPrintoutTest, SettingsThatDoNotFitPrintNothing) {
    const auto expectRefused = [&](VBPrintout& p, const char* why) {
        EXPECT_EQ(p.Execute(), -1) << why;
        EXPECT_FALSE(QFile::exists(pdf_)) << why;
    };
    VBPrintout noWidth;
    twoColumns(noWidth, 0, 1);
    noWidth.ColWidth(0, 40);  // column 1 loses its width
    noWidth.Info(numberedRows(3));
    expectRefused(noWidth, "a column without a width");

    VBPrintout fewColumns;
    twoColumns(fewColumns, 0, 1);
    fewColumns.Info(vb::VariantArray(3, 1));
    expectRefused(fewColumns, "fewer data columns than columns");

    VBPrintout unknownLayout;
    twoColumns(unknownLayout, 5, 1);
    unknownLayout.Info(numberedRows(3));
    expectRefused(unknownLayout, "an unknown layout");

    VBPrintout tooWide;
    twoColumns(tooWide, 1, 1);
    tooWide.ColWidth(0, 100);
    tooWide.ColWidth(1, 100);
    tooWide.Info(numberedRows(3));
    expectRefused(tooWide, "columns wider than the paper");

    VBPrintout outside;
    twoColumns(outside, 0, 1);
    outside.TitleName(1, 0, "二行目はない");
    outside.Info(numberedRows(3));
    expectRefused(outside, "a heading outside the heading rows");

    VBPrintout badAlign;
    twoColumns(badAlign, 0, 1);
    badAlign.ColAlign(1, 3);
    badAlign.Info(numberedRows(3));
    expectRefused(badAlign, "an unknown alignment");

    VBPrintout badValue;
    twoColumns(badValue, 0, 1);
    vb::VariantArray rows = numberedRows(2);
    rows(1, 1) = vb::VariantArray(1, 1);
    badValue.Info(rows);
    expectRefused(badValue, "a value no cell can show");
}

}  // namespace
