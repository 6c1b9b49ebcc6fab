#include "CellText.h"

#include <algorithm>

#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"

namespace CellText {

QString Plain(const vb::Variant& value) {
    if (value.isNull() || value.isArray()) {
        return {};
    }
    return value.toString();
}

QString Display(const vb::Variant& value, const QString& format) {
    if (vb::Trim(format).isEmpty()) {
        return Plain(value);
    }
    try {
        return vb::Format(value, format);
    } catch (const vb::RuntimeError&) {
        return Plain(value);
    }
}

QString At(const vb::VariantArray& values, int row, int col) {
    if (row < 0 || row >= values.rows() || col < 0 || col >= values.cols()) {
        return {};
    }
    return Plain(values(row, col));
}

void Store(vb::VariantArray& values, int row, int col, const QString& text) {
    if (row >= 0 && row < values.rows() && col >= 0 && col < values.cols()) {
        values(row, col) = vb::Variant(text);
    }
}

void Assign(vb::VariantArray& values, const vb::VariantArray& source) {
    if (source.dimensions() != 2) {
        return;
    }
    const int rows = std::min(source.rows(), values.rows());
    const int cols = std::min(source.cols(), values.cols());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            values(r, c) = source(r, c);
        }
    }
}

Origin Place(int align, double left, double right, double top, double bottom, double textWidth,
             double textHeight) {
    double x = left + 75;
    if (align == 1) {
        x = right - textWidth - 60;
    } else if (align == 2) {
        x = left + (right - left - textWidth) / 2;
    }
    return {x, top + (bottom - top - textHeight) / 2};
}

}  // namespace CellText
