#pragma once

#include <QString>

namespace excel {

// Where PrintOut sends the first sheet: the default printer, or for tests a PDF file
// (made by the spreadsheet program) or the filled workbook itself (what would be
// printed, without running the program).
enum class PrintTo { DefaultPrinter, PdfFile, WorkbookFile };

struct PrintDestination {
    PrintTo to = PrintTo::DefaultPrinter;
    QString path;
};

void setPrintDestination(const PrintDestination& destination);
const PrintDestination& printDestination();

}  // namespace excel
