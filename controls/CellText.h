#pragma once

#include <QString>

#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

// How the grids turn cell values into texts and place them in a cell.
namespace CellText {

// The value as text; Empty, Null and arrays give "".
QString Plain(const vb::Variant& value);

// The value formatted with a column's display pattern when the pattern is not blank,
// else its plain text.
QString Display(const vb::Variant& value, const QString& format);

// The plain text of a cell of the grid's values; "" outside them.
QString At(const vb::VariantArray& values, int row, int col);
// Stores a text into a cell; a cell outside the values is ignored.
void Store(vb::VariantArray& values, int row, int col, const QString& text);
// Copies the overlap of a two-dimensional array into the grid's values; other
// arrays are ignored.
void Assign(vb::VariantArray& values, const vb::VariantArray& source);

struct Origin {
    double x;
    double y;
};

// Where a text of the given size starts in a cell: alignment 0 at Left + 75, 1 ending 60
// before Right, 2 centred; centred vertically.
Origin Place(int align, double left, double right, double top, double bottom, double textWidth,
             double textHeight);

}  // namespace CellText
