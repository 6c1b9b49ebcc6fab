#pragma once

#include <cstdint>

#include "platform/runtime/VariantArray.h"

// The ranking of an open month: the month's sums of the listed entries merged with the
// entries that sold nothing. An entry is keyed by its first keyColumns columns.
namespace RankingMerge {

// list: the entries in list order, key columns then the name. sums: rows of key
// columns then the value, value descending and equal values by key. The result has one
// row per listed entry: rank, key columns, name, value; first the entries with a value
// of 0 or more in the order of sums, then the entries without sums (value 0) in list
// order, then the entries with a loss, the smallest first. Sums of a key that the list
// lacks are left out.
vb::VariantArray Merge(const vb::VariantArray& list, int32_t listCount,
                       const vb::VariantArray& sums, int32_t sumCount, int keyColumns);

}  // namespace RankingMerge
