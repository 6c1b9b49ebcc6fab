#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/runtime/Variant.h"

// One item of the drop-down list: where it lies in the open list (twips) and its value,
// either the text shown or an array whose element 0 is the text shown.
struct ComboItem {
    int32_t Top = 0;
    int32_t Bottom = 0;
    int32_t Height = 0;
    vb::Variant Value;
};

// A copy of one item: the highlighted or the chosen one; Index -1 for none.
struct ComboItemState {
    int16_t Index = -1;
    int32_t Top = 0;
    int32_t Bottom = 0;
    int32_t Height = 0;
    vb::Variant Value;
};

// The items of the drop-down list and its two marks, the highlighted item (moved by the
// pointer and the arrow keys) and the chosen item (shown on the face), without drawing.
class DropDownModel {
  public:
    static constexpr int32_t ItemHeight = 350;
    // The list starts this far below the closed box.
    static constexpr int32_t ListGap = 60;

    // The closed box's height; the first item starts ListGap below it.
    void SetBoxHeight(int32_t height) { boxHeight_ = height; }
    int32_t BoxHeight() const { return boxHeight_; }

    void AddItem(const vb::Variant& value);
    // No items, no marks.
    void Clear();
    int16_t Count() const { return static_cast<int16_t>(items_.size()); }
    const ComboItem& Item(int16_t index) const { return items_.at(index); }
    // The height by which the item's text is centred; an index outside the list is ignored.
    void SetItemHeight(int16_t index, int32_t height);

    const ComboItemState& Highlighted() const { return highlighted_; }
    const ComboItemState& Chosen() const { return chosen_; }
    // Both marks on that item; an index outside the list is ignored.
    void SetListIndex(int16_t index);
    // The highlight on the first item whose span holds y, or on the last item below them
    // all; false (nothing changes) without items.
    bool HighlightAt(double y);
    // The highlight one item up (step -1) or down (+1), kept within the list; false
    // without items.
    bool MoveHighlight(int step);
    // The highlighted item becomes the chosen one.
    void Choose() { chosen_ = highlighted_; }

    // A point at or below the start of the list.
    bool InList(double y) const { return y >= boxHeight_ + ListGap; }
    // The height of the body with the list open.
    int32_t OpenHeight() const;

    // The text shown for a value: element 0 of a one-dimensional array, the value itself
    // otherwise.
    static QString ItemText(const vb::Variant& value);

  private:
    ComboItemState stateOf(int16_t index) const;

    int32_t boxHeight_ = 0;
    std::vector<ComboItem> items_;
    ComboItemState highlighted_;
    ComboItemState chosen_;
};
