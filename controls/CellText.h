#pragma once

#include <QString>

#include "platform/runtime/Variant.h"

// How the grids turn cell values into texts and place them in a cell.
namespace CellText {

// The value as text; Empty, Null and arrays give "".
QString Plain(const vb::Variant& value);

// The value formatted with a column's display pattern when the pattern is not blank,
// else its plain text.
QString Display(const vb::Variant& value, const QString& format);

struct Origin {
    double x;
    double y;
};

// Where a text of the given size starts in a cell: alignment 0 at Left + 75, 1 ending 60
// before Right, 2 centred; centred vertically.
Origin Place(int align, double left, double right, double top, double bottom, double textWidth,
             double textHeight);

}  // namespace CellText
