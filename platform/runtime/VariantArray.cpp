#include "VariantArray.h"

#include <algorithm>

#include "RuntimeError.h"

namespace vb {

VariantArray::VariantArray(int rows, int cols) {
    resize(rows, cols);
}

VariantArray::VariantArray(int rows, int cols, std::vector<Variant>&& elements) {
    if (rows < 0 || cols < 0 || elements.size() != static_cast<size_t>(rows) * cols) {
        throw RuntimeError(errSubscriptOutOfRange);
    }
    dims_ = 2;
    rows_ = rows;
    cols_ = cols;
    data_ = std::move(elements);
}

VariantArray VariantArray::vector(int size) {
    VariantArray array;
    array.resize(size);
    return array;
}

Variant& VariantArray::at(int row, int col) {
    return const_cast<Variant&>(std::as_const(*this).at(row, col));
}

const Variant& VariantArray::at(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        throw RuntimeError(errSubscriptOutOfRange);
    }
    return data_[static_cast<size_t>(row) * cols_ + col];
}

Variant& VariantArray::at(int index) {
    return const_cast<Variant&>(std::as_const(*this).at(index));
}

// One index addresses a one-dimensional array only, as in the runtime.
const Variant& VariantArray::at(int index) const {
    if (dims_ != 1) {
        throw RuntimeError(errSubscriptOutOfRange);
    }
    return at(index, 0);
}

void VariantArray::resize(int rows, int cols) {
    if (rows < 0 || cols < 0) {
        throw RuntimeError(errSubscriptOutOfRange);
    }
    std::vector<Variant> data(static_cast<size_t>(rows) * cols);
    const int keepRows = std::min(rows, rows_);
    const int keepCols = std::min(cols, cols_);
    for (int r = 0; r < keepRows; ++r) {
        for (int c = 0; c < keepCols; ++c) {
            data[static_cast<size_t>(r) * cols + c] =
                std::move(data_[static_cast<size_t>(r) * cols_ + c]);
        }
    }
    data_ = std::move(data);
    rows_ = rows;
    cols_ = cols;
    dims_ = 2;
}

void VariantArray::resize(int size) {
    resize(size, 1);
    dims_ = 1;
}

}  // namespace vb
