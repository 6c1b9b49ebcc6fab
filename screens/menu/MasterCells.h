#pragma once

#include <QString>
#include <vector>

#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

class ExpandGrid2;

// Cell rules the master screens share.
namespace MasterCells {

// A database value as a cell text: Null and Empty as "".
QString Text(const vb::Variant& value);
// Only the digits 0 to 9, at least one.
bool IsDigits(const QString& text);
// A number in the given zero format ("000"): "1" and "001" give "001".
QString Zeros(const QString& digits, int width);
// Two number cells hold the same number ("1" and "001"); texts that are not both
// numbers are compared as they stand.
bool SameNumber(const QString& a, const QString& b);
// Some row of the grid differs from the snapshot: the numeric columns by value, the
// others by text.
bool Differs(const ExpandGrid2& grid, const vb::VariantArray& snapshot,
             const std::vector<bool>& numericCols);
// A stored number of column 0 (rows 0 to rows - 1 of the snapshot) was typed over
// with another number.
bool NumberChanged(const ExpandGrid2& grid, const vb::VariantArray& snapshot, int rows);
// The snapshot row holds something (it was a stored row at the load).
bool Stored(const vb::VariantArray& snapshot, int row);

}  // namespace MasterCells
