#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "controls/GridLayout.h"

namespace {

GridLayout rows(int count, double height, double bodyHeight) {
    GridLayout grid;
    grid.ResizeRows(count, height);
    grid.ResizeCols(2, 1050);
    grid.LayOutPages(bodyHeight, false);
    grid.LayOutColumns();
    return grid;
}

GridLayout rowsOf(std::initializer_list<double> heights, double bodyHeight) {
    GridLayout grid;
    grid.ResizeRows(static_cast<int>(heights.size()), 0);
    int i = 0;
    for (const double height : heights) {
        grid.Row(i++).Height = height;
    }
    grid.ResizeCols(1, 1050);
    grid.LayOutPages(bodyHeight, false);
    return grid;
}

std::vector<int> firstRows(const GridLayout& grid) {
    std::vector<int> result;
    for (const GridPageInfo& page : grid.Pages()) {
        result.push_back(page.FirstRow);
    }
    return result;
}

TEST(GridLayoutTest, ThirtyRowsOnAScreenOfTen) {
    GridLayout grid = rows(30, 390, 3900);
    EXPECT_EQ(firstRows(grid), (std::vector<int>{0, 10, 20}));
    EXPECT_EQ(grid.MaxTopRow(), 20);
    EXPECT_DOUBLE_EQ(grid.TotalHeight(), 11700);
    EXPECT_EQ(grid.Row(9).Page, 0);
    EXPECT_EQ(grid.Row(10).Page, 1);

    ASSERT_TRUE(grid.SkipToPage(2));
    grid.LayOutVisible(3900, 2100);
    EXPECT_EQ(grid.TopRow(), 20);
    EXPECT_EQ(grid.LastShownRow(), 29);
    EXPECT_FALSE(grid.SkipToPage(3));
}

TEST(GridLayoutTest, LastPageOfTwentyFiveRowsShowsTheLastScreenful) {
    GridLayout grid = rows(25, 390, 3900);
    EXPECT_EQ(grid.MaxTopRow(), 15);
    EXPECT_EQ(grid.LastPageIndex(), 2);
    grid.SkipToPage(2);
    grid.LayOutVisible(3900, 2100);
    EXPECT_EQ(grid.TopRow(), 15);
    EXPECT_EQ(grid.PageIndex(), 2);
    EXPECT_EQ(grid.LastShownRow(), 24);
}

TEST(GridLayoutTest, LastTopRowWithRowsOfDifferentHeights) {
    // The last three rows (300 + 300 + 3000) fill the body exactly; a candidate that
    // moves one row per row seen would stop earlier.
    GridLayout grid = rowsOf({1000, 1000, 1000, 300, 300, 3000}, 3600);
    EXPECT_EQ(grid.MaxTopRow(), 3);
    grid = rowsOf({500, 500, 500}, 3600);
    EXPECT_EQ(grid.MaxTopRow(), 0);
    grid = rowsOf({500, 5000}, 3600);  // the last row alone is taller than the body
    EXPECT_EQ(grid.MaxTopRow(), 1);
}

TEST(GridLayoutTest, ARowThatDoesNotFitOpensTheNextPage) {
    GridLayout grid = rowsOf({1000, 1000, 1000, 1000, 1000}, 3500);
    EXPECT_EQ(firstRows(grid), (std::vector<int>{0, 3}));
    grid = rowsOf({5000, 500, 500}, 3500);  // a row taller than the body stays alone
    EXPECT_EQ(firstRows(grid), (std::vector<int>{0, 1}));
}

TEST(GridLayoutTest, SinglePageWhenTheBodyFitsTheRows) {
    GridLayout grid;
    grid.ResizeRows(30, 390);
    grid.LayOutPages(3900, true);
    EXPECT_EQ(grid.LastPageIndex(), 0);
    EXPECT_EQ(grid.MaxTopRow(), 0);
    EXPECT_EQ(grid.Row(29).Page, 0);
}

TEST(GridLayoutTest, RowsOutsideTheLastLayoutHaveEmptyRectangles) {
    GridLayout grid = rows(30, 390, 3900);
    grid.LayOutVisible(3900, 2100);
    EXPECT_DOUBLE_EQ(grid.Row(3).Top, 1170);
    grid.SkipToPage(1);
    grid.LayOutVisible(3900, 2100);
    EXPECT_DOUBLE_EQ(grid.Row(3).Top, 0);
    EXPECT_DOUBLE_EQ(grid.Row(3).Bottom, 0);
    EXPECT_FALSE(grid.IsShown(3, 0));
    EXPECT_DOUBLE_EQ(grid.Row(13).Top, 1170);
    const GridCellInfo cell = grid.CellInfo(3, 1);
    EXPECT_TRUE(cell.Valid);
    EXPECT_DOUBLE_EQ(cell.Bottom, 0);
    EXPECT_DOUBLE_EQ(cell.Right, 0);
}

TEST(GridLayoutTest, PartlyShownRowIsLaidOutAndHit) {
    GridLayout grid = rows(30, 400, 3900);  // the tenth row crosses the bottom edge
    grid.LayOutVisible(3900, 1500);
    EXPECT_EQ(grid.LastShownRow(), 9);
    EXPECT_EQ(grid.LastShownCol(), 1);  // the column crossing the right edge too
    EXPECT_DOUBLE_EQ(grid.DrawnHeight(), 4000);
    EXPECT_EQ(grid.RowAt(3850), 9);
    EXPECT_EQ(grid.RowAt(400), 0);  // a boundary belongs to the upper row
    EXPECT_EQ(grid.ColAt(1050), 0);
    EXPECT_EQ(grid.ColAt(1051), 1);
    EXPECT_EQ(grid.ColAt(2200), -1);
    EXPECT_EQ(grid.RowAt(4100), -1);
}

TEST(GridLayoutTest, ScrollingToARow) {
    GridLayout grid = rows(30, 390, 3900);
    struct Case {
        const char* name;
        int top;
        int target;
        int current;
        int expectedTop;
    };
    const Case cases[] = {
        {"a shown row moves nothing", 0, 9, 8, 0},
        {"the row just below scrolls by one", 0, 10, 9, 1},
        {"a row further down shows its page", 0, 15, 9, 10},
        {"far down stops at the last top row", 0, 29, 0, 20},
        {"the row just above scrolls by one", 12, 11, 12, 11},
        {"a row further up shows its page", 12, 3, 12, 0},
        {"the row above an unshown current cell shows its page", 12, 2, 3, 0},
    };
    for (const Case& c : cases) {
        grid.SetTopRow(c.top);
        grid.ScrollTo(c.target, c.current, 3900);
        EXPECT_EQ(grid.TopRow(), c.expectedTop) << c.name;
        EXPECT_EQ(grid.PageIndex(), grid.Row(grid.TopRow()).Page) << c.name;
    }
}

TEST(GridLayoutTest, ScrollingOntoATallerPartlyShownRow) {
    GridLayout grid = rowsOf({500, 500, 500, 500, 2500, 500}, 3000);
    grid.ScrollTo(4, 3, 3000);  // three rows must go to show row 4 whole
    EXPECT_EQ(grid.TopRow(), 3);
    grid.LayOutVisible(3000, 1050);
    EXPECT_LE(grid.Row(4).Bottom, 3000);
}

}  // namespace
