#pragma once

#include <QString>
#include <optional>

namespace excel {

// A text that reads as a number, as the spreadsheet application takes a typed entry,
// and the number format that shows it as written ("#,##0.00" for "1,234.50"; empty
// for plain digits).
struct CellNumber {
    double value;
    QString format;
};

// A number for an optional sign, digits (grouped by three with commas, or not) and
// decimals, blanks around it ignored. Nothing for any other text, for digits with a
// leading zero ("001", a code) and for more than 15 significant digits, which a cell
// cannot hold exactly.
std::optional<CellNumber> readCellNumber(const QString& text);

}  // namespace excel
