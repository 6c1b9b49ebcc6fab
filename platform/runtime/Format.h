#pragma once

#include <QString>

#include "Variant.h"

namespace vb {

// The runtime's Format function for the number and date patterns the system uses:
// digit placeholders 0 and #, grouping ",", decimal point ".", literal text (quoted
// or not); date parts yyyy yy m mm d dd h hh n nn s ss (any letter case, "m" after
// "h" means minutes). Numbers are rounded half away from zero at the last shown
// decimal. Null and Empty give "" for date patterns; Empty formats as 0 for numbers.
QString Format(const Variant& value, const QString& pattern);

}  // namespace vb
