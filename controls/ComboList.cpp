#include "ComboList.h"

#include "ArrayFunc.h"
#include "CellText.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/VariantArray.h"

void ComboList::SetList(const vb::Variant& list) {
    Clear();
    const int32_t dims = ArrayFunc::ArrayDimensions(list);
    if (dims == 1 || dims == 2) {
        list_ = list;
    }
    visible_.assign(static_cast<size_t>(RowCount()), true);
}

void ComboList::AddItem(const vb::Variant& row) {
    list_ = ArrayFunc::ArrayAppend(list_, row);
    visible_.assign(static_cast<size_t>(RowCount()), true);
}

void ComboList::Clear() {
    list_ = vb::Variant();
    visible_.clear();
}

int ComboList::RowCount() const {
    const int32_t dims = ArrayFunc::ArrayDimensions(list_);
    return dims == 1 || dims == 2 ? list_.array().rows() : 0;
}

void ComboList::Filter(int16_t column, const QString& pattern) {
    if (RowCount() == 0 || !hasColumn(column)) {
        return;
    }
    const vb::VariantArray& list = list_.array();
    for (int r = 0; r < RowCount(); ++r) {
        const vb::Variant& value = list.dimensions() == 1 ? list[r] : list(r, column);
        try {
            visible_[r] = !value.isArray() && vb::Like(value, pattern);
        } catch (const vb::RuntimeError&) {
            visible_[r] = false;
        }
    }
}

bool ComboList::RowVisible(int row) const {
    return row >= 0 && row < static_cast<int>(visible_.size()) && visible_[row];
}

QString ComboList::SelectItem(int16_t column) const {
    if (listIndex_ < 0 || listIndex_ >= RowCount() || !hasColumn(column)) {
        return {};
    }
    return cellText(listIndex_, column);
}

void ComboList::SelectItem(int16_t column, const QString& value) {
    listIndex_ = -1;
    if (!hasColumn(column)) {
        return;
    }
    const vb::VariantArray& list = list_.array();
    for (int r = 0; r < RowCount(); ++r) {
        const vb::Variant& cell = list.dimensions() == 1 ? list[r] : list(r, column);
        if (!cell.isNull() && !cell.isArray() && CellText::Plain(cell) == value) {
            listIndex_ = static_cast<int16_t>(r);
            return;
        }
    }
}

std::vector<ComboList::Item> ComboList::ShownItems() const {
    std::vector<Item> items;
    for (int r = 0; r < RowCount(); ++r) {
        if (visible_[r]) {
            items.push_back({cellText(r, 0), r});
        }
    }
    return items;
}

QString ComboList::cellText(int row, int column) const {
    const vb::VariantArray& list = list_.array();
    return CellText::Plain(list.dimensions() == 1 ? list[row] : list(row, column));
}

bool ComboList::hasColumn(int column) const {
    if (RowCount() == 0) {
        return false;
    }
    const vb::VariantArray& list = list_.array();
    return list.dimensions() == 1 || (column >= 0 && column < list.cols());
}
