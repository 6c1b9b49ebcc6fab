#pragma once

#include <vector>

#include "Variant.h"

namespace vb {

// An array of variants with one or two dimensions, 0-based, indexed (row, column).
// A default-constructed array has no elements (never dimensioned).
class VariantArray {
  public:
    VariantArray() = default;
    VariantArray(int rows, int cols);  // two dimensions
    // Two dimensions holding the given elements, row by row (rows x cols of them).
    VariantArray(int rows, int cols, std::vector<Variant>&& elements);
    static VariantArray vector(int size);  // one dimension

    int dimensions() const { return dims_; }
    bool isEmpty() const { return data_.empty(); }
    int rows() const { return rows_; }  // elements of the first dimension
    int cols() const { return cols_; }  // elements of the second dimension (1 for a vector)
    int size() const { return static_cast<int>(data_.size()); }
    int upperRow() const { return rows_ - 1; }  // UBound(a, 1)
    int upperCol() const { return cols_ - 1; }  // UBound(a, 2)

    // Element access; an index outside the array raises run-time error 9.
    Variant& at(int row, int col);
    const Variant& at(int row, int col) const;
    Variant& at(int index);
    const Variant& at(int index) const;
    Variant& operator()(int row, int col) { return at(row, col); }
    const Variant& operator()(int row, int col) const { return at(row, col); }
    Variant& operator[](int index) { return at(index); }
    const Variant& operator[](int index) const { return at(index); }

    // ReDim Preserve in any dimension: elements inside both shapes keep their values,
    // new elements are Empty.
    void resize(int rows, int cols);
    void resize(int size);

    bool operator==(const VariantArray& other) const = default;

  private:
    int dims_ = 0;
    int rows_ = 0;
    int cols_ = 0;
    std::vector<Variant> data_;  // row-major
};

}  // namespace vb
