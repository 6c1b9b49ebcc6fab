#pragma once

#include <QString>
#include <vector>

#include "platform/runtime/Variant.h"

// One list from which a statement is assembled (fields, FROM items, WHERE conditions,
// ORDER items). It always holds at least item 0; while item 0 is empty the next
// appended value takes its place.
class VerseList {
  public:
    VerseList();

    void Add(const vb::Variant& item);
    void Clear();

    const std::vector<vb::Variant>& Items() const { return items_; }
    const vb::Variant& First() const { return items_.front(); }

    // The text an item stands for in a statement (Null and Empty as "").
    static QString ItemText(const vb::Variant& item);
    // Empty, or nothing but blanks.
    static bool IsBlank(const vb::Variant& item);

  private:
    std::vector<vb::Variant> items_;
};
