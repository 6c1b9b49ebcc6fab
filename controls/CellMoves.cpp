#include "CellMoves.h"

namespace CellMoves {

namespace {

bool reachable(const GridLayout& layout, int col) {
    return !layout.Col(col).Flags[FlagPassedOver];
}

}  // namespace

Cell Up(const GridLayout&, Cell from) {
    return from.row > 0 ? Cell{from.row - 1, from.col} : from;
}

Cell Down(const GridLayout& layout, Cell from) {
    return from.row < layout.RowCount() - 1 ? Cell{from.row + 1, from.col} : from;
}

Cell Left(const GridLayout& layout, Cell from) {
    int col = from.col - 1;
    for (int row = from.row; row >= 0; --row, col = layout.ColCount() - 1) {
        for (; col >= 0; --col) {
            if (reachable(layout, col)) {
                return {row, col};
            }
        }
    }
    return from;
}

Cell Right(const GridLayout& layout, Cell from) {
    int col = from.col + 1;
    for (int row = from.row; row < layout.RowCount(); ++row, col = 0) {
        for (; col < layout.ColCount(); ++col) {
            if (reachable(layout, col)) {
                return {row, col};
            }
        }
    }
    return from;
}

}  // namespace CellMoves
