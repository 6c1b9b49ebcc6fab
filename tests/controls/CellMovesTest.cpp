#include <gtest/gtest.h>

#include "controls/CellMoves.h"

namespace {

using CellMoves::Cell;

// Three rows of four columns; column 0 and column 2 are passed over.
GridLayout layout() {
    GridLayout grid;
    grid.ResizeRows(3, 390);
    grid.ResizeCols(4, 1050);
    grid.Col(0).Flags = DecodeColsType(1);
    grid.Col(1).Flags = DecodeColsType(16);
    grid.Col(2).Flags = DecodeColsType(1 | 16);
    grid.Col(3).Flags = DecodeColsType(2);
    return grid;
}

TEST(CellMovesTest, MoveTable) {
    const GridLayout grid = layout();
    struct Case {
        const char* name;
        Cell (*move)(const GridLayout&, Cell);
        Cell from;
        Cell to;
    };
    const Case cases[] = {
        {"right skips a passed-over column", CellMoves::Right, {0, 1}, {0, 3}},
        {"right wraps to the next row", CellMoves::Right, {0, 3}, {1, 1}},
        {"right on the last reachable cell stays", CellMoves::Right, {2, 3}, {2, 3}},
        {"left skips a passed-over column", CellMoves::Left, {1, 3}, {1, 1}},
        {"left wraps to the previous row's end", CellMoves::Left, {1, 1}, {0, 3}},
        {"left on the first reachable cell stays", CellMoves::Left, {0, 1}, {0, 1}},
        {"up stays in a passed-over column", CellMoves::Up, {2, 0}, {1, 0}},
        {"up at row 0 stays", CellMoves::Up, {0, 3}, {0, 3}},
        {"down reaches a passed-over column", CellMoves::Down, {0, 2}, {1, 2}},
        {"down at the last row stays", CellMoves::Down, {2, 1}, {2, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.move(grid, c.from), c.to) << c.name;
    }
}

TEST(CellMovesTest, ColumnTypeBits) {
    const ColsTypeFlags editable = DecodeColsType(16);
    EXPECT_TRUE(editable[FlagEditable]);
    EXPECT_FALSE(editable[FlagPassedOver]);
    for (const int none : {4, 8, 64, 128}) {
        const ColsTypeFlags flags = DecodeColsType(none);
        EXPECT_FALSE(flags[FlagPassedOver] || flags[FlagRowHighlight] || flags[FlagEditable] ||
                     flags[FlagCombo])
            << none;
    }
    EXPECT_TRUE(DecodeColsType(256)[7]);  // higher bits fold into flag 7
    EXPECT_TRUE(DecodeColsType(32)[FlagCombo]);
}

}  // namespace
