#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace excel {

// The sheet's limits (rows and columns count from 1).
inline constexpr int MaxRow = 1048576;
inline constexpr int MaxCol = 16384;

struct CellRef {
    int row = 0;
    int col = 0;
};

// "A1" style references: column letters followed by the row number.
QString cellName(int row, int col);
QString columnName(int col);
std::optional<CellRef> parseCellName(QStringView name);

}  // namespace excel
