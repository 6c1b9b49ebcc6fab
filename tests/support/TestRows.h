#pragma once

#include <initializer_list>

#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

// A two-dimensional array of the given rows (all of the first row's width):
//   makeRows({{"'001'", "'Tools'"}, {"'002'", "'Paper'"}})
vb::VariantArray makeRows(std::initializer_list<std::initializer_list<vb::Variant>> rows);
