#pragma once

#include <pugixml.hpp>

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Styles.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

namespace excel {

// Border indices of a range (Borders(index)).
enum XlBordersIndex : int {
    xlEdgeLeft = 7,
    xlEdgeTop = 8,
    xlEdgeBottom = 9,
    xlEdgeRight = 10,
    xlInsideVertical = 11,
    xlInsideHorizontal = 12,
};

// Line styles of a border.
enum XlLineStyle : int {
    xlContinuous = 1,
    xlLineStyleNone = -4142,
};

// One worksheet of an open workbook. Rows and columns count from 1. Changes return
// 0 or the run-time error the spreadsheet application raises (1004 for a range
// outside the sheet or an unsupported setting, 13 for a value no cell can hold).
class Worksheet {
  public:
    Worksheet(Styles& styles, const std::vector<QString>& sharedStrings);

    // False when the part is not a worksheet.
    bool load(const QByteArray& part);
    // The part as it now stands, its used range brought up to date and its formulas
    // without their stored results, which the reader calculates anew.
    QByteArray save();
    // True when a written value replaced a formula.
    bool formulasReplaced() const { return formulasReplaced_; }

    // A number stays a number, a date a date; Empty, Null and "" empty the cell. A text
    // that reads as a number (readCellNumber) becomes a number, as a typed entry does,
    // unless the cell is formatted as text; other texts, digits with leading zeros
    // among them, stay texts. The cell keeps its look, and a general cell gets the
    // number format of the number's text; a new cell takes the look of its row or
    // column.
    int32_t SetValue(int row, int col, const vb::Variant& value);
    // The block of a two-dimensional array, its element (0, 0) at (row, col).
    int32_t SetValues(int row, int col, const vb::VariantArray& values);
    // Every cell of the sheet, also those written later, in this font, regular style.
    void SetFont(const QString& fontName);
    // One border index of the range (rows row1 to row2, columns col1 to col2).
    int32_t SetBorder(int row1, int col1, int row2, int col2, int index, int lineStyle);

    // Empty, a text, a Double or a Boolean.
    vb::Variant Value(int row, int col) const;
    QString FontName(int row, int col) const;
    // The code of the cell's number format ("General", "@", "#,##0.00", ...).
    QString NumberFormat(int row, int col) const;
    bool FontBold(int row, int col) const;
    // The sides (BorderSide) on which the cell has a line.
    int BorderSides(int row, int col) const;

  private:
    struct ColumnStyle {
        int min;
        int max;
        int style;
    };

    std::string qualified(const char* localName) const { return prefix_ + localName; }
    pugi::xml_node findCell(int row, int col) const;
    pugi::xml_node rowNode(int row);
    pugi::xml_node cellNode(int row, int col);
    int cellStyle(int row, int col) const;
    int newCellStyle(int row, int col) const;
    void setStyle(pugi::xml_node cell, int style);
    void clearValue(pugi::xml_node cell);
    int32_t writeValue(pugi::xml_node cell, const vb::Variant& value);
    void normalize();
    void dropFormulaResults();
    void updateDimension();

    Styles& styles_;
    const std::vector<QString>& sharedStrings_;
    pugi::xml_document document_;
    std::string prefix_;  // namespace prefix of the part's elements, "" or "x:"
    pugi::xml_node sheetData_;
    std::map<int, pugi::xml_node> rows_;
    std::vector<ColumnStyle> columns_;
    std::optional<QString> font_;
    bool formulasReplaced_ = false;
};

}  // namespace excel
