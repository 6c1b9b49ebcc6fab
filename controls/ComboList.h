#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/runtime/Variant.h"

// The list behind a combo box: a vector (one value per row) or a table (rows of values),
// a visible flag per row and the selected row of the full list. It needs no display.
class ComboList {
  public:
    struct Item {
        QString text;  // the row's value, or its first column
        int row;       // the row of the full list
    };

    // A copy of the array becomes the list, every row visible.
    void SetList(const vb::Variant& list);
    // Appends one row (a vector of values) to the table; every row becomes visible.
    void AddItem(const vb::Variant& row);
    void Clear();
    const vb::Variant& List() const { return list_; }
    int RowCount() const;

    // Shows the rows whose value (or value in column) matches the pattern; a column
    // outside the table changes nothing, a malformed pattern shows no row.
    void Filter(int16_t column, const QString& pattern);
    bool RowVisible(int row) const;

    // The text of the selected row, or of its value in column; "" without one.
    QString SelectItem(int16_t column) const;
    // Selects the first row whose text (or text in column) equals value; -1 when none.
    // The comparison is literal: wildcard signs in value are plain characters.
    void SelectItem(int16_t column, const QString& value);
    int16_t ListIndex() const { return listIndex_; }
    void ListIndex(int16_t row) { listIndex_ = row; }

    // The items a combo box shows: the visible rows in order.
    std::vector<Item> ShownItems() const;

  private:
    QString cellText(int row, int column) const;
    bool hasColumn(int column) const;

    vb::Variant list_;
    std::vector<bool> visible_;
    int16_t listIndex_ = -1;
};
