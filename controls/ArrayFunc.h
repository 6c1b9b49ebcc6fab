#pragma once

#include <cstdint>

#include "platform/runtime/Variant.h"

// Array helpers of the combo box wrapper.
namespace ArrayFunc {

// The number of dimensions of the array a value holds; 0 when it holds no array or an
// array without elements.
int32_t ArrayDimensions(const vb::Variant& value);

// A new value: target with item appended (target itself is not changed).
// - no array: a plain item gives a one-element vector; a vector item gives a table of
//   one row holding the item's elements; anything else gives Empty;
// - a vector: item becomes its new last element, whatever it holds;
// - a table: a new last row filled from the item's elements (a vector); a row longer
//   than the table is wide widens the table, so that no value is dropped; an item that
//   is no vector adds nothing;
// - more dimensions: Empty.
vb::Variant ArrayAppend(const vb::Variant& target, const vb::Variant& item);

}  // namespace ArrayFunc
