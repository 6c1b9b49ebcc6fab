#pragma once

#include "GridLayout.h"

// The cells the keyboard moves go to. Left and right skip the columns whose type flag 0
// is set, running on into the neighbouring rows; up and down stay in the column and
// ignore that flag. With nowhere to go the move stays on the current cell.
namespace CellMoves {

struct Cell {
    int row;
    int col;
    bool operator==(const Cell&) const = default;
};

Cell Up(const GridLayout& layout, Cell from);
Cell Down(const GridLayout& layout, Cell from);
Cell Left(const GridLayout& layout, Cell from);
Cell Right(const GridLayout& layout, Cell from);

}  // namespace CellMoves
