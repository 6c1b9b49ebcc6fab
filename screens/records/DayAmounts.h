#pragma once

#include <QString>
#include <optional>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Variant.h"

// How the daily screen reads its number cells and computes its amounts. The amounts
// raise run-time error 6 when they do not fit a currency value.
namespace DayAmounts {

// A cell's number: blanks trimmed; "" and a sign or point typed alone read as 0.
// Nothing for a text that is not a number.
std::optional<vb::Currency> CellNumber(const QString& text);
// A stored value: Null and Empty read as 0.
vb::Currency StoredNumber(const vb::Variant& value);

// The sales amount of a sales quantity at a sales price: |quantity| x price, with
// amount decimals rounded to two places (half away from zero), otherwise rounded half
// up to a whole number.
vb::Currency SalesAmount(vb::Currency quantity, vb::Currency price, int sumDecimal);
// The purchase amount of a purchase quantity at a purchase price: quantity x price
// rounded as for the sales amount; a negative quantity gives the negated amount of
// |quantity x price| rounded half away from zero, whatever the price's sign.
vb::Currency PurchaseAmount(vb::Currency quantity, vb::Currency price, int sumDecimal);

}  // namespace DayAmounts
