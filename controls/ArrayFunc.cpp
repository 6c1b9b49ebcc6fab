#include "ArrayFunc.h"

#include <algorithm>

#include "platform/runtime/VariantArray.h"

namespace ArrayFunc {

int32_t ArrayDimensions(const vb::Variant& value) {
    if (!value.isArray()) {
        return 0;
    }
    const vb::VariantArray& array = value.array();
    return array.isEmpty() ? 0 : array.dimensions();
}

vb::Variant ArrayAppend(const vb::Variant& target, const vb::Variant& item) {
    const int32_t itemDims = ArrayDimensions(item);
    switch (ArrayDimensions(target)) {
        case 0: {
            if (itemDims == 0 && !item.isArray()) {
                vb::VariantArray vector = vb::VariantArray::vector(1);
                vector[0] = item;
                return vector;
            }
            if (itemDims != 1) {
                return {};
            }
            const vb::VariantArray& row = item.array();
            vb::VariantArray table(1, row.size());
            for (int c = 0; c < row.size(); ++c) {
                table(0, c) = row[c];
            }
            return table;
        }
        case 1: {
            vb::VariantArray vector = target.array();
            vector.resize(vector.size() + 1);
            vector[vector.size() - 1] = item;
            return vector;
        }
        case 2: {
            vb::VariantArray table = target.array();
            if (itemDims != 1) {
                return table;
            }
            const vb::VariantArray& row = item.array();
            table.resize(table.rows() + 1, std::max(table.cols(), row.size()));
            for (int c = 0; c < row.size(); ++c) {
                table(table.upperRow(), c) = row[c];
            }
            return table;
        }
        default:
            return {};
    }
}

}  // namespace ArrayFunc
