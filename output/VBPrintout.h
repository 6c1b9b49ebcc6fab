#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

namespace printer {
class Printer;
}

// Prints a titled table on A4 paper on the default printer: a header with the date and
// the title, headed and ruled columns, and "p / n" at the foot of every page. Measures
// are millimetres. One object per print: set TitleRec and TitleCol first, then the
// column lists (column 0 first in each) and the headings (row 0, column 0 first), call
// Execute, then CreateClear.
class VBPrintout {
  public:
    // Page layouts of PrintOutType.
    enum Layout : uint8_t {
        LandscapeToday = 0,
        PortraitToday = 1,
        LandscapeNarrowMargin = 2,
        PortraitSelectDate = 3,
        LandscapeSelectDate = 4,
    };

    VBPrintout();
    ~VBPrintout();

    // Body font size in points (10 unless set).
    void FontSize(int16_t argFontSize);
    // The title on every page.
    void ListFileName(const QString& argListFileName);
    void PrintOutType(uint8_t argPrintOutType);
    // Heading row 0, column 0 makes the heading table anew, all empty.
    void TitleName(int argRec, int argCol, const QString& argTitleName);
    // Column 0 makes each column list anew, with TitleCol entries.
    void ColWidth(int argCol, int16_t argColWidth);
    // 0 left, 1 right, 2 centred.
    void ColAlign(int argCol, int16_t argColAlign);
    // A Format pattern for the column's values; none unless set.
    void ColFormat(int argCol, const QString& argColFormat);
    // The date in the header of layouts 3 and 4; CreateClear keeps it.
    void SelectDate(const vb::Date& argSelectDate);
    void Info(const vb::VariantArray& argInfo);
    void TitleRec(uint8_t argTitleRec);
    void TitleCol(uint8_t argTitleCol);

    // Prints every page and ends the document: 0, or -1 with nothing printed when the
    // layout, the columns or the data do not fit together or the printer failed.
    int16_t Execute();
    // Empties the lists and the title and sets the defaults again (not SelectDate).
    void CreateClear();

  private:
    // What one page slot prints for one cell.
    struct Cell {
        QString text;
        double x = 0;
    };

    void SetPrinterFont(printer::Printer& p) const;
    void PrintPageHeader(printer::Printer& p) const;
    void PrintHeadings(printer::Printer& p) const;
    void PrintPageNumber(printer::Printer& p, int page, int pages) const;
    // False when the value cannot be shown in the column's format.
    bool CellText(printer::Printer& p, int row, int col, Cell& cell) const;
    // False when a column has no width (or no columns are set).
    bool ComputeColumns();

    bool Landscape() const;
    double GridBottom() const;
    int LinesPerPage() const;
    double LeftMargin() const;
    double PageWidth() const;
    double Right() const;
    bool Validate() const;
    void Print(printer::Printer& p, double x, double y, const QString& text) const;

    int16_t fontSize_ = 10;
    QString listFileName_;
    uint8_t printOutType_ = 0;
    std::vector<std::vector<QString>> titleNames_;
    std::vector<std::optional<int16_t>> colWidths_;
    std::vector<std::optional<int16_t>> colAligns_;
    std::vector<QString> colFormats_;
    bool formatsGiven_ = false;
    vb::Date selectDate_;
    vb::VariantArray info_;
    uint8_t titleRec_ = 0;
    uint8_t titleCol_ = 0;
    // A setting named a heading or column outside the tables.
    bool settingsInvalid_ = false;
    std::vector<double> left_;
    std::vector<double> right_;
};
