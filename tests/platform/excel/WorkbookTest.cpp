#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QFile>
#include <QTemporaryDir>
#include <sstream>

#include "TestBook.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/ZipPackage.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/Date.h"

namespace {

using excel::Workbook;

class WorkbookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        source_ = folder_.filePath("layout.xlsx");
        writeTestBook(source_);
    }

    std::unique_ptr<Workbook> open(const QString& path) {
        int32_t error = -1;
        std::unique_ptr<Workbook> book = Workbook::Open(path, error);
        EXPECT_EQ(error, 0);
        return book;
    }

    // Saves and opens the saved file again.
    std::unique_ptr<Workbook> reopened(Workbook& book) {
        const QString saved = folder_.filePath("saved.xlsx");
        EXPECT_EQ(book.SaveAs(saved), 0);
        return open(saved);
    }

    pugi::xml_document sheetXml(const QString& path) {
        pugi::xml_document document;
        const QByteArray part = excel::ZipPackage::read(path)->part("xl/worksheets/sheet1.xml");
        document.load_buffer(part.constData(), part.size());
        return document;
    }

    QTemporaryDir folder_;
    QString source_;
};

TEST_F(WorkbookTest, ValuesKeepTheirKindThroughASave) {
    std::unique_ptr<Workbook> book = open(source_);
    excel::Worksheet& sheet = book->FirstSheet();
    ASSERT_EQ(sheet.SetValue(3, 1, "001"), 0);
    ASSERT_EQ(sheet.SetValue(3, 2, 12.5), 0);
    ASSERT_EQ(sheet.SetValue(3, 3, vb::Currency::fromRaw(12345678)), 0);
    ASSERT_EQ(sheet.SetValue(3, 4, vb::Date::fromYmd(2005, 3, 5)), 0);
    ASSERT_EQ(sheet.SetValue(3, 5, true), 0);
    ASSERT_EQ(sheet.SetValue(3, 6, int32_t{-42}), 0);
    ASSERT_EQ(sheet.SetValue(4, 1, "  両端に空白 "), 0);
    ASSERT_EQ(sheet.SetValue(4, 2,
                             QString("a\x01"
                                     "b_x0041_c")),
              0);
    ASSERT_EQ(sheet.SetValue(10, 1, vb::Variant()), 0);

    std::unique_ptr<Workbook> saved = reopened(*book);
    const excel::Worksheet& again = saved->FirstSheet();
    EXPECT_EQ(again.Value(1, 1), vb::Variant("タイトル"));  // the source's shared string
    EXPECT_EQ(again.Value(3, 1), vb::Variant("001"));
    EXPECT_EQ(again.Value(3, 2), vb::Variant(12.5));
    EXPECT_EQ(again.Value(3, 3), vb::Variant(1234.5678));
    EXPECT_EQ(again.Value(3, 4), vb::Variant(38416.0));
    EXPECT_EQ(again.Value(3, 5), vb::Variant(true));
    EXPECT_EQ(again.Value(3, 6), vb::Variant(-42.0));
    EXPECT_EQ(again.Value(4, 1), vb::Variant("  両端に空白 "));
    EXPECT_EQ(again.Value(4, 2), vb::Variant(QString("a\x01"
                                                     "b_x0041_c")));
    EXPECT_TRUE(again.Value(10, 1).isEmpty());
    EXPECT_TRUE(again.Value(99, 9).isEmpty());
}

// A text is taken as a typed entry: one that reads as a number becomes a number cell
// shown as written, unless its column is formatted as text or it is a code.
TEST_F(WorkbookTest, TextsThatReadAsNumbersBecomeNumbers) {
    struct Case {
        int col;
        QString text;
        vb::Variant value;
        QString format;
    };
    const std::vector<Case> cases{
        {1, "100", 100.0, "General"},
        {1, "100.00", 100.0, "0.00"},
        {1, "1,234", 1234.0, "#,##0"},
        {1, "-1,234,567.50", -1234567.5, "#,##0.00"},
        {1, " 0.5 ", 0.5, "0.0"},
        {1, "0", 0.0, "General"},
        {1, "+12", 12.0, "General"},
        {1, "001", "001", "General"},
        {1, "0001.5", "0001.5", "General"},
        {1, "12,34", "12,34", "General"},
        {1, "1,2345", "1,2345", "General"},
        {1, "1.", "1.", "General"},
        {1, "1e5", "1e5", "General"},
        {1, "１２", "１２", "General"},
        {1, "123456789012345", 123456789012345.0, "General"},
        {1, "1234567890123456", "1234567890123456", "General"},
        {1, "在庫 12", "在庫 12", "General"},
        {1, "", vb::Variant(), "General"},
        {3, "", vb::Variant(), "@"},
        {3, "100", "100", "@"},
        {4, "1,234.50", 1234.5, "#,##0\"円\""},
    };
    std::unique_ptr<Workbook> book = open(source_);
    excel::Worksheet& sheet = book->FirstSheet();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        ASSERT_EQ(sheet.SetValue(static_cast<int>(i) + 20, cases[i].col, cases[i].text), 0);
    }
    std::unique_ptr<Workbook> saved = reopened(*book);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const int row = static_cast<int>(i) + 20;
        EXPECT_EQ(saved->FirstSheet().Value(row, c.col), c.value) << c.text.toStdString();
        EXPECT_EQ(saved->FirstSheet().NumberFormat(row, c.col), c.format) << c.text.toStdString();
    }
}

// Round numbers are written in plain decimals, which every reader of the file takes.
TEST_F(WorkbookTest, NumbersAreWrittenInPlainDecimals) {
    const std::vector<std::pair<vb::Variant, std::string>> cases{
        {100000.0, "100000"},
        {"100,000", "100000"},
        {-2.5e7, "-25000000"},
        {1e20, "100000000000000000000"},
        {0.0001, "0.0001"},
        {vb::Currency::fromRaw(1000000000), "100000"},
        {vb::Date::fromYmd(2005, 3, 5), "38416"},
    };
    std::unique_ptr<Workbook> book = open(source_);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        ASSERT_EQ(book->FirstSheet().SetValue(static_cast<int>(i) + 20, 1, cases[i].first), 0);
    }
    std::unique_ptr<Workbook> saved = reopened(*book);
    const pugi::xml_document sheet = sheetXml(saved->FullName());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string ref = "A" + std::to_string(i + 20);
        const pugi::xml_node cell = sheet.select_node(("//c[@r='" + ref + "']/v").c_str()).node();
        EXPECT_EQ(std::string(cell.text().get()), cases[i].second) << ref;
    }
}

TEST_F(WorkbookTest, ABlockGoesInBetweenRowsInSheetOrder) {
    std::unique_ptr<Workbook> book = open(source_);
    vb::VariantArray block(2, 3);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            block(r, c) = QString("%1-%2").arg(r).arg(c);
        }
    }
    ASSERT_EQ(book->FirstSheet().SetValues(4, 2, block), 0);
    ASSERT_EQ(book->FirstSheet().SetValue(12, 8, "右下"), 0);
    std::unique_ptr<Workbook> saved = reopened(*book);
    EXPECT_EQ(saved->FirstSheet().Value(4, 2), vb::Variant("0-0"));
    EXPECT_EQ(saved->FirstSheet().Value(5, 4), vb::Variant("1-2"));
    EXPECT_EQ(saved->FirstSheet().Value(10, 1), vb::Variant(7.0));

    const pugi::xml_document xml = sheetXml(saved->FullName());
    const pugi::xml_node worksheet = xml.document_element();
    EXPECT_STREQ(worksheet.child("dimension").attribute("ref").value(), "A1:H12");
    std::vector<int> rows;
    for (pugi::xml_node row : worksheet.child("sheetData").children("row")) {
        rows.push_back(row.attribute("r").as_int());
    }
    EXPECT_EQ(rows, (std::vector<int>{1, 4, 5, 10, 12}));
}

TEST_F(WorkbookTest, TheSheetFontReachesEveryCellAndIsRegular) {
    std::unique_ptr<Workbook> book = open(source_);
    excel::Worksheet& sheet = book->FirstSheet();
    EXPECT_EQ(sheet.FontName(3, 2), "Arial");  // a new cell looks like its column
    EXPECT_TRUE(sheet.FontBold(1, 1));
    sheet.SetFont("ＭＳ ゴシック");
    ASSERT_EQ(sheet.SetValue(3, 2, "列の書式"), 0);
    ASSERT_EQ(sheet.SetValue(3, 5, "書式なし"), 0);

    std::unique_ptr<Workbook> saved = reopened(*book);
    const excel::Worksheet& again = saved->FirstSheet();
    for (const auto& [row, col] : {std::pair{1, 1}, {3, 2}, {3, 5}, {10, 1}, {20, 2}}) {
        EXPECT_EQ(again.FontName(row, col), "ＭＳ ゴシック") << row << "," << col;
        EXPECT_FALSE(again.FontBold(row, col)) << row << "," << col;
    }
}

TEST_F(WorkbookTest, BorderIndicesDrawTheEdgesAndInsideLinesOfARange) {
    using excel::SideBottom, excel::SideLeft, excel::SideRight, excel::SideTop;
    std::unique_ptr<Workbook> book = open(source_);
    excel::Worksheet& sheet = book->FirstSheet();
    for (int index = excel::xlEdgeLeft; index <= excel::xlInsideHorizontal; ++index) {
        ASSERT_EQ(sheet.SetBorder(4, 1, 6, 2, index, excel::xlContinuous), 0);
    }
    // One row without the inside horizontal lines.
    for (int index = excel::xlEdgeLeft; index <= excel::xlInsideVertical; ++index) {
        ASSERT_EQ(sheet.SetBorder(8, 1, 8, 3, index, excel::xlContinuous), 0);
    }
    std::unique_ptr<Workbook> saved = reopened(*book);
    const excel::Worksheet& again = saved->FirstSheet();
    const int all = SideLeft | SideTop | SideBottom | SideRight;
    EXPECT_EQ(again.BorderSides(4, 1), all);
    EXPECT_EQ(again.BorderSides(5, 2), all);
    EXPECT_EQ(again.BorderSides(8, 1), all);
    EXPECT_EQ(again.BorderSides(8, 3), all);
    EXPECT_EQ(again.BorderSides(3, 1), 0);
    EXPECT_EQ(again.BorderSides(7, 1), 0);

    std::unique_ptr<Workbook> edges = open(source_);
    ASSERT_EQ(edges->FirstSheet().SetBorder(4, 1, 6, 3, excel::xlEdgeTop, excel::xlContinuous), 0);
    ASSERT_EQ(
        edges->FirstSheet().SetBorder(4, 1, 6, 3, excel::xlInsideVertical, excel::xlContinuous), 0);
    EXPECT_EQ(edges->FirstSheet().BorderSides(4, 1), SideTop | SideRight);
    EXPECT_EQ(edges->FirstSheet().BorderSides(5, 2), SideLeft | SideRight);
    EXPECT_EQ(edges->FirstSheet().BorderSides(6, 3), SideLeft);
}

TEST_F(WorkbookTest, RefusesWhatNoCellCanTake) {
    std::unique_ptr<Workbook> book = open(source_);
    excel::Worksheet& sheet = book->FirstSheet();
    EXPECT_EQ(sheet.SetValue(0, 1, "x"), 1004);
    EXPECT_EQ(sheet.SetValues(1, 16384, vb::VariantArray(1, 2)), 1004);
    EXPECT_EQ(sheet.SetValues(1, 1, vb::VariantArray::vector(3)), 13);
    EXPECT_EQ(sheet.SetValue(1, 1, vb::VariantArray(1, 1)), 13);
    EXPECT_EQ(sheet.SetBorder(1, 1, 2, 2, 5, excel::xlContinuous), 1004);
    EXPECT_EQ(sheet.SetBorder(1, 1, 2, 2, excel::xlEdgeTop, 3), 1004);

    int32_t error = 0;
    EXPECT_EQ(Workbook::Open(folder_.filePath("none.xlsx"), error), nullptr);
    EXPECT_EQ(error, 53);
    QFile text(folder_.filePath("text.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a workbook");
    text.close();
    EXPECT_EQ(Workbook::Open(text.fileName(), error), nullptr);
    EXPECT_EQ(error, 1004);
}

TEST_F(WorkbookTest, SaveAsReplacesAFileOnlyWhenTheNewOneIsComplete) {
    QFile source(source_);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray layout = source.readAll();
    source.close();

    // A name so long that no file can be written beside it: the save fails and the
    // existing file stays as it was.
    const QString longName = folder_.filePath(QString(250, 'a') + ".xlsx");
    QFile existing(longName);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("earlier");
    existing.close();
    std::unique_ptr<Workbook> book = open(source_);
    ASSERT_EQ(book->FirstSheet().SetValue(2, 1, "新"), 0);
    EXPECT_EQ(book->SaveAs(longName), 1004);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "earlier");
    existing.close();
    EXPECT_EQ(book->Name(), "layout.xlsx");

    const QString replaced = folder_.filePath("replaced.xlsx");
    QFile old(replaced);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    ASSERT_EQ(book->SaveAs(replaced), 0);
    EXPECT_EQ(book->Name(), "replaced.xlsx");
    EXPECT_EQ(open(replaced)->FirstSheet().Value(2, 1), vb::Variant("新"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(source.readAll(), layout);
}

// A written value that replaces a formula takes the formula out of the calculation
// chain too, which the application would otherwise have to repair.
TEST_F(WorkbookTest, ReplacingAFormulaDropsTheCalculationChain) {
    excel::ZipPackage package = *excel::ZipPackage::read(source_);
    package.setPart(
        "xl/calcChain.xml",
        R"(<calcChain xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        R"(<c r="B10" i="1"/></calcChain>)");
    QByteArray rels = package.part("xl/_rels/workbook.xml.rels");
    rels.replace(
        "</Relationships>",
        R"(<Relationship Id="rId99" Type="http://schemas.openxmlformats.org/officeDocument/)"
        R"(2006/relationships/calcChain" Target="calcChain.xml"/></Relationships>)");
    package.setPart("xl/_rels/workbook.xml.rels", rels);
    QByteArray types = package.part("[Content_Types].xml");
    types.replace("</Types>",
                  R"(<Override PartName="/xl/calcChain.xml" ContentType="application/)"
                  R"(vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/></Types>)");
    package.setPart("[Content_Types].xml", types);
    const QString withChain = folder_.filePath("chain.xlsx");
    QFile file(withChain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(*package.archive());
    file.close();

    std::unique_ptr<Workbook> book = open(withChain);
    ASSERT_EQ(book->FirstSheet().SetValue(10, 2, 14.0), 0);
    std::unique_ptr<Workbook> saved = reopened(*book);
    EXPECT_EQ(saved->FirstSheet().Value(10, 2), vb::Variant(14.0));
    const excel::ZipPackage result = *excel::ZipPackage::read(saved->FullName());
    EXPECT_FALSE(result.contains("xl/calcChain.xml"));
    EXPECT_FALSE(result.part("xl/_rels/workbook.xml.rels").contains("calcChain"));
    EXPECT_FALSE(result.part("[Content_Types].xml").contains("calcChain"));
    EXPECT_TRUE(result.part("xl/_rels/workbook.xml.rels").contains("styles.xml"));
}

// A saved workbook asks its reader to calculate its formulas anew: their stored
// results predate the written values.
TEST_F(WorkbookTest, ASavedWorkbookHasItsFormulasCalculatedOnOpening) {
    // a layout without calculation settings
    excel::ZipPackage package = *excel::ZipPackage::read(source_);
    pugi::xml_document layout;
    const QByteArray layoutPart = package.part("xl/workbook.xml");
    ASSERT_TRUE(layout.load_buffer(layoutPart.constData(), layoutPart.size()));
    layout.document_element().remove_child("calcPr");
    std::ostringstream text;
    layout.save(text);
    package.setPart("xl/workbook.xml", QByteArray::fromStdString(text.str()));
    QFile file(source_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(*package.archive());
    file.close();

    std::unique_ptr<Workbook> book = open(source_);
    ASSERT_EQ(book->FirstSheet().SetValue(10, 1, 8.0), 0);
    ASSERT_EQ(book->SaveAs(folder_.filePath("saved.xlsx")), 0);
    const excel::ZipPackage saved = *excel::ZipPackage::read(folder_.filePath("saved.xlsx"));
    pugi::xml_document workbook;
    const QByteArray part = saved.part("xl/workbook.xml");
    ASSERT_TRUE(workbook.load_buffer(part.constData(), part.size()));
    const pugi::xml_node root = workbook.document_element();
    EXPECT_STREQ(root.child("calcPr").attribute("fullCalcOnLoad").value(), "1");
    // in its place: after the sheets, before anything that follows them
    EXPECT_STREQ(root.child("calcPr").previous_sibling().name(), "sheets");
    const auto sheet = sheetXml(folder_.filePath("saved.xlsx"));
    const pugi::xml_node formula = sheet.select_node("//c[@r='B10']").node();
    EXPECT_STREQ(formula.child("f").text().get(), "A10*2");
    EXPECT_FALSE(formula.child("v"));
}

}  // namespace
