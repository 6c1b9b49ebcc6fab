#pragma once

#include <vector>

#include "GridRecords.h"

// Rows, columns and pages of a grid and where they stand in its body, in twips. It needs
// no display: the body's height and width are passed in.
//
// Pages cut the rows so that each page fits the body; a row that does not fit
// completely below the others opens the next page. The last useful top row is the
// smallest row from which all remaining rows fit. Only the rows from the top row down
// to the first one that crosses the body's bottom edge are laid out, and columns from
// the first to the first one that crosses the right edge; every other row and column
// has an empty rectangle.
class GridLayout {
  public:
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColCount() const { return static_cast<int>(cols_.size()); }
    // Keeps the existing records; new ones get the height or width given.
    void ResizeRows(int count, double height);
    void ResizeCols(int count, double width);
    GridRowInfo& Row(int row) { return rows_[row]; }
    const GridRowInfo& Row(int row) const { return rows_[row]; }
    GridColInfo& Col(int col) { return cols_[col]; }
    const GridColInfo& Col(int col) const { return cols_[col]; }
    bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
    bool HasCol(int col) const { return col >= 0 && col < ColCount(); }
    // No rows, no columns, top row 0, one empty page.
    void Reset();

    // Cuts the rows into pages for a body of that height and sets the last useful top
    // row; with singlePage (a body sized to its rows) everything is one page.
    void LayOutPages(double bodyHeight, bool singlePage);
    // Sums the column widths.
    void LayOutColumns();
    double TotalHeight() const { return totalHeight_; }
    double TotalWidth() const { return totalWidth_; }

    // Places the rows shown from the top row and the columns shown from column 0.
    void LayOutVisible(double bodyHeight, double bodyWidth);
    int LastShownRow() const { return lastRow_; }  // -1 when none is shown
    int LastShownCol() const { return lastCol_; }
    bool IsShown(int row, int col) const;
    double DrawnHeight() const;
    double DrawnWidth() const;
    // The shown row or column under a point of the body (a boundary belongs to the
    // earlier one); -1 when none.
    int RowAt(double y) const;
    int ColAt(double x) const;

    // A cell's record for the layout now: its rectangle (empty when it is not shown) and
    // its column's attributes; the caller adds the text.
    GridCellInfo CellInfo(int row, int col) const;
    // Puts the cell's rectangle for the layout now into its record.
    void PlaceCell(GridCellInfo& cell) const;

    // The height of rows from to to, both included (0 when to < from).
    double SpanHeight(int from, int to) const;

    // Moves the top row so that target is shown before it becomes current: one row
    // when it is the partly shown row just below the others or the row just above the
    // top, otherwise the first row of its page.
    void ScrollTo(int target, int currentRow, double bodyHeight);
    // Shows a page (0-based); false when there is no such page.
    bool SkipToPage(int pageIndex);
    // A top row from outside (the scroll bar), kept within the rows.
    void SetTopRow(int row);

    int TopRow() const { return topRow_; }
    int MaxTopRow() const { return maxTopRow_; }
    int PageIndex() const { return pageIndex_; }
    int LastPageIndex() const { return static_cast<int>(pages_.size()) - 1; }
    const std::vector<GridPageInfo>& Pages() const { return pages_; }

  private:
    int firstRowOfPageOf(int row) const;

    std::vector<GridRowInfo> rows_;
    std::vector<GridColInfo> cols_;
    std::vector<GridPageInfo> pages_{GridPageInfo{}};
    double totalHeight_ = 0;
    double totalWidth_ = 0;
    int topRow_ = 0;
    int maxTopRow_ = 0;
    int pageIndex_ = 0;
    int lastRow_ = -1;
    int lastCol_ = -1;
};
