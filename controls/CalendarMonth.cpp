#include "CalendarMonth.h"

CalendarMonth::CalendarMonth(const vb::Date& date) {
    const vb::Date first = date.firstOfMonth();
    const int weekday = first.weekday();
    for (int row = 0; row < Rows; ++row) {
        for (int col = 0; col < Cols; ++col) {
            cells_[row][col] = first.addDays(row * Cols + col + 1 - weekday);
        }
    }
}

bool CalendarMonth::CellDate(int row, int col, vb::Date& date) const {
    if (row < 0 || row >= Rows || col < 0 || col >= Cols) {
        return false;
    }
    date = cells_[row][col];
    return true;
}

bool CalendarMonth::Find(const vb::Date& date, int& row, int& col) const {
    const vb::Date day = date.dateOnly();
    for (row = 0; row < Rows; ++row) {
        for (col = 0; col < Cols; ++col) {
            if (cells_[row][col] == day) {
                return true;
            }
        }
    }
    return false;
}

vb::VariantArray CalendarMonth::DayNumbers() const {
    vb::VariantArray days(Rows, Cols);
    for (int row = 0; row < Rows; ++row) {
        for (int col = 0; col < Cols; ++col) {
            days(row, col) = vb::Variant(static_cast<int16_t>(cells_[row][col].day()));
        }
    }
    return days;
}
