#include "TestRows.h"

vb::VariantArray makeRows(std::initializer_list<std::initializer_list<vb::Variant>> rows) {
    if (rows.size() == 0) {
        return vb::VariantArray();
    }
    vb::VariantArray result(static_cast<int>(rows.size()), static_cast<int>(rows.begin()->size()));
    int row = 0;
    for (const auto& values : rows) {
        int col = 0;
        for (const vb::Variant& value : values) {
            result(row, col++) = value;
        }
        ++row;
    }
    return result;
}
