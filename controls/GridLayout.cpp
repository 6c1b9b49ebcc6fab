#include "GridLayout.h"

#include <algorithm>

void GridLayout::ResizeRows(int count, double height) {
    GridRowInfo added;
    added.Height = height;
    rows_.resize(static_cast<size_t>(std::max(0, count)), added);
    lastRow_ = std::min(lastRow_, RowCount() - 1);
}

void GridLayout::ResizeCols(int count, double width) {
    GridColInfo added;
    added.Width = width;
    cols_.resize(static_cast<size_t>(std::max(0, count)), added);
    lastCol_ = std::min(lastCol_, ColCount() - 1);
}

void GridLayout::Reset() {
    *this = GridLayout();
}

void GridLayout::LayOutPages(double bodyHeight, bool singlePage) {
    pages_.assign(1, GridPageInfo{});
    double total = 0;
    double pageTotal = 0;
    for (int i = 0; i < RowCount(); ++i) {
        const double height = rows_[i].Height;
        total += height;
        pageTotal += height;
        if (!singlePage && pageTotal > bodyHeight && i > pages_.back().FirstRow) {
            pageTotal = height;
            pages_.push_back(GridPageInfo{i});
        }
        rows_[i].Page = LastPageIndex();
    }
    totalHeight_ = total;

    int maxTop = RowCount();
    double fitting = 0;
    while (!singlePage && maxTop > 0 && fitting + rows_[maxTop - 1].Height <= bodyHeight) {
        fitting += rows_[--maxTop].Height;
    }
    maxTopRow_ = singlePage ? 0 : std::max(0, std::min(maxTop, RowCount() - 1));
    topRow_ = std::min(topRow_, maxTopRow_);
    pageIndex_ = std::min(pageIndex_, LastPageIndex());
}

void GridLayout::LayOutColumns() {
    totalWidth_ = 0;
    for (const GridColInfo& col : cols_) {
        totalWidth_ += col.Width;
    }
}

void GridLayout::LayOutVisible(double bodyHeight, double bodyWidth) {
    for (GridRowInfo& row : rows_) {
        row.Top = row.Bottom = 0;
    }
    for (GridColInfo& col : cols_) {
        col.Left = col.Right = 0;
    }
    lastRow_ = -1;
    double top = 0;
    for (int i = topRow_; i < RowCount(); ++i) {
        rows_[i].Top = top;
        rows_[i].Bottom = top + rows_[i].Height;
        top = rows_[i].Bottom;
        lastRow_ = i;
        if (top > bodyHeight) {
            break;
        }
    }
    lastCol_ = -1;
    double left = 0;
    for (int i = 0; i < ColCount(); ++i) {
        cols_[i].Left = left;
        cols_[i].Right = left + cols_[i].Width;
        left = cols_[i].Right;
        lastCol_ = i;
        if (left > bodyWidth) {
            break;
        }
    }
}

bool GridLayout::IsShown(int row, int col) const {
    return row >= topRow_ && row <= lastRow_ && col >= 0 && col <= lastCol_;
}

double GridLayout::DrawnHeight() const {
    return lastRow_ >= 0 ? rows_[lastRow_].Bottom : 0;
}

double GridLayout::DrawnWidth() const {
    return lastCol_ >= 0 ? cols_[lastCol_].Right : 0;
}

int GridLayout::RowAt(double y) const {
    for (int i = std::max(0, topRow_); i <= lastRow_; ++i) {
        if (rows_[i].Top <= y && y <= rows_[i].Bottom) {
            return i;
        }
    }
    return -1;
}

int GridLayout::ColAt(double x) const {
    for (int i = 0; i <= lastCol_; ++i) {
        if (cols_[i].Left <= x && x <= cols_[i].Right) {
            return i;
        }
    }
    return -1;
}

GridCellInfo GridLayout::CellInfo(int row, int col) const {
    const GridColInfo& column = cols_[col];
    GridCellInfo cell;
    cell.Row = row;
    cell.Col = col;
    cell.Color = column.Color;
    cell.Align = column.Align;
    cell.Format = column.Format;
    cell.Flags = column.Flags;
    cell.RowHighlight = column.Flags[FlagRowHighlight] ? 1 : 0;
    cell.EditMode = column.EditMode;
    cell.EditMaxLength = column.EditMaxLength;
    cell.Valid = true;
    PlaceCell(cell);
    return cell;
}

void GridLayout::PlaceCell(GridCellInfo& cell) const {
    if (!IsShown(cell.Row, cell.Col)) {
        cell.Top = cell.Bottom = cell.Left = cell.Right = cell.Height = cell.Width = 0;
        return;
    }
    const GridRowInfo& row = rows_[cell.Row];
    const GridColInfo& col = cols_[cell.Col];
    cell.Top = row.Top;
    cell.Bottom = row.Bottom;
    cell.Height = row.Bottom - row.Top;
    cell.Left = col.Left;
    cell.Right = col.Right;
    cell.Width = col.Right - col.Left;
}

double GridLayout::SpanHeight(int from, int to) const {
    double height = 0;
    for (int i = std::max(0, from); i <= to && i < RowCount(); ++i) {
        height += rows_[i].Height;
    }
    return height;
}

void GridLayout::ScrollTo(int target, int currentRow, double bodyHeight) {
    if (!HasRow(target)) {
        return;
    }
    if (target >= topRow_) {
        double bottom = 0;
        int stop = -1;
        for (int i = topRow_; i <= target; ++i) {
            bottom += rows_[i].Height;
            if (bottom > bodyHeight) {
                stop = i;
                break;
            }
        }
        if (stop == target) {
            do {
                ++topRow_;
            } while (topRow_ < std::min(target, maxTopRow_) &&
                     SpanHeight(topRow_, target) > bodyHeight);
            topRow_ = std::min(topRow_, maxTopRow_);
        } else if (stop >= 0) {
            topRow_ = std::min(firstRowOfPageOf(target), maxTopRow_);
        }
    } else if (target == currentRow - 1 && target == topRow_ - 1) {
        --topRow_;
    } else {
        topRow_ = std::min(firstRowOfPageOf(target), maxTopRow_);
    }
    pageIndex_ = rows_[topRow_].Page;
}

bool GridLayout::SkipToPage(int pageIndex) {
    if (pageIndex < 0 || pageIndex > LastPageIndex()) {
        return false;
    }
    pageIndex_ = pageIndex;
    topRow_ = std::min(pages_[pageIndex].FirstRow, maxTopRow_);
    return true;
}

void GridLayout::SetTopRow(int row) {
    topRow_ = std::clamp(row, 0, std::max(0, RowCount() - 1));
    if (HasRow(topRow_)) {
        pageIndex_ = rows_[topRow_].Page;
    }
}

int GridLayout::firstRowOfPageOf(int row) const {
    const int page = std::clamp(rows_[row].Page, 0, LastPageIndex());
    return pages_[page].FirstRow;
}
