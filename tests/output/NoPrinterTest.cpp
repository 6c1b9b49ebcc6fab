#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "OutputFolders.h"
#include "output/ExcelListPrintClass.h"
#include "output/LayoutBooks.h"
#include "output/VBPrintout.h"
#include "platform/excel/Application.h"

namespace {

// The tests of this program reach no print server, so there is no default printer
// (and nothing is ever printed on one of the machine's printers).
const bool noPrintServer = qputenv("CUPS_SERVER", "/nonexistent/cups.sock");

vb::VariantArray oneRow() {
    vb::VariantArray row(1, 2);
    row(0, 0) = "001";
    row(0, 1) = "文具";
    return row;
}

TEST(NoPrinterTest, PrintingWithoutADefaultPrinterFails) {
    ASSERT_TRUE(noPrintServer);
    OutputFolders folders;
    ExcelListPrintClass book;
    book.AppointFileName(LayoutBooks::Bunrui);
    book.FilePath(folders.layouts());
    book.DataStartCell(4);
    book.Info(oneRow());
    EXPECT_EQ(book.OutputBook(), ExcelListPrintClass::PrintFailed);

    VBPrintout list;
    list.TitleCol(2);
    list.TitleRec(1);
    list.ColWidth(0, 30);
    list.ColWidth(1, 60);
    list.ColAlign(0, 0);
    list.ColAlign(1, 0);
    list.TitleName(0, 0, "番号");
    list.TitleName(0, 1, "名前");
    list.ListFileName("商品分類一覧表");
    list.PrintOutType(1);
    list.Info(oneRow());
    EXPECT_EQ(list.Execute(), -1);
}

// The destination is looked at first: without a default printer a workbook print fails
// at once, before the spreadsheet program lays the sheet out.
TEST(NoPrinterTest, AWorkbookPrintWithoutADefaultPrinterFailsAtOnce) {
    ASSERT_TRUE(noPrintServer);
    ASSERT_TRUE(excel::Application::CanPrint());
    OutputFolders folders;
    ExcelListPrintClass book;
    book.AppointFileName(LayoutBooks::Bunrui);
    book.FilePath(folders.layouts());
    book.DataStartCell(4);
    book.Info(oneRow());
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(book.OutputBook(), ExcelListPrintClass::PrintFailed);
    EXPECT_LT(timer.elapsed(), 2000);
}

}  // namespace
