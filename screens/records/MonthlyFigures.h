#pragma once

#include <QString>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Variant.h"

// The numbers of the monthly data: cell texts read exactly as currency values, and the
// amounts and the average that the maintenance screen computes from them by the
// settings record. Results outside the currency range raise run-time error 6.
namespace MonthlyFigures {

// The number the text starts with, read from the left as far as it forms one (blanks
// before it skipped, full-width digits read as digits); 0 when it starts with none.
vb::Currency CellNumber(const QString& text);
// A stored value; Null and Empty as 0.
vb::Currency Stored(const vb::Variant& value);
// quantity x price, rounded to a whole number (halves up) unless amounts are kept
// unrounded.
vb::Currency Amount(vb::Currency quantity, vb::Currency price);
// The sales per day of a month of days days: two decimals when quantities have them,
// else whole, halves up. Without sales the stored average rounded to a whole number.
vb::Currency AverageSales(vb::Currency sales, int days, vb::Currency storedAverage);

}  // namespace MonthlyFigures
