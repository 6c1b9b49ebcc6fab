#pragma once

#include <array>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The six weeks, Sunday to Saturday, that the date picker shows for a month: the
// month's first day in its weekday's column of row 0, the days before it from the
// previous month, the rows after the month's end from the next month.
class CalendarMonth {
  public:
    static constexpr int Rows = 6;
    static constexpr int Cols = 7;

    explicit CalendarMonth(const vb::Date& date);

    // The date of a cell at midnight; a cell outside the grid gives none.
    bool CellDate(int row, int col, vb::Date& date) const;
    // The cell of a date's day; false when the grid does not show it.
    bool Find(const vb::Date& date, int& row, int& col) const;
    // The day numbers of the cells, for the grid.
    vb::VariantArray DayNumbers() const;

  private:
    std::array<std::array<vb::Date, Cols>, Rows> cells_;
};
