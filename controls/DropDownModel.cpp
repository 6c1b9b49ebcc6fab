#include "DropDownModel.h"

#include <algorithm>

#include "CellText.h"
#include "platform/runtime/VariantArray.h"

void DropDownModel::AddItem(const vb::Variant& value) {
    ComboItem item;
    item.Top = items_.empty() ? boxHeight_ + ListGap : items_.back().Bottom;
    item.Height = ItemHeight;
    item.Bottom = item.Top + ItemHeight;
    item.Value = value;
    items_.push_back(std::move(item));
}

void DropDownModel::Clear() {
    items_.clear();
    highlighted_ = ComboItemState{};
    chosen_ = ComboItemState{};
}

void DropDownModel::SetItemHeight(int16_t index, int32_t height) {
    if (index >= 0 && index < Count()) {
        items_[index].Height = height;
    }
}

ComboItemState DropDownModel::stateOf(int16_t index) const {
    const ComboItem& item = items_.at(index);
    return ComboItemState{index, item.Top, item.Bottom, item.Height, item.Value};
}

void DropDownModel::SetListIndex(int16_t index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    highlighted_ = stateOf(index);
    chosen_ = highlighted_;
}

bool DropDownModel::HighlightAt(double y) {
    if (items_.empty()) {
        return false;
    }
    int16_t hit = static_cast<int16_t>(Count() - 1);
    for (int16_t index = 0; index < Count(); ++index) {
        if (items_[index].Top <= y && y <= items_[index].Bottom) {
            hit = index;
            break;
        }
    }
    highlighted_ = stateOf(hit);
    return true;
}

bool DropDownModel::MoveHighlight(int step) {
    if (items_.empty()) {
        return false;
    }
    const int target = std::clamp(highlighted_.Index + step, 0, Count() - 1);
    highlighted_ = stateOf(static_cast<int16_t>(target));
    return true;
}

int32_t DropDownModel::OpenHeight() const {
    return items_.empty() ? boxHeight_ : items_.back().Bottom + 90;
}

QString DropDownModel::ItemText(const vb::Variant& value) {
    if (value.isArray()) {
        const vb::VariantArray& parts = value.array();
        return parts.dimensions() == 1 && !parts.isEmpty() ? CellText::Plain(parts.at(0))
                                                           : QString();
    }
    return CellText::Plain(value);
}
