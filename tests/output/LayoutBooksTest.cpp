#include <gtest/gtest.h>

#include "OutputFolders.h"
#include "output/ExcelListPrintClass.h"
#include "output/LayoutBooks.h"
#include "platform/excel/Workbook.h"

namespace {

struct Layout {
    const char* name;
    const char* title;
    int firstDataRow;
    std::vector<const char*> lastHeadings;  // the row just above the data
};

// Each list's first sheet: its title, and headings that end just above the row where
// its screen writes the data.
TEST(LayoutBooksTest, EachListFindsItsTitleAndHeadings) {
    const std::vector<Layout> layouts{
        {LayoutBooks::Bunrui, "商品分類一覧表", 4, {"商品分類番号", "商品分類名"}},
        {LayoutBooks::Syouhin,
         "商品一覧表",
         4,
         {"分類番号", "分類名", "商品番号", "商品名", "仕入単価", "売上単価"}},
        {LayoutBooks::Nyuryoku,
         "仕入/売上管理表",
         5,
         {"商品番号", "商品名", "仕入数量", "仕入金額", "売上数量", "売上金額"}},
        {LayoutBooks::Maintenance,
         "月間データメンテナンス",
         4,
         {"番号", "商品名", "仕入数量", "仕入単価", "仕入金額", "売上数量", "売上単価", "売上金額",
          "今月末残"}},
        {LayoutBooks::Zaiko,
         "在　庫　管　理　表",
         5,
         {"", "", "数　　量", "数　　量", "数　　量", "数　　量", "", ""}},
        {LayoutBooks::Zaikolist,
         "在庫少数リスト",
         4,
         {"番 号", "商　品　名", "平均売上数量", "在庫数量"}},
        {LayoutBooks::Uriage,
         "売上利益表",
         5,
         {"番号", "", "数量", "金額", "数量", "金額", "金額"}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        int32_t error = 0;
        std::unique_ptr<excel::Workbook> book =
            excel::Workbook::Open(QStringLiteral(MORVIK_BUILD_STAGE_DIR "/") + layout.name, error);
        ASSERT_NE(book, nullptr);
        const excel::Worksheet& sheet = book->FirstSheet();
        EXPECT_EQ(sheet.Value(1, 1), vb::Variant(layout.title));
        EXPECT_TRUE(sheet.Value(2, 1).isEmpty());
        const int headingRow = layout.firstDataRow - 1;
        for (std::size_t c = 0; c < layout.lastHeadings.size(); ++c) {
            const vb::Variant heading = sheet.Value(headingRow, static_cast<int>(c) + 1);
            const QString text = heading.isEmpty() ? QString() : heading.toString();
            EXPECT_EQ(text, QString(layout.lastHeadings[c])) << "column " << c + 1;
        }
        EXPECT_TRUE(
            sheet.Value(headingRow, static_cast<int>(layout.lastHeadings.size()) + 1).isEmpty());
        EXPECT_TRUE(sheet.Value(layout.firstDataRow, 1).isEmpty());
    }
}

// A saved list can be summed in the spreadsheet: figures are number cells shown as the
// screen wrote them, while codes and names stay texts as written.
TEST(LayoutBooksTest, SavedListsHoldNumbersAsNumbersAndCodesAsTexts) {
    struct Cell {
        QString written;
        vb::Variant saved;
        QString format;
    };
    struct List {
        const char* layout;
        int16_t dataStartCell;
        std::vector<Cell> row;
    };
    const QString general = QStringLiteral("General");
    const QString text = QStringLiteral("@");
    const std::vector<List> lists{
        {LayoutBooks::Bunrui, 4, {{"001", "001", text}, {"2024", "2024", text}}},
        {LayoutBooks::Syouhin,
         4,
         {{"001", "001", text},
          {"文具", "文具", text},
          {"0001", "0001", text},
          {"123", "123", text},
          {"1,234.50", 1234.5, "#,##0.00"},
          {"100", 100.0, general}}},
        {LayoutBooks::Zaiko,
         5,
         {{"0010001", "0010001", text},
          {"ボールペン（黒）", "ボールペン（黒）", text},
          {"10.50", 10.5, "0.00"},
          {"-3", -3.0, general},
          {"1,200", 1200.0, "#,##0"},
          {"0", 0.0, general},
          {"150", 150.0, general},
          {"1,234,567,890", 1234567890.0, "#,##0"}}},
        {LayoutBooks::Nyuryoku,
         5,
         {{"0010001", "0010001", text},
          {"12-3", "12-3", text},
          {"12.50", 12.5, "0.00"},
          {"-1,234", -1234.0, "#,##0"},
          {"0.00", 0.0, "0.00"},
          {"1,234,567.89", 1234567.89, "#,##0.00"}}},
        {LayoutBooks::Maintenance,
         4,
         {{"0020000001", "0020000001", text},
          {"2005/03/05", "2005/03/05", text},
          {"5", 5.0, general},
          {"99.99", 99.99, "0.00"},
          {"499.95", 499.95, "0.00"},
          {"-2", -2.0, general},
          {"150", 150.0, general},
          {"-300", -300.0, general},
          {"3", 3.0, general}}},
        {LayoutBooks::Zaikolist,
         4,
         {{"0010001", "0010001", text},
          {"00", "00", text},
          {"2.50", 2.5, "0.00"},
          {"0", 0.0, general}}},
        {LayoutBooks::Uriage,
         5,
         {{"001", "001", text},
          {"1e5", "1e5", text},
          {"1,000", 1000.0, "#,##0"},
          {"123,456", 123456.0, "#,##0"},
          {"800", 800.0, general},
          {"160,000", 160000.0, "#,##0"},
          {"-3,456", -3456.0, "#,##0"}}},
    };
    OutputFolders folders;
    for (const List& list : lists) {
        SCOPED_TRACE(list.layout);
        vb::VariantArray rows(1, static_cast<int>(list.row.size()));
        for (std::size_t c = 0; c < list.row.size(); ++c) {
            rows(0, static_cast<int>(c)) = list.row[c].written;
        }
        ExcelListPrintClass book;
        book.OutputType(1);
        book.AppointFileName(list.layout);
        book.FilePath(folders.layouts());
        book.DataStartCell(list.dataStartCell);
        book.Info(rows);
        book.SaveFileName(list.layout);
        book.SaveFilePath(folders.saved());
        ASSERT_EQ(book.OutputBook(), 0);
        int32_t error = 0;
        std::unique_ptr<excel::Workbook> saved =
            excel::Workbook::Open(folders.saved() + "/" + list.layout, error);
        ASSERT_NE(saved, nullptr);
        for (std::size_t c = 0; c < list.row.size(); ++c) {
            const int col = static_cast<int>(c) + 1;
            EXPECT_EQ(saved->FirstSheet().Value(list.dataStartCell, col), list.row[c].saved)
                << "column " << col;
            EXPECT_EQ(saved->FirstSheet().NumberFormat(list.dataStartCell, col), list.row[c].format)
                << "column " << col;
        }
    }
}

}  // namespace
